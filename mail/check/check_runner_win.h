#pragma once
// The checking threads: one per asynchronous account check, each on a fresh
// connection with a copy of what it needs of its account, so that it touches no
// account data and no window. Outcomes and log lines go into a queue that the
// user-interface thread drains when it polls; the swap of the message list happens
// there. An account or the whole plug-in going away first calls its checks off and
// waits for them a bounded time.
#include "mail/check/cancellable_transport.h"
#include "mail/check/check_procedure.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace mail {

using AccountId = std::uint32_t;

struct QueuedCheck {
    AccountId account = 0;
    CheckOutcome outcome;
};

struct QueuedLogLine {
    std::string text;
    LogLevel level = LogLevel::Message;
};

struct DrainedChecks {
    std::vector<QueuedCheck> finished;
    std::vector<QueuedLogLine> log;
};

constexpr DWORD kCancelJoinMs = 3000;

class CheckRunner {
public:
    CheckRunner(TransportFactory transports, TimedLockable& checkLock);
    // Calls every running check off and waits for each a bounded time.
    ~CheckRunner();
    CheckRunner(const CheckRunner&) = delete;
    CheckRunner& operator=(const CheckRunner&) = delete;

    // Starts the account's check on a thread of its own; false while one of the
    // account's checks is still running or queued, or when no thread can be made.
    bool start(AccountId account, const ServerLogin& login, MessageListPtr known);
    bool busy(AccountId account) const;
    // Calls the account's check off, drops what it queued and waits for its thread
    // at most `joinMs`; true when the thread has ended.
    bool cancel(AccountId account, DWORD joinMs = kCancelJoinMs);
    // On the user-interface thread: every finished check and log line so far.
    DrainedChecks drain();

    struct Queue {
        std::mutex lock;
        DrainedChecks items;
    };

private:
    struct Job {
        HANDLE thread = nullptr;
        CancelFlag cancel;
    };
    void forget(std::map<AccountId, Job>::iterator job, DWORD joinMs);

    TransportFactory transports_;
    TimedLockable& checkLock_;
    std::shared_ptr<Queue> queue_;
    std::map<AccountId, Job> jobs_;
};

} // namespace mail
