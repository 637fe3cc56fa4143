#pragma once
// One update check from start to end: due test, question, version file, offer, visit
// or download. Runs against the seams so that every path can be tested without a window.
#include "renewo/check_ui.h"
#include "renewo/due_test.h"
#include "renewo/http_session.h"

#include <cstdint>
#include <string>

namespace renewo {

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
    std::int32_t now; // seconds since 1970
    std::uint32_t maxDownload = 0x7fffffff;
};

CheckResult runCheck(const CheckInput& in, CheckPorts& ports);

// Only web addresses are visited: the page address comes from the server and must not
// name a local program or file.
bool isWebAddress(const std::string& address);

} // namespace renewo
