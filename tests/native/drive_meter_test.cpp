#include "meter/volumes/drive_meter.h"
#include "meter/volumes/log_file.h"
#include "volume_fakes.h"

#include <gtest/gtest.h>

namespace {

WatchedVolume volume(const std::string& path, std::uint32_t warningMB = kNoWarning,
                     const std::string& userName = {})
{
    WatchedVolume v;
    v.path = path;
    v.warningMB = warningMB;
    v.userName = userName;
    return v;
}

class LinesLog : public MeterLog {
public:
    void appendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

struct DriveFixture : ::testing::Test {
    DriveFixture() : meter(settings, system, alerts, tray)
    {
        settings.booleans = Booleans::kShowUsedPercent | Booleans::kColumnFree |
                            Booleans::kColumnUsed | Booleans::kColumnTotal |
                            Booleans::kColumnPercentage;
        system.labels["C:\\"] = "System";
        system.labels["D:\\"] = "Data";
    }
    AppSettings settings;
    FakeVolumeSystem system;
    RecordingAlerts alerts;
    RecordingTray tray;
    DriveMeter meter;
};

} // namespace

TEST(volumeDisplayName, friendlyNameLabelOrShareName)
{
    FakeVolumeSystem system;
    system.labels["D:\\"] = "Data";
    EXPECT_EQ(volumeDisplayName(volume("D:\\", kNoWarning, "Photos"), system), "Photos");
    EXPECT_EQ(volumeDisplayName(volume("D:\\"), system), "Data (D)");
    // A drive whose label cannot be read shows its path.
    EXPECT_EQ(volumeDisplayName(volume("E:\\"), system), "E:\\");
    EXPECT_EQ(volumeDisplayName(volume("\\\\server\\public\\"), system), "public");
    EXPECT_EQ(volumeDisplayName(volume("\\\\server\\"), system), "");
    EXPECT_EQ(volumeDisplayName(volume("\\\\server"), system), "");
    EXPECT_EQ(withTrailingBackslash("C:"), "C:\\");
    EXPECT_EQ(withTrailingBackslash("C:\\"), "C:\\");
}

TEST(defaultVolumeList, fixedAndRemovableDrivesAfterTheFloppies)
{
    FakeVolumeSystem system;
    system.drives = {"a:\\", "C:\\", "d:\\", "E:\\", "F:\\"};
    system.types = {{"A:\\", DriveType::Removable},
                    {"C:\\", DriveType::Fixed},
                    {"D:\\", DriveType::CdRom},
                    {"E:\\", DriveType::Removable},
                    {"F:\\", DriveType::Remote}};
    const auto volumes = defaultVolumeList(system);
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[0].path, "C:\\");
    EXPECT_EQ(volumes[1].path, "E:\\");
    EXPECT_EQ(volumes[0].warningMB, kNoWarning);
    EXPECT_FALSE(volumes[1].inToolTip);

    system.drives = {"A:\\", "D:\\"};
    const auto fallback = defaultVolumeList(system);
    ASSERT_EQ(fallback.size(), 1u);
    EXPECT_EQ(fallback[0].path, "C:\\");

    AppSettings settings;
    system.drives = {"C:\\", "E:\\"};
    applyDefaultVolumes(settings, system);
    EXPECT_EQ(settings.volumes.size(), 2u);
    EXPECT_EQ(settings.numDrivesDisplayed, 2u);
    settings.volumes.pop_back();
    applyDefaultVolumes(settings, system); // a configured list stays as it is
    EXPECT_EQ(settings.volumes.size(), 1u);
}

TEST(volumeImages, fillLevelsAndWarningColour)
{
    EXPECT_EQ(fillImage(0.0, false), 0);
    EXPECT_EQ(fillImage(1.0, false), 20);
    EXPECT_EQ(fillImage(1.0, true), 41);
    EXPECT_EQ(fillImage(0.0, true), 21);
    EXPECT_EQ(fillImage(0.025, false), 1); // half a step rounds up
    EXPECT_EQ(fillImage(0.0249, false), 0);
    EXPECT_EQ(fillImage(0.5, true), 31);
}

TEST(volumeImages, trayIconLevels)
{
    EXPECT_EQ(volumeTrayIcon(0, false, false), 135);
    EXPECT_EQ(volumeTrayIcon(3.0, false, false), 135);   // 0.48 rounds to empty
    EXPECT_EQ(volumeTrayIcon(3.125, false, false), 136); // 0.5 rounds up
    EXPECT_EQ(volumeTrayIcon(100, false, false), 151);
    EXPECT_EQ(volumeTrayIcon(100, false, true), 167);
    EXPECT_EQ(volumeTrayIcon(50, false, true), 135 + 8 + 16);
    // Showing free space turns the level round.
    EXPECT_EQ(volumeTrayIcon(100, true, true), 135);
    EXPECT_EQ(volumeTrayIcon(25, true, false), 135 + 12);
    EXPECT_EQ(volumeTrayTip("Data (D)", 1536 * 1024), "Data (D)  1.5 MB free");
}

