#include "mail/check/check_lock.h"

#include <algorithm>

namespace mail {

std::int64_t steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

LockWait waitForLock(TimedLockable& lock, std::chrono::milliseconds limit, const LockClock& clock,
                     const std::atomic<bool>* cancel)
{
    const bool unlimited = limit < std::chrono::milliseconds::zero();
    const std::int64_t start = clock();
    for (;;) {
        if (cancel && cancel->load()) {
            return LockWait::Cancelled;
        }
        auto slice = kWaitSlice;
        if (!unlimited) {
            const std::int64_t left = limit.count() - (clock() - start);
            if (left <= 0) {
                return LockWait::TimedOut;
            }
            slice = std::min(slice, std::chrono::milliseconds{left});
        }
        if (lock.tryLockFor(slice)) {
            return LockWait::Locked;
        }
    }
}

std::string abandonedText(const char* lockName, const std::string& action, long long waitedMs)
{
    return formatText("Gave up waiting for the %s lock after %lld ms; %s was not done.", lockName,
                      waitedMs, action.c_str());
}

LockSet::LockSet(std::initializer_list<NamedLock> locks, const std::string& action, CMailLog* log,
                 const LockClock& clock, std::chrono::milliseconds limit)
{
    for (const NamedLock& named : locks) {
        if (waitForLock(*named.lock, limit, clock) != LockWait::Locked) {
            releaseAll();
            if (log) {
                log->write(abandonedText(named.name, action, static_cast<long long>(limit.count())),
                           LogLevel::Warning);
            }
            return;
        }
        taken_.push_back(named.lock);
    }
    held_ = true;
}

LockSet::~LockSet()
{
    releaseAll();
}

void LockSet::releaseAll()
{
    for (auto it = taken_.rbegin(); it != taken_.rend(); ++it) {
        (*it)->unlock();
    }
    taken_.clear();
    held_ = false;
}

} // namespace mail
