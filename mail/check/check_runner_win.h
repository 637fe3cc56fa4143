#pragma once
// The checking threads: one per asynchronous account check, each on a fresh
// connection with a copy of what it needs of its account, so that it touches no
// account data and no window. Outcomes and log lines go into a queue that the
// user-interface thread drains when it polls; the swap of the message list happens
// there. An account or the whole plug-in going away first calls its checks off and
// waits for them a bounded time.
#include "mail/check/cancellable_transport.h"
#include "mail/check/check_procedure.h"
#include "mail/check/check_threads.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace mail {

class CheckRunner : public CheckThreads {
public:
    CheckRunner(TransportFactory transports, TimedLockable& checkLock);
    // Calls every running check off and waits for each a bounded time.
    ~CheckRunner() override;
    CheckRunner(const CheckRunner&) = delete;
    CheckRunner& operator=(const CheckRunner&) = delete;

    bool start(AccountId account, const ServerLogin& login, MessageListPtr known) override;
    bool busy(AccountId account) const;
    bool cancel(AccountId account, unsigned joinMs = kCancelJoinMs) override;
    DrainedChecks drain() override;

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
