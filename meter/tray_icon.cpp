#include "meter/tray_icon.h"

#include <algorithm>
#include <cstring>

CTrayIcon::CTrayIcon(TrayNotifier& notifier, std::uint32_t id) : notifier_(notifier)
{
    record_.id = id;
}

CTrayIcon::~CTrayIcon()
{
    remove();
}

void CTrayIcon::setCallback(std::uintptr_t window, std::uint32_t message)
{
    record_.window = window;
    record_.callbackMessage = message;
}

bool CTrayIcon::show(int iconResource, const std::string& tip)
{
    return update(notifier_.loadIcon(iconResource), &tip);
}

bool CTrayIcon::showFromResource(int resource)
{
    if (resource == 0)
        return update(nullptr, nullptr);
    // The string of the same number becomes the tip before the icon is shown.
    setTip(notifier_.loadString(resource));
    return update(notifier_.loadIcon(resource), nullptr);
}

void CTrayIcon::setTip(const std::string& tip)
{
    std::memset(record_.tip, 0, sizeof record_.tip);
    std::memcpy(record_.tip, tip.data(), std::min(tip.size(), kTrayTipSize - 1));
}

bool CTrayIcon::remove()
{
    return showFromResource(0);
}

bool CTrayIcon::update(IconHandle icon, const std::string* tip)
{
    TrayOperation operation;
    record_.flags = 0;
    if (icon != nullptr) {
        operation = record_.icon != nullptr ? TrayOperation::Modify : TrayOperation::Add;
        record_.icon = icon;
        record_.flags |= kTrayIconValid;
    } else {
        if (record_.icon == nullptr)
            return true; // nothing in the tray to remove
        operation = TrayOperation::Delete;
    }
    if (tip != nullptr)
        setTip(*tip);
    if (record_.tip[0] != '\0')
        record_.flags |= kTrayTipValid;
    if (record_.callbackMessage != 0 && record_.window != 0)
        record_.flags |= kTrayMessageValid;

    const bool ok = notifier_.notify(operation, record_);
    if (operation == TrayOperation::Delete || (operation == TrayOperation::Add && !ok))
        record_.icon = nullptr;
    return ok;
}
