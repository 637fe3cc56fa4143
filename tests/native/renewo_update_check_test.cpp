#include "renewo/update_check.h"

#include "renewo/tdata.h"
#include "renewo_fakes.h"

#include <gtest/gtest.h>

#include <map>

using namespace renewo;
namespace Flags = SoftwareRenewo::Flags;

namespace {

constexpr std::int32_t kNow = 1700000000;
const std::string kVersionUrl = "http://127.0.0.1/brellix.txt";
const std::string kInstallerUrl = "http://127.0.0.1/files/setup-2.7.0.exe";

class UpdateCheck : public ::testing::Test {
protected:
    fakes::Session http;
    fakes::Settings settings;
    fakes::Ui ui;
    fakes::Clock clock{kNow};
    CheckInput in;

    void SetUp() override
    {
        in.flags = 2;
        in.appName = "Brellix";
        in.currentVersion = "2.6.0";
        in.webSiteUrl = "http://home/";
        in.versionFileUrl = kVersionUrl;
        in.programFolder = "C:\\Program Files\\Brellix\\";
    }

    void publish(const std::string& body) { http.responses[kVersionUrl] = fakes::withLength(body); }
    void publishNewVersion()
    {
        publish("1\n2.7.0\nMay 5, 2003\nhttp://page/new.html\n" + kInstallerUrl + "\n");
    }

    CheckResult run(bool withHttp = true, InstallerDigest* digest = nullptr)
    {
        CheckPorts ports{withHttp ? &http : nullptr, settings, ui, clock};
        ports.digest = digest;
        return runCheck(in, ports);
    }
};

// Digests of the installers a test serves, as the system would compute them.
class KnownDigests : public InstallerDigest {
public:
    std::map<std::string, std::string> of;
    int computed = 0;
    bool sha256(const char* data, std::uint32_t size, std::string& hex) override
    {
        ++computed;
        const auto found = of.find(std::string(data, size));
        if (found == of.end())
            return false;
        hex = found->second;
        return true;
    }
};

} // namespace

TEST_F(UpdateCheck, notDueEndsSilentlyWithoutConnecting)
{
    settings.setLastCheck(kNow - 86400);
    publishNewVersion();
    const CheckResult r = run();
    EXPECT_TRUE(ui.events.empty());
    EXPECT_TRUE(http.opened.empty());
    EXPECT_FALSE(r.stopScheduledChecks);
}

TEST_F(UpdateCheck, codeOneAsksToStopTheTimerEvenWhenEndingEarly)
{
    in.flags = 1 | Flags::kAskFirst;
    settings.setLastCheck(kNow);
    ui.agree = false;
    EXPECT_TRUE(run().stopScheduledChecks);
    EXPECT_TRUE(http.opened.empty());
    EXPECT_EQ(settings.writes, 0) << "a declined question leaves the time alone";

    ui.agree = true; // no server
    const CheckResult r = run();
    EXPECT_TRUE(r.stopScheduledChecks);
    EXPECT_TRUE(
        ui.saw("error: Brellix - Connection Error | Failed to connect to the update server."));
    EXPECT_EQ(settings.writes, 0);

    EXPECT_TRUE(run(false).stopScheduledChecks) << "no internet client at all";
}

TEST_F(UpdateCheck, theQuestionNamesTheProgramAndHintsToConnectWhenDialUp)
{
    in.flags = 2 | Flags::kAskFirst;
    ui.agree = false;
    run();
    ASSERT_EQ(ui.events.size(), 1u);
    EXPECT_EQ(ui.events[0], "ask: Brellix - Software Update | It is now time to check the update "
                            "server for a new version of Brellix.");
    ui.events.clear();
    in.flags = 2 | Flags::kDialUp;
    run();
    ASSERT_EQ(ui.events.size(), 1u);
    EXPECT_EQ(ui.events[0], "ask: Brellix - Software Update | It is now time to check the update "
                            "server for a new version of Brellix.\n\nPlease connect to the "
                            "internet if necessary.");
}

TEST_F(UpdateCheck, sameVersionIsReportedOnlyWhenAskedAndKeepsTheTime)
{
    publish("1\n2.6.0\n");
    run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{"connecting", "connected"}));
    EXPECT_EQ(settings.lastCheck(), std::uint32_t(kNow));

    settings.values.clear();
    ui.events.clear();
    in.flags = 2 | Flags::kReportNoUpdate;
    run();
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{
                  "connecting", "info: Brellix - No Update | No software update is available.",
                  "connected"}));
}

