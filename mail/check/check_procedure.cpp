#include "mail/check/check_procedure.h"

#include "mail/mail_account.h"
#include "mail/mailbox_check.h"
#include "mail/pop3_client.h"

namespace mail {

namespace {

// Releases the process-wide check lock after QUIT, on every path.
class HeldLock {
public:
    explicit HeldLock(TimedLockable& lock) : lock_(lock) {}
    ~HeldLock() { lock_.unlock(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    TimedLockable& lock_;
};

LogWrite toLog(CMailLog* log)
{
    return [log](const std::string& text, LogLevel level) {
        if (log) {
            log->write(text, level);
        }
    };
}

} // namespace

ServerLogin loginOf(const CMailAccount& account)
{
    return {account.record.name,     account.record.server,   account.record.port,
            account.record.userName, account.record.password, account.notify.timeoutSeconds};
}

std::string checkingText(const std::string& server)
{
    return formatText("Checking for messages on %s.", server.c_str());
}

bool connectAndLog(CPop3Client& client, const ServerLogin& login, const LogWrite& log)
{
    client.setTimeoutMs(replyTimeoutMs(login.timeoutSeconds));
    if (client.login(login.server, login.userName, login.password, login.port)) {
        log(formatText("Connected to %s as user %s.", login.server.c_str(), login.userName.c_str()),
            LogLevel::Message);
        return true;
    }
    log(formatText("Failed to connect to %s as user %s.  Error Number %i occured.",
                   login.server.c_str(), login.userName.c_str(), client.errorNumber()),
        LogLevel::Error);
    return false;
}

CheckOutcome runCheck(const ServerLogin& login, const MessageList& known, const CheckContext& ctx)
{
    CheckOutcome outcome;
    CPop3Client client(ctx.transports);
    if (!connectAndLog(client, login, ctx.log)) {
        return outcome;
    }
    if (waitForLock(*ctx.checkLock, kUnlimitedWait, ctx.clock, ctx.cancel) != LockWait::Locked) {
        client.quit(); // called off while another account talked to its server
        return outcome;
    }
    HeldLock held(*ctx.checkLock);
    MailboxCheck check = checkMailbox(client, known);
    // STAT answered when the pass succeeded or at least tried a message.
    if ((check.succeeded || check.failedRetrievals > 0) && ctx.now) {
        outcome.lastCheck = ctx.now();
    }
    if (check.succeeded) {
        outcome.succeeded = true;
        outcome.foundNew = check.foundNew;
        outcome.messages = std::make_shared<const MessageList>(std::move(check.messages));
    }
    client.quit();
    return outcome;
}

bool deleteMessageById(const ServerLogin& login, const std::string& uniqueId,
                       TimedLockable& connectionLock, const CheckContext& ctx, CMailLog* log)
{
    LockSet locks({{&connectionLock, "connection"}}, "removing a message from the server", log,
                  ctx.clock);
    if (!locks.held()) {
        return false;
    }
    CPop3Client client(ctx.transports);
    if (!connectAndLog(client, login, toLog(log))) {
        return false;
    }
    int number = 0;
    const bool deleted = client.findUid(uniqueId, number) && client.deleteMessage(number);
    // QUIT commits the deletion; without it the server keeps the message.
    const bool committed = client.quit();
    return deleted && committed;
}

namespace {

std::size_t deleteEvery(const MessageList& messages, const ServerLogin& login,
                        const CheckContext& ctx, CMailLog& log)
{
    CPop3Client client(ctx.transports);
    if (!connectAndLog(client, login, toLog(&log))) {
        return messages.size();
    }
    std::size_t failures = 0;
    for (const StoredMessage& m : messages) {
        int number = 0;
        if (!client.findUid(m.uniqueId, number) || !client.deleteMessage(number)) {
            ++failures;
        }
    }
    return client.quit() ? failures : messages.size();
}

} // namespace

DeleteAllReport synchroniseForDeleteAll(DeleteAllTarget target, const CheckContext& ctx,
                                        CMailLog& log)
{
    DeleteAllReport report;
    if (!target.state.begin(Worker::Synchronous)) {
        return report; // a check of this account is running
    }
    log.write(checkingText(target.login.server), LogLevel::Message);
    CheckContext inline_ = ctx;
    inline_.log = toLog(&log);
    target.state.finish(runCheck(target.login, *target.state.messages(), inline_));
    report.checkEvent = target.state.complete(target.record);
    if (report.checkEvent == CheckEvent::Error) {
        report.result = DeleteAllResult::CheckFailed;
        return report;
    }
    report.list = target.state.messages();
    report.messages = report.list->size();
    if (report.list->empty()) {
        log.write(formatText("There are no messages to delete in the '%s' account.",
                             target.login.accountName.c_str()),
                  LogLevel::Warning);
        report.result = DeleteAllResult::NoMessages;
        return report;
    }
    report.result = DeleteAllResult::Synchronised;
    return report;
}

DeleteAllReport deleteListed(DeleteAllTarget target, const MessageListPtr& list,
                             const CheckContext& ctx, CMailLog& log)
{
    DeleteAllReport report;
    report.list = list;
    report.messages = list->size();
    LockSet locks({{&target.dataLock, "data"}, {&target.connectionLock, "connection"}},
                  "deleting all messages", &log, ctx.clock);
    if (!locks.held()) {
        report.result = DeleteAllResult::Abandoned;
        return report;
    }
    report.failures = deleteEvery(*list, target.login, ctx, log);
    report.result = DeleteAllResult::Done;
    if (report.failures == 0) {
        log.write(formatText("Removed all messages from server %s.", target.login.server.c_str()),
                  LogLevel::Message);
    } else {
        log.write(formatText("Could not remove %i of %i messages from server %s.",
                             static_cast<int>(report.failures), static_cast<int>(report.messages),
                             target.login.server.c_str()),
                  LogLevel::Error);
    }
    return report;
}

DeleteAllReport deleteAll(DeleteAllTarget target, const std::function<bool(std::size_t)>& confirm,
                          const CheckContext& ctx, CMailLog& log)
{
    DeleteAllReport report = synchroniseForDeleteAll(target, ctx, log);
    if (report.result != DeleteAllResult::Synchronised) {
        return report;
    }
    // Asked with no lock held: the question may wait on the user for as long as it
    // likes.
    if (!confirm(report.messages)) {
        report.result = DeleteAllResult::Declined;
        return report;
    }
    const auto checkEvent = report.checkEvent;
    report = deleteListed(target, report.list, ctx, log);
    report.checkEvent = checkEvent;
    return report;
}

} // namespace mail
