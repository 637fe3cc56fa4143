#pragma once
// The meter program's side of an update check (message 1030): whether to run one, how
// the exchange record is filled from the preferences, and what to do with its results.
// The platform work (loading Renewo.dll, the registry key, message boxes, starting the
// installer, the timer) goes through ScheduledUpdateHost.
#include "common/version.h"
#include "renewo/tdata.h"

#include <cstdint>
#include <string>

// What the caller hands to the update checker besides the preferences.
struct UpdateCheckConfig {
    std::uint32_t ownerWindow = 0;
    std::string appName = "Brellix";
    std::string currentVersion = BRELLIX_VERSION_TEXT;
    std::string webSiteUrl;     // the product's home page (string 308)
    std::string versionFileUrl; // the version file on the product's web server
};

class ScheduledUpdateHost {
public:
    virtual ~ScheduledUpdateHost() = default;
    virtual bool loadChecker() = 0; // LoadLibraryA("Renewo.dll")
    virtual void freeChecker() = 0;
    virtual void showLoadFailure() = 0; // string 314, stop icon
    // HKEY_CURRENT_USER "Software\Brellix" with full access: the key without the
    // profile suffix, so that all profiles share one time of the last check.
    virtual bool openBaseKey(std::uint32_t& key) = 0;
    virtual void closeBaseKey() = 0;
    virtual void check(SoftwareRenewo::TData& data) = 0;               // SoftwareRenewo::Check
    virtual bool confirmInstall(const std::string& installerPath) = 0; // string 315, Yes/No
    virtual void startInstaller(const std::string& installerPath) = 0;
    virtual void shutdownAndQuit() = 0;
    virtual void stopUpdateTimer() = 0;
};

// The checker's flags from the "Booleans" word: interval code from the frequency
// buttons, asking and the dial-up hint from the two check boxes.
std::uint32_t renewoFlags(std::uint32_t booleans);

// Fills the exchange record; false when a text does not fit its field.
bool fillUpdateRecord(SoftwareRenewo::TData& data, const UpdateCheckConfig& config,
                      std::uint32_t settingsKey, std::uint32_t booleans);

class ScheduledUpdate {
public:
    // The handler of message 1030. Re-entry through the checker's message loops is
    // dropped; with automatic updates off it does nothing. An exception from the host
    // passes on after the timer was stopped if the checker asked for it, and the
    // library and key were let go.
    void checkForUpdate(std::uint32_t booleans, const UpdateCheckConfig& config,
                        ScheduledUpdateHost& host);

    bool checkRunning() const { return checkRunning_; }

private:
    bool checkRunning_ = false;
    bool loadErrorShown_ = false;
};
