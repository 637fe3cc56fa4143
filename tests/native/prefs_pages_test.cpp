#include "meter/prefs/general_pages.h"
#include "meter/prefs/meter_limits.h"
#include "meter/prefs/schedule_pages.h"
#include "meter/timer_labels.h"

#include <gtest/gtest.h>

namespace {

AppSettings defaults()
{
    AppSettings s;
    s.resetDefaults("C:\\Brellix\\");
    return s;
}

// Loads a page and stores it straight back: what an untouched visit does.
template <typename Load, typename Store>
AppSettings visited(const AppSettings& s, Load load, Store store)
{
    AppSettings out = s;
    store(load(s), out);
    return out;
}

} // namespace

TEST(applicationOptionsPage, bitsAndInvertedBits)
{
    AppSettings s = defaults();
    auto f = loadApplicationOptions(s);
    EXPECT_FALSE(f.alwaysOnTop.value());
    EXPECT_TRUE(f.hideFromTaskBar.value()); // bit 3 is on by default
    EXPECT_TRUE(f.keepOnScreen.value());
    EXPECT_TRUE(f.useMailPlugin.value());

    f.alwaysOnTop.set(true);
    f.keepOnScreen.set(false);
    f.useMailPlugin.set(false);
    storeApplicationOptions(f, s);
    EXPECT_TRUE(s.flag(Booleans::kAlwaysOnTop));
    EXPECT_TRUE(s.flag(Booleans::kDoNotKeepOnScreen));
    EXPECT_TRUE(s.flag(Booleans::kNoMailPlugin));
}

TEST(applicationOptionsPage, closeActionBothWays)
{
    AppSettings s = defaults();
    EXPECT_EQ(loadApplicationOptions(s).closeAction.value(), kCloseAskIndex);
    s.setFlag(Booleans::kCloseHides, true);
    EXPECT_EQ(loadApplicationOptions(s).closeAction.value(), kCloseHideIndex);
    s.setFlag(Booleans::kCloseExits, true); // exit wins over hide
    EXPECT_EQ(loadApplicationOptions(s).closeAction.value(), kCloseExitIndex);

    auto f = loadApplicationOptions(s);
    f.closeAction.set(kCloseHideIndex);
    storeApplicationOptions(f, s);
    EXPECT_TRUE(s.flag(Booleans::kCloseHides));
    EXPECT_FALSE(s.flag(Booleans::kCloseExits));
    f.closeAction.set(kCloseAskIndex);
    storeApplicationOptions(f, s);
    EXPECT_FALSE(s.flag(Booleans::kCloseHides) || s.flag(Booleans::kCloseExits));
}

TEST(applicationOptionsPage, hotKeyItemsAndVirtualKeys)
{
    ASSERT_EQ(hotKeyItems().size(), 37u);
    EXPECT_EQ(hotKeyItems()[10], "F11");
    EXPECT_EQ(hotKeyItems()[11], "A");
    EXPECT_EQ(virtualKeyOfIndex(11), 65u);  // "A"
    EXPECT_EQ(virtualKeyOfIndex(10), 122u); // "F11"
    EXPECT_EQ(hotKeyIndexOf(121), 9);       // F10
    EXPECT_EQ(hotKeyIndexOf(90), 36);       // Z

    AppSettings s = defaults();
    auto f = loadApplicationOptions(s);
    f.hotKeyOn.set(true);
    f.ctrl.set(true);
    f.keyIndex.set(11);
    storeApplicationOptions(f, s);
    EXPECT_TRUE(s.flag(Booleans::kHotKeyActivation));
    EXPECT_EQ(s.hotKey.virtualKey, 65u);
    EXPECT_EQ(s.hotKey.modifiers, kHotKeyCtrl | kHotKeyWindows);
}

