#include "mail/plugin/timer_wnd.h"

namespace mail {

namespace {

constexpr char kTimerClass[] = "BrellixMailTimer";
constexpr UINT_PTR kTickTimer = 1;

} // namespace

CTimerWnd::~CTimerWnd()
{
    stop();
}

bool CTimerWnd::start(unsigned periodMs)
{
    stop();
    if (!registerClass(kTimerClass, 0))
        return false;
    if (!create(0, kTimerClass, "", WS_CHILD, 0, 0, 0, 0, GetDesktopWindow(), 0))
        return false;
    period_ = periodMs;
    if (SetTimer(hwnd(), kTickTimer, periodMs, nullptr) == 0) {
        destroy();
        return false;
    }
    return true;
}

void CTimerWnd::stop()
{
    if (hwnd() == nullptr)
        return;
    KillTimer(hwnd(), kTickTimer);
    destroy();
}

LRESULT CTimerWnd::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kTickTimer) {
        tick();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

} // namespace mail
