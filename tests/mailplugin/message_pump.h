#pragma once
// This thread's messages run the way the host's plain loop runs them, while a test
// waits for what its windows should have done.
#include <windows.h>

#include <functional>

namespace fakes {

// Runs this thread's messages until `done` holds or about five seconds have passed.
inline bool pumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}

} // namespace fakes
