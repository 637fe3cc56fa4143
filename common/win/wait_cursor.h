#pragma once
// The hourglass for as long as a piece of work keeps the user waiting; the cursor that
// was there comes back afterwards.
#include <windows.h>

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(kWaitCursorId)))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    static constexpr WORD kWaitCursorId = 32514; // the system's IDC_WAIT
    HCURSOR previous_;
};