TEST(applicationOptionsPage, hotKeyOffLeavesTheKeyAsItWas)
{
    AppSettings s = defaults();
    s.setFlag(Booleans::kHotKeyActivation, true);
    auto f = loadApplicationOptions(s);
    f.keyIndex.set(20);
    f.alt.set(true);
    f.hotKeyOn.set(false);
    storeApplicationOptions(f, s);
    EXPECT_FALSE(s.flag(Booleans::kHotKeyActivation));
    EXPECT_EQ(s.hotKey.virtualKey, 121u);
    EXPECT_EQ(s.hotKey.modifiers, 0u);
}

TEST(untouchedControls, valuesOutOfRangeAreShownNearestButKept)
{
    AppSettings s = defaults();
    s.hotKey = {5, 3};                                  // no key the list can show
    s.volumeWarningSound = 7;                           // no such sound
    s.booleans |= 6u << Booleans::kUpdateIntervalShift; // no such frequency
    s.logFileBuffer = 5;                                // any value above 1 buffers a lot
    s.timerSeconds = {45, 0, 300}; // not a multiple of 30; out of the sliders' range
    s.setFlag(Booleans::kLogTabSeparator, true);
    s.setFlag(Booleans::kLogCsvExtension, true);

    EXPECT_EQ(loadApplicationOptions(s).keyIndex.value(), 0);
    EXPECT_EQ(loadVolumeOptions(s).sound.value(), 2);
    EXPECT_EQ(loadAutoUpdate(s).frequency.value(), 3);
    EXPECT_EQ(loadLogFiles(s).buffer.value(), 2);
    EXPECT_FALSE(loadLogFiles(s).csv.value());              // a tab-separated log is a ".txt" file
    EXPECT_EQ(loadUpdateTimes(s).drivePosition.value(), 2); // 45 s: nearest is 60 s
    EXPECT_EQ(loadUpdateTimes(s).timer1.value(), 1);
    EXPECT_EQ(loadUpdateTimes(s).timer2.value(), 60);

    AppSettings out = visited(s, loadApplicationOptions, storeApplicationOptions);
    out = visited(out, loadVolumeOptions, storeVolumeOptions);
    out = visited(out, loadAutoUpdate, storeAutoUpdate);
    out = visited(out, loadLogFiles, storeLogFiles);
    out = visited(out, loadUpdateTimes, storeUpdateTimes);
    out = visited(out, loadRemoteComputer, storeRemoteComputer);
    out = visited(out, loadMeterOptionsPage, storeMeterOptionsPage);
    EXPECT_EQ(out.hotKey.virtualKey, 5u);
    EXPECT_EQ(out.hotKey.modifiers, 3u);
    EXPECT_EQ(out.volumeWarningSound, 7u);
    EXPECT_EQ(out.booleans, s.booleans);
    EXPECT_EQ(out.logFileBuffer, 5u);
    EXPECT_EQ(out.timerSeconds, s.timerSeconds);
}

TEST(untouchedControls, touchingAControlWritesTheChoiceShown)
{
    AppSettings s = defaults();
    s.timerSeconds[0] = 45;
    s.logFileBuffer = 5;
    auto times = loadUpdateTimes(s);
    times.drivePosition.set(times.drivePosition.value());
    storeUpdateTimes(times, s);
    EXPECT_EQ(s.timerSeconds[0], 60u);
    auto logs = loadLogFiles(s);
    logs.buffer.set(2);
    storeLogFiles(logs, s);
    EXPECT_EQ(s.logFileBuffer, 2u);
}

