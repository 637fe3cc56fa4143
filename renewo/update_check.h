#pragma once
// One update check from start to end: due test, question, version file, offer, visit
// or download. Runs against the seams so that every path can be tested without a window.
#include "renewo/check_clock.h"
#include "renewo/check_ui.h"
#include "renewo/download.h"
#include "renewo/due_test.h"
#include "renewo/http_session.h"
#include "renewo/installer_digest.h"

#include <cstdint>
#include <string>

namespace renewo {

// Fetching the version file may take this long in all, however the server paces its
// bytes: the check blocks the caller's window meanwhile.
constexpr std::uint32_t kVersionFileTimeLimitMs = 60000;

struct CheckInput {
    std::uint32_t flags = 0;
    std::string appName;
    std::string currentVersion;
    std::string webSiteUrl;
    std::string versionFileUrl;
    std::string programFolder; // where the folder chooser starts
};

struct CheckResult {
    bool installerDownloaded = false;
    bool stopScheduledChecks = false;
    std::string installerPath;
};

struct CheckPorts {
    HttpSession* http; // null when the internet client could not be opened
    SettingsValues& settings;
    CheckUi& ui;
    CheckClock& clock;
    std::uint32_t maxDownload = kMaxInstallerSize;
    // Checks downloads against a digest the version file publishes; without it such a
    // download cannot be trusted and is refused.
    InstallerDigest* digest = nullptr;
};

// Fills result as the check goes on, so that what was decided before a step that
// throws still reaches the caller.
void runCheck(const CheckInput& in, CheckPorts& ports, CheckResult& result);

inline CheckResult runCheck(const CheckInput& in, CheckPorts& ports)
{
    CheckResult result;
    runCheck(in, ports, result);
    return result;
}

// Only web addresses are visited: the page address comes from the server and must not
// name a local program or file.
bool isWebAddress(const std::string& address);

} // namespace renewo
