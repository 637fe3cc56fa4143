#include "renewo/record_check.h"

#include "renewo/texts.h"

namespace renewo {

void checkRecord(SoftwareRenewo::TData& data, const CheckRunner& run)
{
    data.installerDownloaded = 0;
    data.stopScheduledChecks = 0;
    data.installerPath[0] = '\0';
    CheckInput in;
    in.flags = data.flags;
    in.appName = fieldText(data.appName, sizeof data.appName);
    in.currentVersion = fieldText(data.currentVersion, sizeof data.currentVersion);
    in.webSiteUrl = fieldText(data.webSiteUrl, sizeof data.webSiteUrl);
    in.versionFileUrl = fieldText(data.versionFileUrl, sizeof data.versionFileUrl);
    CheckResult result;
    try {
        run(in, result);
    } catch (...) {
        // A check that broke off downloaded nothing, but the caller must still learn that
        // the user wants checks only at start-up, or its timer goes on asking.
        data.stopScheduledChecks = result.stopScheduledChecks;
        throw;
    }
    data.stopScheduledChecks = result.stopScheduledChecks;
    // The path was checked to fit before the file was written.
    data.installerDownloaded =
        result.installerDownloaded &&
        copyToField(result.installerPath, data.installerPath, sizeof data.installerPath);
}

} // namespace renewo
