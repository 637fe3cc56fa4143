// The accounts' automatic-check timers: a hidden window whose timer runs Tick, which
// a restart replaces rather than doubles and a stop ends for good.
#include "mail/plugin/timer_wnd.h"

#include <gtest/gtest.h>

namespace {

// Dispatches this thread's messages for a while.
void pumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(5);
    }
}

} // namespace

TEST(accountTimer, ticksEveryPeriodUntilStopped)
{
    int ticks = 0;
    mail::CallbackTimer timer([&] { ++ticks; });
    ASSERT_TRUE(timer.start(50));
    EXPECT_TRUE(timer.running());
    EXPECT_FALSE(IsWindowVisible(timer.window()));
    pumpFor(600);
    EXPECT_GE(ticks, 3);

    timer.stop();
    EXPECT_FALSE(timer.running());
    const int stoppedAt = ticks;
    pumpFor(300);
    EXPECT_EQ(ticks, stoppedAt);
}

TEST(accountTimer, aRestartReplacesTheWindowAndItsPeriod)
{
    int ticks = 0;
    mail::CallbackTimer timer([&] { ++ticks; });
    ASSERT_TRUE(timer.start(60000));
    const HWND first = timer.window();
    ASSERT_TRUE(timer.start(50));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(timer.period(), 50u);
    pumpFor(400);
    EXPECT_GE(ticks, 2);
}

TEST(accountTimer, destroyingTheTimerDestroysItsWindow)
{
    HWND window = nullptr;
    {
        mail::CallbackTimer timer([] {});
        ASSERT_TRUE(timer.start(1000));
        window = timer.window();
    }
    EXPECT_FALSE(IsWindow(window));
}