TEST(volumeOptionsPage, bitsAndEnableRules)
{
    AppSettings s = defaults();
    auto f = loadVolumeOptions(s);
    EXPECT_TRUE(f.columnPercentage.value());
    EXPECT_TRUE(percentChoicesEnabled(f));
    EXPECT_FALSE(f.hideUnavailable.value()); // bit 1 set: unavailable volumes shown
    EXPECT_TRUE(f.noRetry.value());          // bit 12 clear
    EXPECT_FALSE(alertProgramEnabled(f));

    f.columnPercentage.set(false);
    f.hideUnavailable.set(true);
    f.noRetry.set(false);
    f.gigabytes.set(true);
    f.graphShowsRemaining.set(true);
    EXPECT_FALSE(percentChoicesEnabled(f));
    storeVolumeOptions(f, s);
    EXPECT_FALSE(s.flag(Booleans::kColumnPercentage));
    EXPECT_FALSE(s.flag(Booleans::kShowUnavailableVolumes));
    EXPECT_TRUE(s.flag(Booleans::kRetryFailedVolumes));
    EXPECT_TRUE(s.flag(Booleans::kVolumeSizesInGB));
    EXPECT_TRUE(s.flag(Booleans::kVolumeShowsRemaining));
}

TEST(volumeOptionsPage, alertProgramStoredOnlyWhileChecked)
{
    AppSettings s = defaults();
    s.volumeAlertExe = "C:\\warn.exe";
    s.volumeAlertOptions = "%V";
    auto f = loadVolumeOptions(s);
    EXPECT_TRUE(f.runApplication.value());
    f.alertOptions.set("-q %V");
    storeVolumeOptions(f, s);
    EXPECT_EQ(s.volumeAlertOptions, "-q %V");

    f.runApplication.set(false);
    storeVolumeOptions(f, s);
    EXPECT_EQ(s.volumeAlertExe, "");
    EXPECT_EQ(s.volumeAlertOptions, "-q %V");
}

TEST(volumeOptionsPage, filterForTheSystemDialog)
{
    const std::string filter = systemFilter(kAlertProgramFilter);
    EXPECT_EQ(filter.substr(0, 20), std::string("Executables (*.exe)\0", 20));
    EXPECT_EQ(filter.size(), std::string(kAlertProgramFilter).size());
    EXPECT_EQ(filter.substr(filter.size() - 2), std::string("\0\0", 2));
}

TEST(meterOptionsPage, alignmentAndAverage)
{
    AppSettings s = defaults();
    auto f = loadMeterOptionsPage(s);
    EXPECT_EQ(f.textAlign.value(), 1);
    EXPECT_TRUE(f.includeAverage.value());
    f.textAlign.set(2);
    f.includeAverage.set(false);
    storeMeterOptionsPage(f, s);
    EXPECT_EQ(s.textAlign, TextAlign::Right);
    EXPECT_TRUE(s.flag(Booleans::kLeaveOutAverage));
}

TEST(updateTimesPage, slidersAndLabels)
{
    AppSettings s = defaults();
    auto f = loadUpdateTimes(s);
    EXPECT_EQ(f.drivePosition.value(), 2);
    f.drivePosition.set(3);
    f.timer2.set(10);
    storeUpdateTimes(f, s);
    EXPECT_EQ(s.timerSeconds[0], 90u);
    EXPECT_EQ(s.timerSeconds[2], 10u);
    EXPECT_EQ(driveIntervalLabel(driveSecondsOf(3)), "&Update every 1½ minutes");
    EXPECT_EQ(driveIntervalLabel(driveSecondsOf(4)), "&Update every 2 minutes");
    EXPECT_EQ(drivePositionOf(0), 1);
    EXPECT_EQ(drivePositionOf(100000), 120);
}

TEST(logFilesPage, tabForcesTxtAndCommaFreesCsv)
{
    AppSettings s = defaults();
    s.setFlag(Booleans::kLogCsvExtension, true);
    auto f = loadLogFiles(s);
    EXPECT_TRUE(f.csv.value());
    EXPECT_TRUE(csvChoiceEnabled(f));
    chooseTabSeparator(f, true);
    EXPECT_FALSE(f.csv.value());
    EXPECT_FALSE(csvChoiceEnabled(f));
    storeLogFiles(f, s);
    EXPECT_TRUE(s.flag(Booleans::kLogTabSeparator));
    EXPECT_FALSE(s.flag(Booleans::kLogCsvExtension));
    chooseTabSeparator(f, false);
    EXPECT_TRUE(csvChoiceEnabled(f));
}

