#include "mail/check/win_mutex.h"

namespace mail {

Win32Mutex::Win32Mutex() : mutex_(CreateMutexA(nullptr, FALSE, nullptr))
{
}

Win32Mutex::~Win32Mutex()
{
    if (mutex_) {
        CloseHandle(mutex_);
    }
}

bool Win32Mutex::tryLockFor(std::chrono::milliseconds wait)
{
    if (!mutex_) {
        return false;
    }
    const DWORD ms = wait.count() < 0 ? 0 : static_cast<DWORD>(wait.count());
    const DWORD result = WaitForSingleObject(mutex_, ms);
    // A thread that ended while holding it left the data in whatever state its last
    // complete replacement left it: the lock is ours all the same.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void Win32Mutex::unlock()
{
    ReleaseMutex(mutex_);
}

TimedLockable& processCheckLock()
{
    static Win32Mutex* lock = new Win32Mutex; // never destroyed: see the header
    return *lock;
}

} // namespace mail
