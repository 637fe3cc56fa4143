#include "renewo/desktop_check.h"

#include "renewo/own_module.h"
#include "renewo/paths.h"
#include "renewo/registry_values.h"
#include "renewo/sha256_win.h"
#include "renewo/window_ui.h"
#include "renewo/wininet_session.h"

#include <ctime>

namespace renewo {

namespace {

class SystemClock : public CheckClock {
public:
    std::int32_t secondsSince1970() override
    {
        return static_cast<std::int32_t>(std::time(nullptr));
    }
    std::uint32_t tickCount() override { return GetTickCount(); }
};

} // namespace

std::string callingProgramFolder()
{
    char path[MAX_PATH + 1] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : folderOf(path);
}

void checkOnDesktop(CheckInput in, HWND owner, HKEY settingsKey, CheckResult& result)
{
    in.programFolder = callingProgramFolder();
    WinInetSession http;
    KeyValues settings(settingsKey);
    WindowUi ui(ownModule(), owner);
    SystemClock clock;
    SystemDigest digest;
    CheckPorts ports{http.isOpen() ? &http : nullptr, settings, ui, clock};
    ports.digest = &digest;
    runCheck(in, ports, result);
}

} // namespace renewo