TEST(volumeSpace, warningTransitionsAlertOnEachDrop)
{
    FakeVolumeSystem system;
    const WatchedVolume v = volume("D:\\", 500);
    VolumeState state{v.path};
    std::vector<bool> newly;
    for (std::uint64_t freeMB : {600, 450, 400, 700, 450}) {
        system.setSpace("D:\\", 1000, freeMB);
        const auto space = queryVolumeSpace(v, state, false, system);
        ASSERT_TRUE(space);
        newly.push_back(space->newlyBelow);
    }
    EXPECT_EQ(newly, (std::vector<bool>{false, true, false, false, true}));
}

TEST(volumeSpace, noWarningLevelIsNeverBelowAndFailuresWaitForForce)
{
    FakeVolumeSystem system;
    system.setSpace("C:\\", 1000, 0);
    WatchedVolume v = volume("C:\\");
    VolumeState state{v.path};
    auto space = queryVolumeSpace(v, state, false, system);
    ASSERT_TRUE(space);
    EXPECT_FALSE(space->below);
    EXPECT_DOUBLE_EQ(space->usedMB, 1000);

    system.setUnreachable("C:\\");
    EXPECT_FALSE(queryVolumeSpace(v, state, false, system));
    EXPECT_TRUE(state.failed);
    system.setSpace("C:\\", 1000, 10);
    EXPECT_FALSE(queryVolumeSpace(v, state, false, system)); // not asked again
    EXPECT_EQ(system.queries["C:\\"], 2);
    EXPECT_TRUE(queryVolumeSpace(v, state, true, system));
    EXPECT_FALSE(state.failed);

    // A volume that reports no size at all is shown empty, not as a division by zero.
    system.setSpace("C:\\", 0, 0);
    space = queryVolumeSpace(v, state, true, system);
    ASSERT_TRUE(space);
    EXPECT_EQ(space->usedPercent(), 0.0);
}

TEST(volumeAlert, nameSubstitution)
{
    EXPECT_EQ(substituteVolumeName("%V is low", "Data (D)"), "Data (D) is low");
    EXPECT_EQ(substituteVolumeName("%v and %V", "X"), "X and X");
    EXPECT_EQ(substituteVolumeName("100%", "X"), "100%");
    EXPECT_EQ(substituteVolumeName("%%VV", "X"), "%XV");
    // A name containing the marker is not replaced again.
    EXPECT_EQ(substituteVolumeName("%V-%V", "a%Vb"), "a%Vb-a%Vb");
}

TEST(volumeAlert, commandLineNeverCut)
{
    AppSettings settings;
    EXPECT_FALSE(volumeAlertCommand(settings, "Data (D)")); // no program configured
    settings.volumeAlertExe = "C:\\Tools\\notify.exe";
    settings.volumeAlertOptions = "%V is low";
    EXPECT_EQ(volumeAlertCommand(settings, "Data (D)"),
              "\"C:\\Tools\\notify.exe\" Data (D) is low");

    // Past 260 characters the arguments are kept whole.
    settings.volumeAlertOptions = std::string(300, 'a') + " %V";
    const auto longCommand = volumeAlertCommand(settings, "Data (D)");
    ASSERT_TRUE(longCommand);
    EXPECT_EQ(longCommand->substr(longCommand->size() - 9), " Data (D)");
    settings.volumeAlertOptions = std::string(kMaxCommandLine, 'a');
    EXPECT_FALSE(volumeAlertCommand(settings, "Data (D)"));
}

TEST(volumeAlert, soundsAndProgramPerVolume)
{
    AppSettings settings;
    RecordingAlerts alerts;
    runVolumeAlert(settings, {}, alerts);
    settings.volumeWarningSound = kWarningSoundVoice;
    settings.volumeAlertExe = "alert.exe";
    settings.volumeAlertOptions = "%V";
    runVolumeAlert(settings, {}, alerts);
    EXPECT_TRUE(alerts.waves.empty());

    alerts.startSucceeds = false; // a failed start does not stop the others
    runVolumeAlert(settings, {"C", "D"}, alerts);
    ASSERT_EQ(alerts.waves.size(), 1u);
    EXPECT_EQ(alerts.waves[0].resource, kVoiceWave);
    EXPECT_FALSE(alerts.waves[0].synchronous);
    EXPECT_EQ(alerts.commands, (std::vector<std::string>{"\"alert.exe\" C", "\"alert.exe\" D"}));

    alerts.waves.clear();
    settings.volumeWarningSound = kWarningSoundTone;
    runVolumeAlert(settings, {"C"}, alerts);
    ASSERT_EQ(alerts.waves.size(), 2u);
    EXPECT_EQ(alerts.waves[0].resource, kSoundWave);
    EXPECT_TRUE(alerts.waves[0].synchronous);
    EXPECT_FALSE(alerts.waves[1].synchronous);
}

