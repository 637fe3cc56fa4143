#pragma once
// Waiting for the mail plug-in's locks. A wait that runs out abandons what it was for
// and says so in the log: an account's data is never touched without its lock. Waits
// go in short slices so that a check being cancelled stops waiting at once.
#include "mail/mail_log.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

namespace mail {

// One lock as the waiting policy sees it. Windows gives its mutexes; the portable
// code adapts std::timed_mutex; tests script when a lock comes free.
class TimedLockable {
public:
    virtual ~TimedLockable() = default;
    virtual bool tryLockFor(std::chrono::milliseconds wait) = 0;
    virtual void unlock() = 0;
};

class TimedMutexLock : public TimedLockable {
public:
    explicit TimedMutexLock(std::timed_mutex& mutex) : mutex_(mutex) {}
    bool tryLockFor(std::chrono::milliseconds wait) override { return mutex_.try_lock_for(wait); }
    void unlock() override { mutex_.unlock(); }

private:
    std::timed_mutex& mutex_;
};

// Milliseconds from any fixed point: steady_clock in the program, settable in tests.
using LockClock = std::function<std::int64_t()>;
std::int64_t steadyMs();

constexpr std::chrono::milliseconds kWaitSlice{100};
constexpr std::chrono::milliseconds kUnlimitedWait{-1};

enum class LockWait { Locked, TimedOut, Cancelled };

// Waits for the lock at most `limit` (kUnlimitedWait: until it comes or `cancel` is
// set) as the clock measures it.
LockWait waitForLock(TimedLockable& lock, std::chrono::milliseconds limit, const LockClock& clock,
                     const std::atomic<bool>* cancel = nullptr);

struct NamedLock {
    TimedLockable* lock;
    const char* name; // for the log: "data", "connection"
};

// Holds several locks, taken in the order given (data before connection), each
// within its own bounded wait; released in reverse order. When one cannot be had, the
// ones already taken are released, nothing is held and the log tells what was
// abandoned.
class LockSet {
public:
    LockSet(std::initializer_list<NamedLock> locks, const std::string& action, CMailLog* log,
            const LockClock& clock = steadyMs,
            std::chrono::milliseconds limit = std::chrono::milliseconds{5000});
    ~LockSet();
    LockSet(const LockSet&) = delete;
    LockSet& operator=(const LockSet&) = delete;

    bool held() const { return held_; }

private:
    void releaseAll();

    std::vector<TimedLockable*> taken_;
    bool held_ = false;
};

// "Gave up waiting for the %s lock of %s after %i ms; %s was not done."
std::string abandonedText(const char* lockName, const std::string& action, long long waitedMs);

} // namespace mail
