// The library's boundary: the three exported functions, under their C++ names. Each
// translates the caller's arguments, delegates, and lets nothing escape.
#include "renewo/browse_folder.h"
#include "renewo/desktop_check.h"
#include "renewo/own_module.h"
#include "renewo/tdata.h"
#include "renewo/texts.h"
#include "renewo/web_page.h"
#include "renewo/win_handles.h"

#include <windows.h>

#include <string>

namespace SoftwareRenewo {

__declspec(dllexport) void Check(TData& data);
__declspec(dllexport) bool OpenWebPage(bool useBrowserCommand, const char* address);
__declspec(dllexport) bool BrowseForFolder(HWND owner, std::string& folder, int titleId);

void Check(TData& data)
{
    data.installerDownloaded = 0;
    data.stopScheduledChecks = 0;
    data.installerPath[0] = '\0';
    try {
        renewo::CheckInput in;
        in.flags = data.flags;
        in.appName = renewo::fieldText(data.appName, sizeof data.appName);
        in.currentVersion = renewo::fieldText(data.currentVersion, sizeof data.currentVersion);
        in.webSiteUrl = renewo::fieldText(data.webSiteUrl, sizeof data.webSiteUrl);
        in.versionFileUrl = renewo::fieldText(data.versionFileUrl, sizeof data.versionFileUrl);
        const renewo::CheckResult result =
            renewo::checkOnDesktop(in, renewo::handleFrom<HWND>(data.ownerWindow),
                                   renewo::handleFrom<HKEY>(data.settingsKey));
        data.stopScheduledChecks = result.stopScheduledChecks;
        // The path was checked to fit before the file was written.
        data.installerDownloaded = result.installerDownloaded &&
                                   renewo::copyToField(result.installerPath, data.installerPath,
                                                       sizeof data.installerPath);
    } catch (...) {
        data.installerDownloaded = 0;
        data.installerPath[0] = '\0';
    }
}

bool OpenWebPage(bool useBrowserCommand, const char* address)
{
    try {
        return renewo::openWebPage(useBrowserCommand, address ? address : "", "Renewo");
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