TEST(remoteComputerPage, nameTrimmedAndStoredWithBackslashes)
{
    AppSettings s = defaults();
    auto f = loadRemoteComputer(s);
    EXPECT_FALSE(f.remote.value());
    f.remote.set(true);
    f.name.set("  alpha ");
    storeRemoteComputer(f, s);
    EXPECT_EQ(s.remoteComputer, "\\\\alpha");
    EXPECT_TRUE(loadRemoteComputer(s).remote.value());

    f = loadRemoteComputer(s);
    f.name.set("");
    storeRemoteComputer(f, s);
    EXPECT_EQ(s.remoteComputer, "");
    EXPECT_FALSE(loadRemoteComputer(s).remote.value()); // reopens on "This local computer"
}

TEST(remoteComputerPage, localChoiceClearsTheName)
{
    AppSettings s = defaults();
    s.setRemoteComputer("alpha");
    auto f = loadRemoteComputer(s);
    f.remote.set(false);
    f.nameInTitle.set(true);
    storeRemoteComputer(f, s);
    EXPECT_EQ(s.remoteComputer, "");
    EXPECT_TRUE(s.flag(Booleans::kComputerNameInTitle));
}

TEST(autoUpdatePage, bitsAndEnableRules)
{
    AppSettings s = defaults();
    auto f = loadAutoUpdate(s);
    EXPECT_FALSE(f.enabled.value());
    EXPECT_EQ(f.frequency.value(), 2);
    EXPECT_TRUE(f.ask.value());
    EXPECT_FALSE(frequencyEnabled(f));
    f.enabled.set(true);
    chooseFullTime(f, true);
    EXPECT_TRUE(askEnabled(f));
    f.ask.set(false);
    f.frequency.set(0);
    storeAutoUpdate(f, s);
    EXPECT_TRUE(s.flag(Booleans::kAutoUpdate));
    EXPECT_TRUE(s.flag(Booleans::kAlwaysOnline));
    EXPECT_TRUE(s.flag(Booleans::kNoAskBeforeUpdateCheck));
    EXPECT_EQ(s.booleans & Booleans::kUpdateIntervalMask, 0u);

    chooseFullTime(f, false); // unchecking the connection checks and disables "ask"
    EXPECT_TRUE(f.ask.value());
    EXPECT_FALSE(askEnabled(f));
    storeAutoUpdate(f, s);
    EXPECT_FALSE(s.flag(Booleans::kNoAskBeforeUpdateCheck));
}

TEST(meterOptionsPage, limitsFromTheDialogAndTheirOrder)
{
    AppSettings s = defaults();
    auto f = loadMeterOptionsPage(s);
    EXPECT_EQ(f.highLimit.value(), 98);
    EXPECT_EQ(f.mediumLimit.value(), 90);
    f.highLimit.set(81);
    f.mediumLimit.set(80);
    storeMeterOptionsPage(f, s);
    EXPECT_EQ(s.highLimit, 81);
    EXPECT_EQ(s.mediumLimit, 80);
    EXPECT_TRUE(limitsInOrder(81, 80));
    EXPECT_FALSE(limitsInOrder(80, 80));
}

TEST(meterOptionsPage, coloursFromTheDialogAreStoredOnlyWhenSet)
{
    AppSettings s = defaults();
    s.colours[kColourGrid] = rgb(1, 2, 3); // no scheme's colours: a visit must keep them
    EXPECT_EQ(visited(s, loadMeterOptionsPage, storeMeterOptionsPage).colours, s.colours);

    auto f = loadMeterOptionsPage(s);
    EXPECT_EQ(f.colours.value(), s.colours);
    const GraphColours aqua = colourSchemes()[3].colours;
    f.colours.set(aqua);
    storeMeterOptionsPage(f, s);
    EXPECT_EQ(s.colours, aqua);
}
