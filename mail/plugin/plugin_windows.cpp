#include "mail/plugin/plugin_windows.h"

#include "mail/check/win_mutex.h"
#include "mail/message/header_text.h"
#include "mail/message/mail_message.h"
#include "mail/send/send_window.h"
#include "mail/view/message_window.h"

#include <algorithm>

namespace mail {

namespace {

constexpr UINT kCompletionPollMs = 1000;

// The one set of windows of the library: the completion timer has no window and
// reaches it through here.
PluginWindows* pollTarget = nullptr;

void CALLBACK completionTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (pollTarget != nullptr)
        pollTarget->pollChecks();
}

TrayEvent trayEventOf(CheckEvent event)
{
    switch (event) {
    case CheckEvent::Error:
        return TrayEvent::Error;
    case CheckEvent::NewMail:
        return TrayEvent::NewMail;
    case CheckEvent::NoNews:
        break;
    }
    return TrayEvent::NoNews;
}

std::string subjectOf(const StoredMessage& message)
{
    return decodedHeaderText(rawHeaderValue(headerBlock(message.rawText), "Subject"));
}

} // namespace

PluginWindows::PluginWindows(HINSTANCE module, TransportFactory transports)
    : module_(module), transports_(transports), runner_(std::move(transports), processCheckLock())
{
    pollTarget = this;
}

PluginWindows::~PluginWindows()
{
    if (completionTimer_ != 0)
        KillTimer(nullptr, completionTimer_);
    if (pollTarget == this)
        pollTarget = nullptr;
    timers_.clear();
    tray_.reset();
}

void PluginWindows::attach(CMailManager& manager)
{
    manager_ = &manager;
    scheduler_ = std::make_unique<CheckScheduler>(runner_, manager.log(),
                                                  [this](AccountId id) { return accountOf(id); });
}

std::string PluginWindows::hostName()
{
    return manager_->hostName();
}

AccountList& PluginWindows::accounts()
{
    return manager_->accounts();
}

CMailLog& PluginWindows::log()
{
    return manager_->log();
}

std::unique_ptr<RegistryKey> PluginWindows::profile(bool create)
{
    return manager_->openProfile(create);
}

MessageListPtr PluginWindows::messages(const CMailAccount& account)
{
    return scheduler_->state(idOf(account)).messages();
}

void PluginWindows::markSeen(CMailAccount& account, const std::string& uniqueId)
{
    std::unique_lock<std::timed_mutex> data(account.dataLock, kLockWait);
    if (data.owns_lock())
        scheduler_->state(idOf(account)).markSeen(uniqueId, account.record);
}

bool PluginWindows::deleteOnServer(CMailAccount& account, const std::string& uniqueId)
{
    CheckContext context;
    context.transports = transports_;
    context.checkLock = &processCheckLock();
    TimedMutexLock connection(account.connectionLock);
    return deleteMessageById(loginOf(account), uniqueId, connection, context, &manager_->log());
}

// ---- accounts ----------------------------------------------------------------------

AccountId PluginWindows::idOf(const CMailAccount& account)
{
    const auto found = ids_.find(&account);
    if (found != ids_.end())
        return found->second;
    const AccountId id = nextId_++;
    ids_.emplace(&account, id);
    return id;
}

CMailAccount* PluginWindows::accountOf(AccountId id)
{
    for (const auto& account : manager_->accounts()) {
        const auto found = ids_.find(account.get());
        if (found != ids_.end() && found->second == id)
            return account.get();
    }
    return nullptr;
}

CMailAccount* PluginWindows::accountAt(std::size_t index)
{
    AccountList& accounts = manager_->accounts();
    return index < accounts.size() ? accounts[index].get() : nullptr;
}

TrayAccountInfo PluginWindows::trayInfo(TrayAccountKey key)
{
    for (const auto& account : manager_->accounts()) {
        if (account.get() == key)
            return {account->record.name, account->notify.changeTrayIcon};
    }
    return {};
}

// ---- tray and log ------------------------------------------------------------------

void PluginWindows::createTray()
{
    tray_ = std::make_unique<CMailTray>(static_cast<TrayMenuHost&>(*this),
                                        [this](TrayAccountKey key) { return trayInfo(key); });
    tray_->create(module_);
    tray_->refresh(hostName());
}

void PluginWindows::removeTray()
{
    // The windows the tray opened go with it: they show accounts about to close.
    closeAllSendWindows();
    closeAllMessageWindows();
    newMailDialog_.destroy();
    popup_.destroy();
    tray_.reset();
}

void PluginWindows::unloading()
{
    timers_.clear();
    if (completionTimer_ != 0)
        KillTimer(nullptr, completionTimer_);
    completionTimer_ = 0;
    if (modalDepth_ > 0) {
        // The host unloads the library from inside one of its dialogs' loops, which
        // would return into code no longer there: the library stays in memory instead.
        HMODULE self = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCSTR>(&completionTick), &self);
        return;
    }
    // A later load of the library must register its own window procedures.
    Window::unregisterClasses();
}

LogSink* PluginWindows::openLogWindow(bool& isNew)
{
    isNew = logWindow_.create(module_, hostName());
    return logWindow_.window() != nullptr ? &logWindow_ : nullptr;
}

