#pragma once
// The tray seam over the shell: Shell_NotifyIconA with the oldest record layout, and
// icons and strings from a module's resources.
#include "meter/tray_icon.h"

#include <windows.h>

class ShellTrayNotifier : public TrayNotifier {
public:
    // module: where icons and strings are loaded from; null for the system's icons.
    explicit ShellTrayNotifier(HINSTANCE module) : module_(module) {}

    bool notify(TrayOperation operation, const TrayRecord& record) override;
    IconHandle loadIcon(int resource) override;
    std::string loadString(int resource) override;

private:
    HINSTANCE module_;
};
