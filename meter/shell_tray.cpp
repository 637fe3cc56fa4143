#include "meter/shell_tray.h"

#include "common/win/resource_string.h"

#include <shellapi.h>

#include <cstring>

bool ShellTrayNotifier::notify(TrayOperation operation, const TrayRecord& record)
{
    NOTIFYICONDATAA data{};
    // The oldest layout is understood by every shell version.
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

IconHandle ShellTrayNotifier::loadIcon(int resource)
{
    return LoadIconA(module_, MAKEINTRESOURCEA(resource));
}

std::string ShellTrayNotifier::loadString(int resource)
{
    return ::loadString(resource, module_);
}