void PluginWindows::destroyLogWindow()
{
    logWindow_.destroy();
}

void PluginWindows::trayEvent(TrayEvent event, const CMailAccount& account)
{
    if (tray_)
        tray_->notify(event, &account, hostName());
}

// ---- checks ------------------------------------------------------------------------

void PluginWindows::startTimer(CMailAccount& account)
{
    const AccountId id = idOf(account);
    stopTimer(id);
    const auto period = automaticCheckPeriodMs(account.record.checkInterval);
    if (!period)
        return;
    auto timer = std::make_unique<CallbackTimer>([this, id] {
        if (CMailAccount* found = accountOf(id))
            checkAccount(*found);
    });
    timer->start(static_cast<unsigned>(*period));
    timers_[id] = std::move(timer);
}

void PluginWindows::stopTimer(AccountId id)
{
    timers_.erase(id);
}

void PluginWindows::startCheckTimers(AccountList& accounts)
{
    for (const auto& account : accounts)
        startTimer(*account);
}

void PluginWindows::forgetAccount(CMailAccount& account)
{
    const auto found = ids_.find(&account);
    if (found == ids_.end())
        return;
    stopTimer(found->second);
    // The thread is called off and joined before the account can go away.
    scheduler_->forget(found->second);
    if (tray_)
        tray_->forget(&account, hostName());
    popup_.forget(&account);
    closeMessageWindowsOf(account);
    ids_.erase(found);
}

void PluginWindows::releaseAccounts(AccountList& accounts)
{
    for (const auto& account : accounts)
        forgetAccount(*account);
}

void PluginWindows::checkAccount(CMailAccount& account)
{
    if (!scheduler_->check(idOf(account)))
        return;
    trayEvent(TrayEvent::CheckStarted, account);
    watchCompletion();
}

void PluginWindows::checkAll()
{
    // A copy: announcing a check never changes the list, but stay safe against it.
    std::vector<CMailAccount*> accounts;
    for (const auto& account : manager_->accounts())
        accounts.push_back(account.get());
    for (CMailAccount* account : accounts)
        checkAccount(*account);
}

void PluginWindows::watchCompletion()
{
    if (completionTimer_ == 0)
        completionTimer_ = SetTimer(nullptr, 0, kCompletionPollMs, completionTick);
}

void PluginWindows::pollChecks()
{
    if (!scheduler_)
        return;
    for (const CheckReport& report : scheduler_->poll())
        announce(report);
    const bool anyRunning = std::any_of(ids_.begin(), ids_.end(), [this](const auto& entry) {
        return scheduler_->checking(entry.second);
    });
    if (!anyRunning && completionTimer_ != 0) {
        KillTimer(nullptr, completionTimer_);
        completionTimer_ = 0;
    }
}

void PluginWindows::announce(const CheckReport& report)
{
    CMailAccount* account = accountOf(report.account);
    if (account == nullptr)
        return;
    const Notification& note = report.notification;
    trayEvent(trayEventOf(note.event), *account);
    notifyUser(note, *account);
}

// ---- the tray menu -----------------------------------------------------------------

std::vector<MenuAccount> PluginWindows::menuAccounts()
{
    std::vector<MenuAccount> menu;
    for (const auto& account : manager_->accounts()) {
        const AccountId id = idOf(*account);
        MenuAccount entry;
        entry.name = account->record.name;
        entry.checking = scheduler_->checking(id);
        const MessageListPtr messages = scheduler_->state(id).messages();
        for (const StoredMessage& message : *messages)
            entry.messages.push_back({subjectOf(message), message.isNew != 0});
        menu.push_back(std::move(entry));
    }
    return menu;
}

std::vector<HostMenuItem> PluginWindows::hostMenuItems()
{
    return manager_->hostMenuItems();
}

HWND PluginWindows::hostWindow()
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(manager_->hostWindow()));
}

std::string PluginWindows::messageTip(std::size_t accountIndex, std::size_t messageIndex)
{
    CMailAccount* account = accountAt(accountIndex);
    if (account == nullptr)
        return {};
    // Shared ownership: a check completing meanwhile cannot free the message.
    const MessageListPtr messages = scheduler_->state(idOf(*account)).messages();
    if (messageIndex >= messages->size())
        return {};
    const StoredMessage& stored = (*messages)[messageIndex];
    const CMailMessage parsed(stored.rawText, stored.uniqueId, stored.reserved, stored.isNew);
    return messageTipText(parsed.subject(), parsed.from(), parsed.to(),
                          static_cast<int>(parsed.attachmentCount()));
}

void PluginWindows::runTrayCommand(const TrayCommand& command)
{
    switch (command.kind) {
    case TrayCommandKind::Plugin:
        runCommand(command.id);
        break;
    case TrayCommandKind::DeleteAll:
        deleteAllMail(command.account);
        break;
    case TrayCommandKind::CheckAccount:
        if (CMailAccount* account = accountAt(command.account))
            checkAccount(*account);
        break;
    case TrayCommandKind::OpenMessage:
        openMessage(command.account, command.message);
        break;
    case TrayCommandKind::HostItem: // posted by the menu window itself
    case TrayCommandKind::None:
        break;
    }
}

} // namespace mail