TEST(driveList, columnsInFixedOrderAndStoredOrderChecked)
{
    AppSettings settings;
    settings.booleans = Booleans::kColumnPercentage | Booleans::kColumnFree;
    EXPECT_EQ(shownDriveColumns(settings),
              (std::vector<DriveColumn>{DriveColumn::Free, DriveColumn::Percentage}));

    settings.columnOrder = {2, 0, 1, 3, 4};
    EXPECT_EQ(driveColumnOrder(settings, 3), (std::vector<int>{2, 0, 1}));
    // Saved with five columns, now three: that order does not fit.
    settings.columnOrder = {4, 3, 2, 1, 0};
    EXPECT_EQ(driveColumnOrder(settings, 3), (std::vector<int>{0, 1, 2}));
    settings.columnOrder = {0, 0, 1, 3, 4};
    EXPECT_EQ(driveColumnOrder(settings, 3), (std::vector<int>{0, 1, 2}));

    storeDriveColumnOrder(settings, {2, 0, 1});
    EXPECT_EQ(settings.columnOrder, (std::array<std::int32_t, 5>{2, 0, 1, 3, 4}));
    EXPECT_EQ(settings.columnPositions, (std::array<std::int32_t, 5>{1, 2, 0, 3, 4}));
    EXPECT_EQ(driveColumnOrder(settings, 3), (std::vector<int>{2, 0, 1}));
}

TEST_F(DriveFixture, rowsShowImagesAndFiguresInMegabytes)
{
    settings.volumes = {volume("C:\\"), volume("D:\\", 500)};
    system.setSpace("C:\\", 2048, 1536);
    system.setSpace("D:\\", 1000, 400);
    meter.update(false);
    const auto& rows = meter.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "System (C)");
    EXPECT_EQ(rows[0].image, 5); // a quarter used
    ASSERT_EQ(rows[0].cells.size(), 4u);
    EXPECT_EQ(rows[0].cells[0].text, "1,536.0");
    EXPECT_EQ(rows[0].cells[1].text, "512.0");
    EXPECT_EQ(rows[0].cells[2].text, "2,048.0");
    EXPECT_EQ(rows[0].cells[3].text, "25.0%");
    EXPECT_EQ(rows[0].cells[0].image, kNoImage);

    EXPECT_EQ(rows[1].image, 12 + 21); // 60% used, below its warning level
    EXPECT_EQ(rows[1].cells[0].image, kWarningMarkImage);
    EXPECT_EQ(rows[1].cells[1].image, kNoImage);
}

TEST_F(DriveFixture, gigabytesFreePercentAndFreePicture)
{
    settings.booleans = Booleans::kVolumeSizesInGB | Booleans::kVolumeShowsRemaining |
                        Booleans::kColumnTotal | Booleans::kColumnPercentage;
    settings.volumes = {volume("C:\\", 10)};
    system.setSpace("C:\\", 4096, 1024);
    meter.update(false);
    const DriveRow& row = meter.rows().at(0);
    EXPECT_EQ(row.image, 5); // a quarter free
    ASSERT_EQ(row.cells.size(), 2u);
    EXPECT_EQ(row.cells[0].text, "4.000");
    EXPECT_EQ(row.cells[1].text, "25.0%");
    EXPECT_EQ(meter.columns(),
              (std::vector<DriveColumn>{DriveColumn::Total, DriveColumn::Percentage}));
}

TEST_F(DriveFixture, alertRunsOnEachDropBelowTheLevel)
{
    settings.volumes = {volume("D:\\", 500)};
    settings.volumeAlertExe = "C:\\alert.exe";
    settings.volumeAlertOptions = "%V is low";
    for (std::uint64_t freeMB : {600, 450, 400, 700, 450}) {
        system.setSpace("D:\\", 1000, freeMB);
        meter.update(false);
    }
    EXPECT_EQ(alerts.commands, (std::vector<std::string>(2, "\"C:\\alert.exe\" Data (D) is low")));
}