TEST_F(UpdateCheck, anEmptyVersionFileIsAReadErrorAndLeavesTheTime)
{
    publish("");
    run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{
                             "connecting",
                             "error: Brellix - Read Error | There was an error reading all the "
                             "data from the version update server.",
                             "connected"}));
    EXPECT_FALSE(settings.lastCheck());
}

TEST_F(UpdateCheck, anErrorPageOffersTheShortFormAndVisitsTheHomePage)
{
    publish("<html><head><title>404 Not Found</title></head></html>");
    ui.choice = UpdateChoice::Visit;
    const CheckResult r = run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{"connecting", "connected", "offer: short",
                                                   "web: http://home/"}));
    EXPECT_EQ(settings.lastCheck(), std::uint32_t(kNow));
    EXPECT_FALSE(r.installerDownloaded);
}

TEST_F(UpdateCheck, twoLinesShowTheReadErrorThenTheShortForm)
{
    publish("1\n2.7.0\n");
    ui.choice = UpdateChoice::Visit;
    run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{
                             "connecting",
                             "error: Brellix - Read Error | There was an error reading all the "
                             "data from the version update server.",
                             "connected", "offer: short", "web: http://home/"}));
    EXPECT_EQ(settings.lastCheck(), std::uint32_t(kNow));
}

TEST_F(UpdateCheck, aPageAddressCutByABrokenConnectionIsNotVisited)
{
    const std::string body = "1\n2.7.0\nMay 5, 2003\nhttp://page/new.html\n" + kInstallerUrl + "\n";
    fakes::Response r = fakes::withLength(body);
    r.failAfter = body.find("new.html"); // the address ends "http://page/"
    http.responses[kVersionUrl] = r;
    ui.choice = UpdateChoice::Visit;
    run();
    EXPECT_FALSE(ui.lastOffer.detailed);
    EXPECT_TRUE(ui.saw("web: http://home/"));
    EXPECT_FALSE(ui.saw("web: http://page/"));
}

TEST_F(UpdateCheck, theDetailedFormVisitsThePublishedPage)
{
    publishNewVersion();
    ui.choice = UpdateChoice::Visit;
    ui.browserStarts = false;
    run();
    EXPECT_TRUE(ui.lastOffer.detailed);
    EXPECT_EQ(ui.lastOffer.newVersion, "2.7.0");
    EXPECT_EQ(ui.lastOffer.releaseDate, "May 5, 2003");
    EXPECT_EQ(ui.lastOffer.currentVersion, "2.6.0");
    EXPECT_TRUE(ui.saw("web: http://page/new.html"));
    EXPECT_EQ(ui.events.back(), "error: Brellix - Browser Error | Failed to go to web site.");
}

TEST_F(UpdateCheck, aPublishedPageThatIsNoWebAddressIsNotOpened)
{
    publish("1\n2.7.0\ndate\nC:\\Windows\\system32\\calc.exe\nhttp://x/s.exe\n");
    ui.choice = UpdateChoice::Visit;
    run();
    EXPECT_TRUE(ui.saw("web: http://home/"));
}

TEST_F(UpdateCheck, downloadSavesIntoTheChosenFolder)
{
    publishNewVersion();
    const std::string installer(40000, 'I');
    http.responses[kInstallerUrl] = fakes::withLength(installer);
    ui.choice = UpdateChoice::Download;
    const CheckResult r = run();
    EXPECT_TRUE(r.installerDownloaded);
    EXPECT_EQ(r.installerPath, "C:\\Downloads\\setup-2.7.0.exe");
    EXPECT_EQ(ui.savedData, installer);
    EXPECT_EQ(ui.startFolder, "C:\\Program Files\\Brellix\\");
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{
                  "connecting", "connected", "offer: detailed", "progress: setup-2.7.0.exe",
                  "size: 39.1 KB", "chunk: 16 KB 40%", "chunk: 32 KB 81%", "complete: 39.1 KB",
                  "progress closed", "choose folder", "save: C:\\Downloads\\setup-2.7.0.exe"}));
}

TEST_F(UpdateCheck, aDeclinedFolderOrFailedSaveIsSilent)
{
    publishNewVersion();
    http.responses[kInstallerUrl] = fakes::withLength("tiny");
    ui.choice = UpdateChoice::Download;
    ui.folderChosen.reset();
    CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_EQ(r.installerPath, "");
    ASSERT_FALSE(ui.events.empty());
    EXPECT_EQ(ui.events.back(), "choose folder");

    ui.events.clear();
    settings.values.clear(); // the first check kept its time
    ui.folderChosen = "C:\\ReadOnly\\";
    ui.saveSucceeds = false;
    r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_EQ(r.installerPath, "");
    EXPECT_EQ(ui.events.back(), "save: C:\\ReadOnly\\setup-2.7.0.exe");
}

