#pragma once
// CSystemTray: a notification-area icon with a hidden window of its own that hears
// the shell announce a restart ("TaskbarCreated") or a moved taskbar, and then adds
// the icon again as it stands.
#include "common/win/window.h"
#include "mail/tray/system_tray_icon.h"

#include <string>

namespace mail {

// The seam's Win32 side: Shell_NotifyIconA with the layout every shell understands.
class ShellNotifyIcon : public TrayShell {
public:
    bool notify(TrayOperation operation, const TrayRecord& record) override;
};

// Icons in the notification area need shell version 4 or later.
bool shellHasTray();

class CSystemTray : private Window {
public:
    // shell: where the icon calls go; null for the real shell.
    explicit CSystemTray(TrayShell* shell = nullptr);
    ~CSystemTray() override;

    // Fails on a shell without a notification area; the icon calls then do nothing.
    bool create(HWND notifyWindow, UINT callbackMessage, const std::string& tooltip, HICON icon,
                UINT id, bool hidden);
    bool remove();
    bool setIcon(HICON icon);
    bool setTooltip(const std::string& tooltip);

    bool created() const { return icon_.created(); }
    HICON icon() const;
    std::string tooltip() const { return icon_.tooltip(); }
    HWND window() const { return hwnd(); }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onSettingChange(WPARAM wParam, LPARAM lParam);

    ShellNotifyIcon realShell_;
    SystemTrayIcon icon_;
    UINT taskbarCreated_;
};

} // namespace mail
