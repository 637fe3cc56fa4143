#include "renewo/web_page.h"

#include "renewo/browser_command.h"
#include "renewo/registry_values.h"

#include <shellapi.h>

namespace renewo {

namespace {

enum class Route { Started, Failed, NoCommand };

Route runRegisteredBrowser(const std::string& address)
{
    ClassesRootKeys root;
    const std::string command = findBrowserCommand(root);
    if (command.empty()) {
        return Route::NoCommand;
    }
    std::string commandLine;
    if (!buildBrowserCommandLine(command, address, commandLine)) {
        return Route::Failed; // refused rather than cut short
    }
    return WinExec(commandLine.c_str(), SW_SHOWNORMAL) > 31 ? Route::Started : Route::Failed;
}

bool shellOpen(const std::string& address)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace

bool openWebPage(bool useBrowserCommand, const std::string& address, const char* appTitle)
{
    Route route = Route::NoCommand;
    if (useBrowserCommand) {
        route = runRegisteredBrowser(address);
    }
    if (route == Route::Started || (route == Route::NoCommand && shellOpen(address))) {
        return true;
    }
    MessageBoxA(nullptr, "Failed to execute web browser.", appTitle, MB_OK | MB_ICONERROR);
    return false;
}

} // namespace renewo