TEST_F(UpdateCheck, aFolderTooLongForTheRecordFailsTheSaveWithoutWriting)
{
    publishNewVersion();
    http.responses[kInstallerUrl] = fakes::withLength("tiny");
    ui.choice = UpdateChoice::Download;
    ui.folderChosen = "C:\\" + std::string(250, 'd') + "\\";
    const CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_EQ(ui.events.back(), "choose folder");
}

TEST_F(UpdateCheck, downloadFailuresAreReportedOnce)
{
    publishNewVersion();
    ui.choice = UpdateChoice::Download;
    CheckResult r = run(); // installer address cannot be opened
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_EQ(ui.events.back(), "error: Brellix - Download Error | Failed to connect to the "
                                "server that has the new version.");

    ui.events.clear();
    settings.values.clear(); // the first check kept its time
    fakes::Response shortBody;
    shortBody.body = "abc";
    shortBody.contentLength = 100000;
    http.responses[kInstallerUrl] = shortBody;
    r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_FALSE(ui.saw("choose folder"));
    EXPECT_EQ(ui.events.back(), "error: Brellix - Download Error | Failed to tranfer file.");
    EXPECT_EQ(ui.events[ui.events.size() - 2], "progress closed");
}

TEST_F(UpdateCheck, aCancelledDownloadAsksForNoFolder)
{
    publishNewVersion();
    http.responses[kInstallerUrl] = fakes::withLength(std::string(100000, 'x'));
    ui.choice = UpdateChoice::Download;
    ui.cancelAfterChunk = 1;
    const CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_FALSE(ui.saw("choose folder"));
    EXPECT_EQ(ui.events.back(), "error: Brellix - Download Canceled | Download canceled.");
}

TEST_F(UpdateCheck, anInstallerNameThatLeavesTheFolderIsNotSaved)
{
    publish("1\n2.7.0\ndate\nhttp://page/\nhttp://x/..\\..\\Windows\\evil.exe\n");
    http.responses["http://x/..\\..\\Windows\\evil.exe"] = fakes::withLength("evil");
    ui.choice = UpdateChoice::Download;
    const CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_FALSE(ui.sawPrefix("save:"));
}

TEST_F(UpdateCheck, anInstallerNameThatIsNoProgramIsAFailedTransfer)
{
    for (const std::string name : {"NUL", "wininet.dll", "Com1.EXE", "setup.exe.txt"}) {
        const std::string url = "http://127.0.0.1/files/" + name;
        publish("1\n2.7.0\ndate\nhttp://page/\n" + url + "\n");
        http.responses[url] = fakes::withLength("MZ");
        http.opened.clear();
        ui.events.clear();
        settings.values.clear();
        ui.choice = UpdateChoice::Download;
        const CheckResult r = run();
        EXPECT_FALSE(r.installerDownloaded) << name;
        EXPECT_EQ(ui.events.back(), "error: Brellix - Download Error | Failed to tranfer file.")
            << name;
        EXPECT_FALSE(ui.saw("choose folder")) << name;
        EXPECT_EQ(http.opened, std::vector<std::string>{kVersionUrl}) << name;
    }
}

TEST_F(UpdateCheck, anInstallerAnsweredWithAnErrorPageIsAFailedTransfer)
{
    publishNewVersion();
    fakes::Response notFound = fakes::withLength("<html><body>404 Not Found</body></html>");
    notFound.status = 404;
    http.responses[kInstallerUrl] = notFound;
    ui.choice = UpdateChoice::Download;
    const CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_FALSE(ui.saw("choose folder"));
    EXPECT_FALSE(ui.sawPrefix("save:"));
    EXPECT_EQ(ui.events.back(), "error: Brellix - Download Error | Failed to tranfer file.");
}

TEST_F(UpdateCheck, theVersionFileIsReadWhateverItsStatus)
{
    fakes::Response page = fakes::withLength("1\n2.6.0\n");
    page.status = 404;
    http.responses[kVersionUrl] = page;
    run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{"connecting", "connected"}));
    EXPECT_EQ(settings.lastCheck(), std::uint32_t(kNow));
}

