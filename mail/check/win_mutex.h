#pragma once
// Windows mutexes behind the lock-waiting seam, and the process-wide check lock that
// lets one account at a time talk to its server.
#include "mail/check/check_lock.h"

#include <windows.h>

namespace mail {

class Win32Mutex : public TimedLockable {
public:
    Win32Mutex();
    ~Win32Mutex() override;
    Win32Mutex(const Win32Mutex&) = delete;
    Win32Mutex& operator=(const Win32Mutex&) = delete;

    bool tryLockFor(std::chrono::milliseconds wait) override;
    void unlock() override;

private:
    HANDLE mutex_;
};

// Made on first use and kept for the life of the process: a checking thread that
// outlives the plug-in's accounts may still release it.
TimedLockable& processCheckLock();

} // namespace mail
