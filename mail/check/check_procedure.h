#pragma once
// The server conversations of the mail checks, each on a connection of its own: the
// check (login, the process-wide check lock, one pass over the mailbox, QUIT), the
// deletion of one message by its unique id, and "delete all" built from a synchronous
// check and one deleting connection.
#include "mail/check/check_lock.h"
#include "mail/check/check_state.h"
#include "mail/mail_log.h"
#include "mail/pop3_transport.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace mail {

class CMailAccount;
class CPop3Client;

// What a conversation needs of its account, copied so that a checking thread never
// touches the account itself.
struct ServerLogin {
    std::string accountName;
    std::string server;
    std::int32_t port = 110;
    std::string userName;
    std::string password;
    int timeoutSeconds = 2;
};

ServerLogin loginOf(const CMailAccount& account);

using LogWrite = std::function<void(const std::string& text, LogLevel level)>;
using SecondsClock = std::function<std::uint32_t()>; // seconds since 1970

struct CheckContext {
    TransportFactory transports;
    TimedLockable* checkLock = nullptr; // process-wide: one conversation at a time
    LockClock clock = steadyMs;
    const std::atomic<bool>* cancel = nullptr;
    SecondsClock now;
    LogWrite log;
};

// "Checking for messages on %s."
std::string checkingText(const std::string& server);

// One check on a fresh connection. `known` decides novelty by unique id.
CheckOutcome runCheck(const ServerLogin& login, const MessageList& known, const CheckContext& ctx);

// Logs in on a fresh connection and logs the outcome as the account's connect step does.
bool connectAndLog(CPop3Client& client, const ServerLogin& login, const LogWrite& log);

// Deletes one message by its unique id on a connection of its own, under the
// account's connection lock, and commits it with QUIT: true only when DELE and QUIT
// both succeeded (a failed QUIT loses the deletion).
bool deleteMessageById(const ServerLogin& login, const std::string& uniqueId,
                       TimedLockable& connectionLock, const CheckContext& ctx, CMailLog* log);

enum class DeleteAllResult {
    Busy,
    CheckFailed,
    Abandoned,
    NoMessages,
    Synchronised, // the list is there to be deleted
    Declined,
    Done
};

struct DeleteAllReport {
    DeleteAllResult result = DeleteAllResult::Busy;
    std::size_t messages = 0; // in the synchronised list
    std::size_t failures = 0; // of those, not removed
    MessageListPtr list;      // the synchronised list
    // The synchronous check's notification, due whatever came after it.
    std::optional<CheckEvent> checkEvent;
};

struct DeleteAllTarget {
    AccountCheck& state;
    AccountRecord& record;
    ServerLogin login;
    TimedLockable& dataLock;
    TimedLockable& connectionLock;
};

// The two halves of "delete all", so that the user can be asked in between with no
// lock held and nothing of the account kept across the question. First the
// synchronous check (its outcome completed into the account, so the caller's
// notification follows): Busy, CheckFailed, NoMessages (logged) or Synchronised with
// the list to delete.
DeleteAllReport synchroniseForDeleteAll(DeleteAllTarget target, const CheckContext& ctx,
                                        CMailLog& log);
// Then, under the data and connection locks, every message of the list deleted by id on
// one connection. Logs "Removed all messages from server %s." only when every one of
// them was removed.
DeleteAllReport deleteListed(DeleteAllTarget target, const MessageListPtr& list,
                             const CheckContext& ctx, CMailLog& log);
// Both, with `confirm(count)` asked in between.
DeleteAllReport deleteAll(DeleteAllTarget target, const std::function<bool(std::size_t)>& confirm,
                          const CheckContext& ctx, CMailLog& log);

} // namespace mail