TEST_F(UpdateCheck, anInstallerAnnouncedAboveTheLimitIsRefusedUnread)
{
    publishNewVersion();
    fakes::Response huge;
    huge.body = "MZ";
    huge.contentLength = kMaxInstallerSize + 1;
    http.responses[kInstallerUrl] = huge;
    ui.choice = UpdateChoice::Download;
    const CheckResult r = run();
    EXPECT_FALSE(r.installerDownloaded);
    EXPECT_TRUE(http.reads[kInstallerUrl].empty());
    EXPECT_EQ(ui.events.back(), "error: Brellix - Download Error | Failed to tranfer file.");
}

TEST_F(UpdateCheck, theTimeKeptIsWhenTheCheckCompleted)
{
    // The user answers the question ten minutes after it appeared.
    class SlowUser : public fakes::Ui {
    public:
        explicit SlowUser(fakes::Clock& c) : clock(c) {}
        bool askToConnect(const std::string& text, const std::string& caption) override
        {
            clock.seconds += 600;
            return fakes::Ui::askToConnect(text, caption);
        }
        fakes::Clock& clock;
    };
    SlowUser slow(clock);
    in.flags = 2 | Flags::kAskFirst;
    publish("1\n2.6.0\n");
    CheckPorts ports{&http, settings, slow, clock};
    runCheck(in, ports);
    EXPECT_EQ(settings.lastCheck(), std::uint32_t(kNow + 600));
}

TEST_F(UpdateCheck, aVersionFileTooSlowForTheTimeLimitFailsTheCheck)
{
    // The published file is 80 bytes, served one byte per read.
    publishNewVersion();
    http.responses[kVersionUrl].piece = 1;
    ui.choice = UpdateChoice::Download;

    clock.tickStep = 500; // 80 reads in about 40 s: in time
    run();
    EXPECT_TRUE(ui.saw("offer: detailed"));

    settings.values.clear();
    ui.events.clear();
    clock.tickStep = 1000; // about 80 s: too slow
    const CheckResult r = run();
    EXPECT_EQ(ui.events, (std::vector<std::string>{
                             "connecting",
                             "error: Brellix - Read Error | There was an error reading all the "
                             "data from the version update server.",
                             "connected"}));
    EXPECT_FALSE(settings.lastCheck());
    EXPECT_FALSE(r.installerDownloaded);
}

TEST_F(UpdateCheck, aPublishedDigestLetsOnlyTheMatchingInstallerBeSaved)
{
    const std::string installer(40000, 'I');
    const std::string digest(64, 'c');
    KnownDigests digests;
    digests.of[installer] = digest;
    http.responses[kInstallerUrl] = fakes::withLength(installer);
    ui.choice = UpdateChoice::Download;
    const std::string five = "1\n2.7.0\nMay 5, 2003\nhttp://page/new.html\n" + kInstallerUrl + "\n";
    const std::string refused = "error: Brellix - Download Error | The downloaded file is not the "
                                "published installer. It was not saved.";

    publish(five + "sha256=" + std::string(64, 'C') + "\n");
    CheckResult r = run(true, &digests);
    EXPECT_TRUE(r.installerDownloaded) << "the digest matches whatever its letter case";
    EXPECT_EQ(ui.savedData, installer);
    EXPECT_EQ(digests.computed, 1);

    // Another digest, a digest line without a digest, or no way to compute one: the
    // download is refused before the folder is asked for.
    for (const std::string& line :
         {"sha256=" + std::string(63, 'c') + "d", "sha256=" + std::string(63, 'c')}) {
        publish(five + line + "\n");
        settings.values.clear(); // due again
        ui.events.clear();
        ui.savedData.clear();
        r = run(true, &digests);
        EXPECT_FALSE(r.installerDownloaded) << line;
        EXPECT_TRUE(r.installerPath.empty());
        EXPECT_TRUE(ui.saw(refused)) << line;
        EXPECT_FALSE(ui.saw("choose folder"));
        EXPECT_TRUE(ui.savedData.empty());
    }
    publish(five + "sha256=" + digest + "\n");
    settings.values.clear();
    ui.events.clear();
    EXPECT_FALSE(run(true, nullptr).installerDownloaded);
    EXPECT_TRUE(ui.saw(refused));

    // Without a digest line nothing is computed and the download is saved as before.
    publish(five);
    settings.values.clear();
    digests.computed = 0;
    EXPECT_TRUE(run(true, &digests).installerDownloaded);
    EXPECT_EQ(digests.computed, 0);
}
