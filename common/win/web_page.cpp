#include "common/win/web_page.h"

#include "common/web/browser_command.h"
#include "common/win/classes_root_keys.h"

#include <shellapi.h>

namespace {

enum class Route { Started, Failed, NoCommand };

Route runRegisteredBrowser(const std::string& address)
{
    ClassesRootKeys root;
    const std::string command = findBrowserCommand(root);
    if (command.empty())
        return Route::NoCommand;
    std::string commandLine;
    if (!buildBrowserCommandLine(command, address, commandLine))
        return Route::Failed; // refused rather than cut short
    return WinExec(commandLine.c_str(), SW_SHOWNORMAL) > 31 ? Route::Started : Route::Failed;
}

bool shellOpen(HWND owner, const std::string& address)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace

bool openWebPage(bool useBrowserCommand, const std::string& address, const char* appTitle,
                 HWND owner)
{
    Route route = Route::NoCommand;
    if (useBrowserCommand)
        route = runRegisteredBrowser(address);
    if (route == Route::Started || (route == Route::NoCommand && shellOpen(owner, address)))
        return true;
    MessageBoxA(owner, "Failed to execute web browser.", appTitle, MB_OK | MB_ICONERROR);
    return false;
}
