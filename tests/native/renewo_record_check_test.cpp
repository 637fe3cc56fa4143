#include "renewo/record_check.h"

#include "renewo_fakes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using namespace renewo;
namespace Flags = SoftwareRenewo::Flags;

namespace {

SoftwareRenewo::TData record(std::uint32_t flags)
{
    SoftwareRenewo::TData d;
    std::memset(&d, 0x5a, sizeof d); // results must be cleared by the call
    d.flags = flags;
    std::strcpy(d.appName, "Brellix");
    std::strcpy(d.currentVersion, "2.6.0");
    std::strcpy(d.webSiteUrl, "http://127.0.0.1/");
    std::strcpy(d.versionFileUrl, "http://127.0.0.1/brellix.txt");
    return d;
}

// The question box cannot be shown: the window system is out of resources.
class BrokenUi : public fakes::Ui {
public:
    bool askToConnect(const std::string&, const std::string&) override
    {
        throw std::runtime_error("no window");
    }
};

} // namespace

TEST(renewoRecordCheck, aCheckEndedByAnExceptionStillAsksToStopTheTimer)
{
    fakes::Session http;
    fakes::Settings settings;
    BrokenUi ui;
    fakes::Clock clock(1700000000);
    SoftwareRenewo::TData d = record(1 | Flags::kAskFirst);
    EXPECT_THROW(checkRecord(d,
                             [&](const CheckInput& in, CheckResult& result) {
                                 CheckPorts ports{&http, settings, ui, clock};
                                 runCheck(in, ports, result);
                             }),
                 std::runtime_error);
    EXPECT_EQ(d.stopScheduledChecks, 1);
    EXPECT_EQ(d.installerDownloaded, 0);
    EXPECT_EQ(d.installerPath[0], '\0');
}

TEST(renewoRecordCheck, theRecordsFieldsGoInAndTheResultsComeBack)
{
    SoftwareRenewo::TData d = record(2);
    std::memset(d.appName, 'A', sizeof d.appName); // unterminated: read to the field's end
    CheckInput seen;
    checkRecord(d, [&](const CheckInput& in, CheckResult& result) {
        seen = in;
        result.installerDownloaded = true;
        result.installerPath = "C:\\Down\\setup.exe";
    });
    EXPECT_EQ(seen.flags, 2u);
    EXPECT_EQ(seen.appName, std::string(sizeof d.appName, 'A'));
    EXPECT_EQ(seen.versionFileUrl, "http://127.0.0.1/brellix.txt");
    EXPECT_EQ(d.installerDownloaded, 1);
    EXPECT_EQ(d.stopScheduledChecks, 0);
    EXPECT_STREQ(d.installerPath, "C:\\Down\\setup.exe");
}