TEST_F(DriveFixture, unavailableVolumesHiddenOrMarkedAndRetriedOnManualUpdate)
{
    settings.volumes = {volume("C:\\"), volume("\\\\srv\\share\\")};
    system.setSpace("C:\\", 100, 50);
    meter.update(false);
    ASSERT_EQ(meter.rows().size(), 1u);
    EXPECT_EQ(meter.visibleVolumeCount(), 1u);

    settings.setFlag(Booleans::kShowUnavailableVolumes, true);
    meter.update(false);
    ASSERT_EQ(meter.rows().size(), 2u);
    EXPECT_EQ(meter.rows()[1].name, "share");
    EXPECT_EQ(meter.rows()[1].image, kUnavailableImage);
    EXPECT_FALSE(meter.commandPath(1));
    EXPECT_EQ(meter.commandPath(0), "C:\\");
    EXPECT_EQ(meter.visibleVolumeCount(), 2u);
    EXPECT_EQ(system.queries["\\\\srv\\share\\"], 1); // the timer does not ask again

    system.setSpace("\\\\srv\\share\\", 100, 10);
    meter.update(false);
    EXPECT_EQ(meter.rows()[1].image, kUnavailableImage);
    meter.update(true);
    EXPECT_EQ(meter.rows()[1].image, 18);

    // With retrying on, the timer asks failed volumes too.
    system.setUnreachable("C:\\");
    meter.update(false);
    system.setSpace("C:\\", 100, 50);
    settings.setFlag(Booleans::kRetryFailedVolumes, true);
    meter.update(false);
    EXPECT_EQ(meter.rows()[0].image, 10);
}

TEST_F(DriveFixture, volumeTrayIconsFollowTheVolumes)
{
    WatchedVolume d = volume("D:\\", 500);
    d.inToolTip = true;
    settings.volumes = {volume("C:\\"), d};
    system.setSpace("C:\\", 100, 50);
    system.setSpace("D:\\", 1000, 400);
    EXPECT_EQ(meter.update(false), 1u);
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].operation, TrayOperation::Add);
    EXPECT_EQ(tray.calls[0].id, kVolumeTrayIdBase + 1);
    EXPECT_EQ(tray.calls[0].icon, 135 + 10 + 16); // 60% used, below
    EXPECT_EQ(tray.calls[0].tip, "Data (D)  400.0 MB free");

    meter.update(false);
    EXPECT_EQ(tray.calls.back().operation, TrayOperation::Modify);
    // A manual update takes the icon out and puts it back.
    meter.update(true);
    ASSERT_GE(tray.calls.size(), 4u);
    EXPECT_EQ(tray.calls[tray.calls.size() - 2].operation, TrayOperation::Delete);
    EXPECT_EQ(tray.calls.back().operation, TrayOperation::Add);

    settings.volumes[1].inToolTip = false;
    EXPECT_EQ(meter.update(false), 0u);
    EXPECT_EQ(tray.calls.back().operation, TrayOperation::Delete);
}

TEST_F(DriveFixture, manualUpdateKeepsTheIconOfAVolumeThatFails)
{
    WatchedVolume d = volume("D:\\");
    d.inToolTip = true;
    settings.volumes = {d};
    system.setSpace("D:\\", 1000, 400);
    EXPECT_EQ(meter.update(false), 1u);
    const std::size_t before = tray.calls.size();

    system.setUnreachable("D:\\");
    EXPECT_EQ(meter.update(true), 1u); // still in the tray
    EXPECT_EQ(tray.calls.size(), before);
}

TEST_F(DriveFixture, logsEveryNthTimedUpdateOneLinePerVolume)
{
    LinesLog log;
    meter.setLog(&log);
    meter.options().setLogToFile(true);
    meter.driveOptions().setLogInterval(3);
    settings.volumes = {volume("C:\\"), volume("D:\\")};
    system.setSpace("C:\\", 2048, 1536);
    system.setSpace("D:\\", 1000, 400);
    for (int i = 0; i < 6; ++i)
        meter.update(false);
    meter.update(true); // manual updates are never logged and do not count
    EXPECT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], "System (C), 1536.0, 512.0, 2048.0, 25.0%");
    EXPECT_EQ(log.lines[1], "Data (D), 400.0, 600.0, 1000.0, 60.0%");

    settings.booleans = Booleans::kLogTabSeparator | Booleans::kVolumeSizesInGB;
    for (int i = 0; i < 3; ++i)
        meter.update(false);
    ASSERT_EQ(log.lines.size(), 6u);
    EXPECT_EQ(log.lines[4], "System (C)\t1536.0\t512.0\t2048.0\t75.0%"); // free percent, MB
}

TEST(driveListSize, headerRowsEdgesAndAScrollBarWhenCut)
{
    // Two rows of 17 under a 20-pixel header, inside 2-pixel edges.
    EXPECT_EQ(driveListSize(300, 20, 17, {2, false}, 16, 2).cx, 304);
    EXPECT_EQ(driveListSize(300, 20, 17, {2, false}, 16, 2).cy, 20 + 34 + 4);
    EXPECT_EQ(driveListSize(300, 20, 17, {2, true}, 16, 2).cx, 320);
    EXPECT_EQ(driveListSize(300, 20, 17, {0, false}, 16, 2).cy, 24);
}
