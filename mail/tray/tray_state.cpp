#include "mail/tray/tray_state.h"

#include <algorithm>

namespace mail {

namespace {

void add(std::vector<TrayAccountKey>& list, TrayAccountKey account)
{
    if (std::find(list.begin(), list.end(), account) == list.end())
        list.push_back(account);
}

void remove(std::vector<TrayAccountKey>& list, TrayAccountKey account)
{
    list.erase(std::remove(list.begin(), list.end(), account), list.end());
}

std::string joinNames(const std::vector<TrayAccountKey>& list, const TrayAccountLookup& lookup,
                      bool onlyChangingIcon)
{
    std::string names;
    for (TrayAccountKey account : list) {
        const TrayAccountInfo info = lookup(account);
        if (onlyChangingIcon && !info.changeTrayIcon)
            continue;
        if (!names.empty())
            names += ", ";
        names += info.name;
    }
    return names;
}

bool anyChangesIcon(const std::vector<TrayAccountKey>& list, const TrayAccountLookup& lookup)
{
    return std::any_of(list.begin(), list.end(),
                       [&](TrayAccountKey account) { return lookup(account).changeTrayIcon; });
}

} // namespace

TrayView trayView(const std::vector<TrayAccountKey>& checking,
                  const std::vector<TrayAccountKey>& newMail,
                  const std::vector<TrayAccountKey>& errors, const TrayAccountLookup& lookup,
                  const std::string& hostName)
{
    if (!checking.empty())
        return {kTrayIconCommunicating,
                "Communicating with: " + joinNames(checking, lookup, false)};
    if (!newMail.empty()) {
        // Accounts that asked for a quiet icon still get named when every account with
        // news is quiet: a tip that names nobody would tell the user nothing.
        const bool changeIcon = anyChangesIcon(newMail, lookup);
        return {changeIcon ? kTrayIconNewMail : 0,
                "You've got new mail on: " + joinNames(newMail, lookup, changeIcon)};
    }
    if (!errors.empty())
        return {kTrayIconError, "Error receiving mail on: " + joinNames(errors, lookup, false)};
    return {kTrayIconNormal, hostName};
}

std::optional<TrayView> TrayAccountLists::change(TrayEvent event, TrayAccountKey account,
                                                 const TrayAccountLookup& lookup,
                                                 const std::string& hostName)
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    if (!lock.owns_lock())
        return std::nullopt;
    switch (event) {
    case TrayEvent::CheckStarted:
        remove(errors_, account);
        remove(newMail_, account);
        add(checking_, account);
        break;
    case TrayEvent::NoNews:
        remove(errors_, account);
        remove(newMail_, account);
        remove(checking_, account);
        break;
    case TrayEvent::Error:
        add(errors_, account);
        remove(newMail_, account);
        remove(checking_, account);
        break;
    case TrayEvent::NewMail:
        add(newMail_, account);
        remove(errors_, account);
        remove(checking_, account);
        break;
    }
    return trayView(checking_, newMail_, errors_, lookup, hostName);
}

std::optional<TrayView> TrayAccountLists::current(const TrayAccountLookup& lookup,
                                                  const std::string& hostName)
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    if (!lock.owns_lock())
        return std::nullopt;
    return trayView(checking_, newMail_, errors_, lookup, hostName);
}

bool TrayAccountLists::forget(TrayAccountKey account)
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    if (!lock.owns_lock())
        return false;
    remove(checking_, account);
    remove(newMail_, account);
    remove(errors_, account);
    return true;
}

std::vector<TrayAccountKey> TrayAccountLists::checking()
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    return lock.owns_lock() ? checking_ : std::vector<TrayAccountKey>{};
}

std::vector<TrayAccountKey> TrayAccountLists::newMail()
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    return lock.owns_lock() ? newMail_ : std::vector<TrayAccountKey>{};
}

std::vector<TrayAccountKey> TrayAccountLists::errors()
{
    std::unique_lock<std::timed_mutex> lock(mutex_, wait_);
    return lock.owns_lock() ? errors_ : std::vector<TrayAccountKey>{};
}

} // namespace mail
