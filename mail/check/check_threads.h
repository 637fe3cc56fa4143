#pragma once
// The seam between the user-interface thread and the checking threads: start an
// account's check, call it off, and take what the finished ones left in the queue.
// Windows runs real threads (check_runner_win.h); tests finish checks by hand.
#include "mail/check/check_procedure.h"

#include <cstdint>
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

constexpr unsigned kCancelJoinMs = 3000;

class CheckThreads {
public:
    virtual ~CheckThreads() = default;
    // Starts the account's check on a thread of its own; false while one of the
    // account's checks is still running or queued, or when no thread can be made.
    virtual bool start(AccountId account, const ServerLogin& login, MessageListPtr known) = 0;
    // Calls the account's check off, drops what it queued and waits for its thread
    // at most `joinMs`; true when the thread has ended.
    virtual bool cancel(AccountId account, unsigned joinMs = kCancelJoinMs) = 0;
    // Every finished check and log line so far.
    virtual DrainedChecks drain() = 0;
};

} // namespace mail
