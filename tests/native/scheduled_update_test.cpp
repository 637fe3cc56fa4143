#include "meter/scheduled_update.h"

#include "meter/app_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kOn = Booleans::kAutoUpdate | Booleans::kAlwaysOnline |
                              Booleans::kNoAskBeforeUpdateCheck |
                              (1u << Booleans::kUpdateIntervalShift);

class Host : public ScheduledUpdateHost {
public:
    bool loads = true;
    bool keyOpens = true;
    bool installYes = false;
    std::function<void(SoftwareRenewo::TData&)> checker = [](SoftwareRenewo::TData&) {};
    std::vector<std::string> calls;
    SoftwareRenewo::TData seen{};

    bool loadChecker() override { return note("load"), loads; }
    void freeChecker() override { note("free"); }
    void showLoadFailure() override { note("load failure"); }
    bool openBaseKey(std::uint32_t& key) override
    {
        note("open key");
        key = 0x1234;
        return keyOpens;
    }
    void closeBaseKey() override { note("close key"); }
    void check(SoftwareRenewo::TData& data) override
    {
        note("check");
        seen = data;
        checker(data);
    }
    bool confirmInstall(const std::string& path) override
    {
        note("confirm " + path);
        return installYes;
    }
    void startInstaller(const std::string& path) override { note("start " + path); }
    void shutdownAndQuit() override { note("quit"); }
    void stopUpdateTimer() override { note("stop timer"); }

private:
    void note(const std::string& s) { calls.push_back(s); }
};

UpdateCheckConfig config()
{
    UpdateCheckConfig c;
    c.ownerWindow = 0x10010;
    c.webSiteUrl = "http://home/";
    c.versionFileUrl = "http://home/version.txt";
    return c;
}

} // namespace

TEST(renewoFlags, derivedFromTheAutoUpdatePreferences)
{
    using namespace SoftwareRenewo::Flags;
    const std::uint32_t quiet = Booleans::kAlwaysOnline | Booleans::kNoAskBeforeUpdateCheck;
    for (std::uint32_t button = 0; button < 4; ++button) {
        EXPECT_EQ(renewoFlags(quiet | button << Booleans::kUpdateIntervalShift), button + 1);
    }
    // Both options at once set bits 3, 4 and 5, and nothing above.
    EXPECT_EQ(renewoFlags(0), 1u | kAskFirst | kReportNoUpdate | kDialUp);
    EXPECT_EQ(renewoFlags(Booleans::kAlwaysOnline), 1u | kAskFirst | kReportNoUpdate);
    EXPECT_EQ(renewoFlags(Booleans::kNoAskBeforeUpdateCheck), 1u | kReportNoUpdate | kDialUp);
    // No button has index 7: it must not spill into the ask bit.
    EXPECT_EQ(renewoFlags(quiet | Booleans::kUpdateIntervalMask) & ~kIntervalMask, 0u);
}

TEST(scheduledUpdate, offDoesNothing)
{
    ScheduledUpdate s;
    Host host;
    s.checkForUpdate(kOn & ~Booleans::kAutoUpdate, config(), host);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(s.checkRunning());
}

TEST(scheduledUpdate, fillsTheRecordAndFreesEverything)
{
    ScheduledUpdate s;
    Host host;
    s.checkForUpdate(kOn, config(), host);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"load", "open key", "check", "free", "close key"}));
    EXPECT_EQ(host.seen.ownerWindow, 0x10010u);
    EXPECT_EQ(host.seen.settingsKey, 0x1234u);
    EXPECT_EQ(host.seen.flags, 2u);
    EXPECT_STREQ(host.seen.appName, "Brellix");
    EXPECT_STREQ(host.seen.currentVersion, "2.6.0");
    EXPECT_STREQ(host.seen.webSiteUrl, "http://home/");
    EXPECT_STREQ(host.seen.versionFileUrl, "http://home/version.txt");
    EXPECT_FALSE(s.checkRunning());
}

TEST(scheduledUpdate, aMissingLibraryIsReportedOnce)
{
    ScheduledUpdate s;
    Host host;
    host.loads = false;
    s.checkForUpdate(kOn, config(), host);
    s.checkForUpdate(kOn, config(), host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load", "load failure", "load"}));
}

TEST(scheduledUpdate, anUnopenedKeySkipsTheCheck)
{
    ScheduledUpdate s;
    Host host;
    host.keyOpens = false;
    s.checkForUpdate(kOn, config(), host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load", "open key", "free"}));
}

TEST(scheduledUpdate, aSecondRequestDuringTheCheckIsDropped)
{
    ScheduledUpdate s;
    Host host;
    int nested = 0;
    host.checker = [&](SoftwareRenewo::TData&) {
        EXPECT_TRUE(s.checkRunning());
        s.checkForUpdate(kOn, config(), host); // the 30-minute timer fires meanwhile
        ++nested;
    };
    s.checkForUpdate(kOn, config(), host);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "check"), 1);
    EXPECT_FALSE(s.checkRunning());
}

TEST(scheduledUpdate, aDownloadedInstallerIsStartedOnlyOnYes)
{
    for (bool yes : {false, true}) {
        ScheduledUpdate s;
        Host host;
        host.installYes = yes;
        host.checker = [](SoftwareRenewo::TData& d) {
            d.installerDownloaded = 1;
            std::strcpy(d.installerPath, "C:\\Down\\setup.exe");
        };
        s.checkForUpdate(kOn, config(), host);
        std::vector<std::string> expected{"load", "open key", "check",
                                          "confirm C:\\Down\\setup.exe"};
        if (yes) {
            expected.insert(expected.end(), {"start C:\\Down\\setup.exe", "quit"});
        }
        expected.insert(expected.end(), {"free", "close key"});
        EXPECT_EQ(host.calls, expected);
    }
}

TEST(scheduledUpdate, stopsTheTimerWhenTheCheckerSaysSo)
{
    ScheduledUpdate s;
    Host host;
    host.checker = [](SoftwareRenewo::TData& d) {
        d.stopScheduledChecks = 1;
        std::memset(d.installerPath, 'x', sizeof d.installerPath); // no terminator: not read
    };
    s.checkForUpdate(kOn, config(), host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load", "open key", "check", "stop timer",
                                                    "free", "close key"}));
}

TEST(scheduledUpdate, aCheckEndedByAnExceptionStillStopsTheTimerAndLetsGo)
{
    ScheduledUpdate s;
    Host host;
    host.checker = [](SoftwareRenewo::TData& d) {
        d.stopScheduledChecks = 1;
        throw std::runtime_error("checker failed");
    };
    EXPECT_THROW(s.checkForUpdate(kOn, config(), host), std::runtime_error);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"load", "open key", "check", "stop timer",
                                                    "free", "close key"}));
    EXPECT_FALSE(s.checkRunning());
}
