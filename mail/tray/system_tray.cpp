#include "mail/tray/system_tray.h"

#include <shellapi.h>

#include <cstring>

namespace mail {

namespace {

constexpr char kTrayWindowClass[] = "BrellixMailSystemTray";

} // namespace

bool ShellNotifyIcon::notify(TrayOperation operation, const TrayRecord& record)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(record.window);
    data.uID = record.id;
    data.uFlags = record.flags;
    data.uCallbackMessage = record.callbackMessage;
    data.hIcon = static_cast<HICON>(const_cast<void*>(record.icon));
    static_assert(sizeof data.szTip >= kTrayTipSize, "tip field");
    std::memcpy(data.szTip, record.tip, kTrayTipSize);
    const DWORD message = operation == TrayOperation::Add      ? NIM_ADD
                          : operation == TrayOperation::Modify ? NIM_MODIFY
                                                               : NIM_DELETE;
    return Shell_NotifyIconA(message, &data) != FALSE;
}

bool shellHasTray()
{
    return LOBYTE(LOWORD(GetVersion())) >= 4;
}

CSystemTray::CSystemTray(TrayShell* shell)
    : icon_(shell != nullptr ? *shell : realShell_),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated"))
{
}

CSystemTray::~CSystemTray()
{
    remove();
}

bool CSystemTray::create(HWND notifyWindow, UINT callbackMessage, const std::string& tooltip,
                         HICON icon, UINT id, bool hidden)
{
    if (!shellHasTray())
        return false;
    if (hwnd() == nullptr) {
        // A top-level window, so that broadcasts reach it; never shown.
        if (!registerClass(kTrayWindowClass) ||
            !Window::create(0, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0))
            return false;
    }
    return icon_.create(reinterpret_cast<std::uintptr_t>(notifyWindow), callbackMessage, tooltip,
                        icon, id, hidden);
}

bool CSystemTray::remove()
{
    const bool removed = icon_.remove();
    destroy();
    return removed;
}

bool CSystemTray::setIcon(HICON icon)
{
    return icon_.setIcon(icon);
}

bool CSystemTray::setTooltip(const std::string& tooltip)
{
    return icon_.setTooltip(tooltip);
}

HICON CSystemTray::icon() const
{
    return static_cast<HICON>(const_cast<void*>(icon_.record().icon));
}

LRESULT CSystemTray::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        icon_.restore();
        return 0;
    }
    if (message == WM_SETTINGCHANGE)
        return onSettingChange(wParam, lParam);
    return Window::handleMessage(message, wParam, lParam);
}

LRESULT CSystemTray::onSettingChange(WPARAM wParam, LPARAM lParam)
{
    // A moved or resized taskbar changes the work area and may have dropped the icon.
    if (wParam == SPI_SETWORKAREA)
        icon_.restore();
    return Window::handleMessage(WM_SETTINGCHANGE, wParam, lParam);
}

} // namespace mail
