#pragma once
// CTimerWnd: a hidden window whose timer 1 runs Tick every period. An account's
// automatic check is one: its Tick starts a check of that account.
#include "common/win/window.h"

#include <functional>

namespace mail {

class CTimerWnd : private Window {
public:
    CTimerWnd() = default;
    ~CTimerWnd() override;

    // Stops, makes the window when there is none and sets timer 1 to the period.
    virtual bool start(unsigned periodMs);
    // Kills timer 1 and destroys the window.
    virtual void stop();
    virtual void tick() {}

    bool running() const { return hwnd() != nullptr; }
    unsigned period() const { return period_; }
    HWND window() const { return hwnd(); }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    unsigned period_ = 0;
};

// A timer whose Tick calls a function.
class CallbackTimer : public CTimerWnd {
public:
    explicit CallbackTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
    void tick() override { onTick_(); }

private:
    std::function<void()> onTick_;
};

} // namespace mail
