// The library's boundary: the three exported functions, under their C++ names. Each
// translates the caller's arguments, delegates, and lets nothing escape.
#include "common/win/web_page.h"
#include "renewo/browse_folder.h"
#include "renewo/desktop_check.h"
#include "renewo/own_module.h"
#include "renewo/record_check.h"
#include "renewo/tdata.h"
#include "renewo/win_handles.h"

#include <windows.h>

#include <string>

namespace SoftwareRenewo {

__declspec(dllexport) void Check(TData& data);
__declspec(dllexport) bool OpenWebPage(bool useBrowserCommand, const char* address);
__declspec(dllexport) bool BrowseForFolder(HWND owner, std::string& folder, int titleId);

void Check(TData& data)
{
    try {
        const HWND owner = renewo::handleFrom<HWND>(data.ownerWindow);
        const HKEY settingsKey = renewo::handleFrom<HKEY>(data.settingsKey);
        renewo::checkRecord(data, [&](const renewo::CheckInput& in, renewo::CheckResult& result) {
            renewo::checkOnDesktop(in, owner, settingsKey, result);
        });
    } catch (...) {
        OutputDebugStringA("Renewo: the update check ended by an exception\n");
        data.installerDownloaded = 0;
        data.installerPath[0] = '\0';
    }
}

bool OpenWebPage(bool useBrowserCommand, const char* address)
{
    try {
        return ::openWebPage(useBrowserCommand, address ? address : "", "Renewo");
    } catch (...) {
        return false;
    }
}

bool BrowseForFolder(HWND owner, std::string& folder, int titleId)
{
    try {
        return renewo::browseForFolder(renewo::ownModule(), owner, folder, titleId);
    } catch (...) {
        return false;
    }
}

} // namespace SoftwareRenewo
