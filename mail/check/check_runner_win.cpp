#include "mail/check/check_runner_win.h"

#include <algorithm>
#include <ctime>

namespace mail {

namespace {

// Everything a checking thread uses, owned by the thread itself.
struct ThreadWork {
    AccountId account;
    ServerLogin login;
    MessageListPtr known;
    CancelFlag cancel;
    TransportFactory transports;
    TimedLockable* checkLock;
    std::shared_ptr<CheckRunner::Queue> queue;
};

DWORD WINAPI checkThread(LPVOID parameter)
{
    std::unique_ptr<ThreadWork> work(static_cast<ThreadWork*>(parameter));
    auto queue = work->queue;
    CheckContext ctx;
    ctx.transports = cancellableFactory(work->transports, work->cancel, steadyMs);
    ctx.checkLock = work->checkLock;
    ctx.cancel = work->cancel.get();
    ctx.now = [] { return static_cast<std::uint32_t>(std::time(nullptr)); };
    ctx.log = [queue](const std::string& text, LogLevel level) {
        std::lock_guard<std::mutex> guard(queue->lock);
        queue->items.log.push_back({text, level});
    };
    try {
        CheckOutcome outcome = runCheck(work->login, *work->known, ctx);
        if (!work->cancel->load()) {
            std::lock_guard<std::mutex> guard(queue->lock);
            queue->items.finished.push_back({work->account, std::move(outcome)});
        }
    } catch (...) {
        // Out of memory in the middle of a check: the account keeps its list and
        // the check counts as failed.
        std::lock_guard<std::mutex> guard(queue->lock);
        queue->items.finished.push_back({work->account, CheckOutcome{}});
    }
    return 0;
}

} // namespace

CheckRunner::CheckRunner(TransportFactory transports, TimedLockable& checkLock)
    : transports_(std::move(transports)), checkLock_(checkLock), queue_(std::make_shared<Queue>())
{
}

CheckRunner::~CheckRunner()
{
    for (auto& [account, job] : jobs_) {
        job.cancel->store(true);
    }
    while (!jobs_.empty()) {
        forget(jobs_.begin(), kCancelJoinMs);
    }
}

bool CheckRunner::start(AccountId account, const ServerLogin& login, MessageListPtr known)
{
    if (jobs_.count(account) != 0) {
        return false;
    }
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto work = std::make_unique<ThreadWork>(
        ThreadWork{account, login, known ? std::move(known) : std::make_shared<const MessageList>(),
                   cancel, transports_, &checkLock_, queue_});
    HANDLE thread = CreateThread(nullptr, 0, checkThread, work.get(), 0, nullptr);
    if (!thread) {
        return false;
    }
    work.release(); // the thread owns it now
    jobs_[account] = {thread, cancel};
    return true;
}

bool CheckRunner::busy(AccountId account) const
{
    return jobs_.count(account) != 0;
}

void CheckRunner::forget(std::map<AccountId, Job>::iterator job, DWORD joinMs)
{
    WaitForSingleObject(job->second.thread, joinMs);
    CloseHandle(job->second.thread);
    jobs_.erase(job);
}

bool CheckRunner::cancel(AccountId account, unsigned joinMs)
{
    const auto job = jobs_.find(account);
    if (job == jobs_.end()) {
        return true;
    }
    job->second.cancel->store(true);
    const bool ended = WaitForSingleObject(job->second.thread, joinMs) == WAIT_OBJECT_0;
    forget(job, 0);
    std::lock_guard<std::mutex> guard(queue_->lock);
    auto& finished = queue_->items.finished;
    finished.erase(std::remove_if(finished.begin(), finished.end(),
                                  [account](const QueuedCheck& q) { return q.account == account; }),
                   finished.end());
    return ended;
}

DrainedChecks CheckRunner::drain()
{
    DrainedChecks drained;
    {
        std::lock_guard<std::mutex> guard(queue_->lock);
        std::swap(drained, queue_->items);
    }
    for (const QueuedCheck& done : drained.finished) {
        const auto job = jobs_.find(done.account);
        if (job != jobs_.end()) {
            // The thread queued its outcome as its last act: its end is a moment away.
            forget(job, kCancelJoinMs);
        }
    }
    return drained;
}

} // namespace mail
