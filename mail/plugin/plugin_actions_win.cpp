// The tray menu's commands that act on accounts and messages: the plug-in's own
// commands, "Delete All Mail On Server..." and opening a message.
#include "mail/plugin/plugin_windows.h"

#include "common/win/message_box.h"
#include "common/win/wait_cursor.h"
#include "mail/center/control_center.h"
#include "mail/check/win_mutex.h"
#include "mail/send/send_window.h"
#include "mail/view/message_window.h"

#include <shellapi.h>

#include <ctime>

namespace mail {

namespace {

constexpr char kDeleteAllQuestion[] =
    "This will first synchronize your local account with \nthe server's list of messages then "
    "delete all messages.\nAre you sure you want to do this?";
constexpr char kDeleteAllCount[] =
    "There are %i messages in your %s account.\nAre you sure you want to delete ALL of them?\n";
constexpr char kNoMessages[] = "There are no messages to delete in the '%s' account.";

std::uint32_t secondsNow()
{
    return static_cast<std::uint32_t>(std::time(nullptr));
}

} // namespace

// The plug-in's message boxes have no owner and the host's name as caption.
int PluginWindows::ask(const std::string& text, UINT flags)
{
    ModalScope modal(*this);
    return messageBox(nullptr, text, hostName(), flags);
}

void PluginWindows::runCommand(int commandId)
{
    switch (commandId) {
    case kCmdAddAccount:
        addAccount();
        break;
    case kCmdRemoveAccount:
        removeAccount();
        break;
    case kCmdCheckMailNow:
        checkAll();
        break;
    case kCmdLogWindow:
        showLogWindow();
        break;
    case kCmdSendMail:
        openSendWindow(*this);
        break;
    case kCmdControlCenter: {
        ModalScope modal(*this);
        openControlCenter(
            *this, CenterRequest{{center::kDetailsGroup, std::nullopt}, [this] { addAccount(); }});
        break;
    }
    case kCmdOpenMailClient: {
        ModalScope modal(*this);
        openMailClient(*this);
        break;
    }
    default:
        break;
    }
}

void PluginWindows::deleteAllMail(std::size_t index)
{
    const CMailAccount* chosen = accountAt(index);
    if (chosen == nullptr)
        return;
    const AccountId id = idOf(*chosen);
    if (ask(kDeleteAllQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Every question lets the user close or remove the account meanwhile (the tray
    // menu stays at hand), so the account is looked up again after each one.
    CMailAccount* account = accountOf(id);
    if (account == nullptr)
        return;
    CheckContext context;
    context.transports = transports_;
    context.checkLock = &processCheckLock();
    context.now = secondsNow;
    // Adapters live for the whole command; they are rebound to the account found.
    std::unique_ptr<TimedMutexLock> dataLock;
    std::unique_ptr<TimedMutexLock> connectionLock;
    const auto targetOf = [&](CMailAccount& a) {
        dataLock = std::make_unique<TimedMutexLock>(a.dataLock);
        connectionLock = std::make_unique<TimedMutexLock>(a.connectionLock);
        return DeleteAllTarget{scheduler_->state(id), a.record, loginOf(a), *dataLock,
                               *connectionLock};
    };

    trayEvent(TrayEvent::CheckStarted, *account);
    DeleteAllReport synced;
    {
        WaitCursor wait;
        synced = synchroniseForDeleteAll(targetOf(*account), context, manager_->log());
    }
    if (synced.result == DeleteAllResult::Busy)
        return;
    if (synced.checkEvent) {
        announce({id, decideNotification(*synced.checkEvent, account->notify, account->record.name,
                                         synced.messages)});
    }
    const std::string name = account->record.name;
    if (synced.result == DeleteAllResult::NoMessages) {
        ask(formatText(kNoMessages, name.c_str()), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (synced.result != DeleteAllResult::Synchronised)
        return;
    if (ask(formatText(kDeleteAllCount, static_cast<int>(synced.messages), name.c_str()),
            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    account = accountOf(id);
    if (account == nullptr)
        return;
    trayEvent(TrayEvent::CheckStarted, *account);
    {
        WaitCursor wait;
        deleteListed(targetOf(*account), synced.list, context, manager_->log());
    }
    trayEvent(TrayEvent::NoNews, *account);
}

void PluginWindows::openMessage(std::size_t accountIndex, std::size_t messageIndex)
{
    CMailAccount* account = accountAt(accountIndex);
    if (account == nullptr)
        return;
    const MessageListPtr messages = scheduler_->state(idOf(*account)).messages();
    if (messageIndex >= messages->size())
        return;
    if (account->notify.openClientOnSelect) {
        ShellExecuteA(hostWindow(), "open", account->notify.mailClientPath.c_str(), nullptr,
                      nullptr, SW_SHOWNORMAL);
        return;
    }
    openMessageWindow(*this, *account, (*messages)[messageIndex].uniqueId,
                      [this](CMailAccount& from, const CMailMessage& original, bool replyAll) {
                          openReplyWindow(*this, from, original, replyAll);
                      });
}

} // namespace mail
