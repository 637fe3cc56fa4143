#include "meter/scheduled_update.h"

#include "common/scoped_flag.h"

#include "meter/app_settings.h"

#include <cstring>

namespace {

bool copyText(const std::string& text, char* field, std::size_t size)
{
    if (text.size() >= size) {
        return false;
    }
    std::memcpy(field, text.c_str(), text.size() + 1);
    return true;
}

std::string recordText(const char* field, std::size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

void offerInstall(const SoftwareRenewo::TData& data, ScheduledUpdateHost& host)
{
    if (!data.installerDownloaded) {
        return;
    }
    const std::string path = recordText(data.installerPath, sizeof data.installerPath);
    if (host.confirmInstall(path)) {
        // The installer's start is not checked: the user chose to leave either way.
        host.startInstaller(path);
        host.shutdownAndQuit();
    }
}

void finishCheck(const SoftwareRenewo::TData& data, ScheduledUpdateHost& host)
{
    if (data.stopScheduledChecks) {
        host.stopUpdateTimer();
    }
    host.freeChecker();
    host.closeBaseKey();
}

} // namespace

std::uint32_t renewoFlags(std::uint32_t booleans)
{
    namespace F = SoftwareRenewo::Flags;
    // Frequency buttons 0-3 become codes 1-4; an index no button has stays inside the
    // interval bits (and then reads as daily) instead of spilling into the ask bit.
    std::uint32_t flags =
        (((booleans & Booleans::kUpdateIntervalMask) >> Booleans::kUpdateIntervalShift) + 1) &
        F::kIntervalMask;
    if (!(booleans & Booleans::kAlwaysOnline)) {
        flags |= F::kReportNoUpdate | F::kDialUp;
    }
    if (!(booleans & Booleans::kNoAskBeforeUpdateCheck)) {
        flags |= F::kAskFirst | F::kReportNoUpdate;
    }
    return flags;
}

bool fillUpdateRecord(SoftwareRenewo::TData& data, const UpdateCheckConfig& config,
                      std::uint32_t settingsKey, std::uint32_t booleans)
{
    data = SoftwareRenewo::TData{};
    data.ownerWindow = config.ownerWindow;
    data.settingsKey = settingsKey;
    data.flags = renewoFlags(booleans);
    return copyText(config.appName, data.appName, sizeof data.appName) &&
           copyText(config.currentVersion, data.currentVersion, sizeof data.currentVersion) &&
           copyText(config.webSiteUrl, data.webSiteUrl, sizeof data.webSiteUrl) &&
           copyText(config.versionFileUrl, data.versionFileUrl, sizeof data.versionFileUrl);
}

void ScheduledUpdate::checkForUpdate(std::uint32_t booleans, const UpdateCheckConfig& config,
                                     ScheduledUpdateHost& host)
{
    if (checkRunning_) {
        return;
    }
    ScopedFlag busy(checkRunning_);
    if (!(booleans & Booleans::kAutoUpdate)) {
        return;
    }
    if (!host.loadChecker()) {
        if (!loadErrorShown_) {
            loadErrorShown_ = true;
            host.showLoadFailure();
        }
        return;
    }
    std::uint32_t key = 0;
    if (!host.openBaseKey(key)) {
        host.freeChecker();
        return;
    }
    SoftwareRenewo::TData data{};
    try {
        if (fillUpdateRecord(data, config, key, booleans)) {
            host.check(data);
            offerInstall(data, host);
        }
    } catch (...) {
        // What the checker said before the failure still counts: a user who wants checks
        // only at start-up must not be asked again by the timer.
        finishCheck(data, host);
        throw;
    }
    finishCheck(data, host);
}
