#include "config_sheet_rig.h"
#include "meter/prefs/config_sheet.h"
#include "meter/res/resource.h"

#include <gtest/gtest.h>

using namespace sheet_test;

TEST(configSheet, okWithoutChangesHandsNothingOver)
{
    Rig rig;
    bool applyWasEnabled = true;
    rig.run(kOptionsPage, [&](HWND sheet) {
        waitUntil([&] { return currentPage(sheet) != nullptr; });
        applyWasEnabled = applyEnabled(sheet);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_FALSE(applyWasEnabled);
    EXPECT_TRUE(rig.sink.applied.empty());
}

TEST(configSheet, changeEnablesApplyAndOkHandsItOverAfterClosing)
{
    Rig rig;
    bool enabled = false;
    rig.run(kOptionsPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kOptionsPage);
        click(page, IDC_OPT_ON_TOP);
        enabled = waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(enabled);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_TRUE(rig.sink.applied[0].flag(Booleans::kAlwaysOnTop));
}

TEST(configSheet, undoingAChangeDisablesApplyAgain)
{
    Rig rig;
    bool enabled = false, disabledAgain = false;
    rig.run(kOptionsPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kOptionsPage);
        click(page, IDC_OPT_START_HIDDEN);
        enabled = waitUntil([&] { return applyEnabled(sheet); });
        click(page, IDC_OPT_START_HIDDEN);
        disabledAgain = waitUntil([&] { return !applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(disabledAgain);
    EXPECT_TRUE(rig.sink.applied.empty());
}

TEST(configSheet, applyThenOkHandsOverOnce)
{
    Rig rig;
    std::size_t atApply = 0;
    rig.run(kOptionsPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kOptionsPage);
        click(page, IDC_OPT_ON_TOP);
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_APPLYNOW);
        waitUntil([&] { return !applyEnabled(sheet); });
        atApply = rig.sink.applied.size();
        press(sheet, PSBTN_OK);
    });
    EXPECT_EQ(atApply, 1u);
    EXPECT_EQ(rig.sink.applied.size(), 1u);
}

TEST(configSheet, cancelAfterApplyKeepsWhatWasApplied)
{
    Rig rig;
    rig.run(kOptionsPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kOptionsPage);
        click(page, IDC_OPT_ON_TOP);
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_APPLYNOW);
        waitUntil([&] { return !applyEnabled(sheet); });
        click(page, IDC_OPT_START_HIDDEN); // not applied: cancelled
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_CANCEL);
    });
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_TRUE(rig.sink.applied[0].flag(Booleans::kAlwaysOnTop));
    EXPECT_FALSE(rig.sink.applied[0].flag(Booleans::kStartHidden));
}

TEST(configSheet, driveSliderLabelAndSeconds)
{
    Rig rig;
    std::string label;
    rig.run(kTimesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kTimesPage);
        HWND slider = GetDlgItem(page, IDC_TIM_DRIVE);
        SendMessageA(slider, TBM_SETPOS, TRUE, 3);
        PostMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3),
                     reinterpret_cast<LPARAM>(slider));
        waitUntil([&] { return applyEnabled(sheet); });
        label = text(page, IDC_TIM_DRIVE_LABEL);
        press(sheet, PSBTN_OK);
    });
    EXPECT_EQ(label, "&Update every 1½ minutes");
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].timerSeconds[0], 90u);
}

TEST(configSheet, uncheckingTheConnectionChecksAndDisablesAsk)
{
    Rig rig;
    rig.settings.setFlag(Booleans::kAutoUpdate, true);
    rig.settings.setFlag(Booleans::kAlwaysOnline, true);
    rig.settings.setFlag(Booleans::kNoAskBeforeUpdateCheck, true);
    bool askChecked = false, askEnabled = true;
    rig.run(kRenewoPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kRenewoPage);
        click(page, IDC_UPD_FULL_TIME);
        waitUntil([&] { return applyEnabled(sheet); });
        askChecked = checked(page, IDC_UPD_ASK);
        askEnabled = IsWindowEnabled(GetDlgItem(page, IDC_UPD_ASK)) != FALSE;
        press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(askChecked);
    EXPECT_FALSE(askEnabled);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_FALSE(rig.sink.applied[0].flag(Booleans::kNoAskBeforeUpdateCheck));
}

TEST(configSheet, tabSeparatorForcesTxt)
{
    Rig rig;
    rig.settings.setFlag(Booleans::kLogCsvExtension, true);
    bool csvEnabled = true, txtChecked = false;
    rig.run(kLogsPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kLogsPage);
        click(page, IDC_LOG_TAB);
        waitUntil([&] { return applyEnabled(sheet); });
        csvEnabled = IsWindowEnabled(GetDlgItem(page, IDC_LOG_CSV)) != FALSE;
        txtChecked = checked(page, IDC_LOG_TXT);
        press(sheet, PSBTN_OK);
    });
    EXPECT_FALSE(csvEnabled);
    EXPECT_TRUE(txtChecked);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_TRUE(rig.sink.applied[0].flag(Booleans::kLogTabSeparator));
    EXPECT_FALSE(rig.sink.applied[0].flag(Booleans::kLogCsvExtension));
}

TEST(configSheet, remoteComputerIsTrimmedAndStoredWithBackslashes)
{
    Rig rig;
    rig.run(kComputerPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kComputerPage);
        click(page, IDC_CMP_REMOTE);
        waitUntil([&] { return IsWindowEnabled(GetDlgItem(page, IDC_CMP_NAME)) != FALSE; });
        SendMessageA(GetDlgItem(page, IDC_CMP_NAME), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(" alpha "));
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].remoteComputer, "\\\\alpha");
}

TEST(configSheet, remoteComputerPageOnlyWhenCountersAreRead)
{
    Rig rig;
    rig.facts.readsCounters = false;
    int pages = 0;
    rig.run(kOptionsPage, [&](HWND sheet) {
        waitUntil([&] { return currentPage(sheet) != nullptr; });
        pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
        press(sheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(pages, 9);
}

TEST(configSheet, removingTheLastVolumeLowersTheNumberDisplayed)
{
    Rig rig;
    std::string count;
    rig.run(kVolumesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kVolumesPage);
        HWND list = GetDlgItem(page, IDC_VOL_LIST);
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
        waitUntil([&] { return IsWindowEnabled(GetDlgItem(page, IDC_VOL_REMOVE)) != FALSE; });
        click(page, IDC_VOL_REMOVE);
        waitUntil([&] { return applyEnabled(sheet); });
        count = text(page, IDC_VOL_COUNT);
        press(sheet, PSBTN_OK);
    });
    EXPECT_EQ(count, "1");
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].volumes.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].numDrivesDisplayed, 1u);
}

TEST(configSheet, typedVolumeCountIsHeldToTheRange)
{
    Rig rig;
    rig.run(kVolumesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kVolumesPage);
        SendMessageA(GetDlgItem(page, IDC_VOL_COUNT), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>("300"));
        press(sheet, PSBTN_OK);
    });
    // Two volumes: 300 is held to 2, which is what was stored already.
    EXPECT_TRUE(rig.sink.applied.empty());
}

TEST(configSheet, diskMeterOnNt4ShowsTheCounterNoticeOnce)
{
    Rig rig;
    rig.facts.majorVersion = 4;
    bool noticeShown = false;
    rig.run(kMetersPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kMetersPage);
        HWND list = GetDlgItem(page, IDC_MTR_LIST);
        LVITEMA state{};
        state.stateMask = LVIS_STATEIMAGEMASK;
        state.state = INDEXTOSTATEIMAGEMASK(2); // checked
        PostMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
        HWND notice = nullptr;
        noticeShown = waitUntil([&] {
            return (notice = findMessageBox(GetWindowThreadProcessId(sheet, nullptr),
                                            "Disk performance counters are OFF")) != nullptr;
        });
        if (notice != nullptr)
            PostMessageA(notice, WM_COMMAND, IDOK, 0);
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    EXPECT_TRUE(noticeShown);
    ASSERT_EQ(rig.sink.diskActive.size(), 1u);
    EXPECT_TRUE(rig.sink.diskActive[0]);
}

TEST(configSheet, editMeterAndDoubleClickEditTheWorkingCopy)
{
    Rig rig;
    rig.owned[static_cast<std::size_t>(MeterKind::DiskGraph)]->setActive(true);
    bool editBefore = true, editAfter = false, applyAfter = false, diskCheck = true;
    NMITEMACTIVATE doubleClick{};
    rig.run(kMetersPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kMetersPage);
        HWND list = GetDlgItem(page, IDC_MTR_LIST);
        editBefore = IsWindowEnabled(GetDlgItem(page, IDC_MTR_EDIT)) != FALSE;
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        editAfter =
            waitUntil([&] { return IsWindowEnabled(GetDlgItem(page, IDC_MTR_EDIT)) != FALSE; });
        // "&Edit Meter..." on the CPU row: the line graph.
        click(page, IDC_MTR_EDIT);
        HWND options = nullptr;
        waitUntil([&] {
            return (options = findWindowOf(GetWindowThreadProcessId(sheet, nullptr),
                                           kMeterOptionsCaption)) != nullptr;
        });
        if (options != nullptr) {
            HWND graph = showPage(options, 1);
            click(graph, IDC_GRA_LINE);
            waitUntil([&] { return checked(graph, IDC_GRA_LINE); });
            press(options, PSBTN_OK);
            waitUntil([&] { return !IsWindow(options); });
        }
        applyAfter = waitUntil([&] { return applyEnabled(sheet); });
        // A double-click on the disk row: switched off on its General page.
        doubleClick.hdr.hwndFrom = list;
        doubleClick.hdr.idFrom = IDC_MTR_LIST;
        doubleClick.hdr.code = NM_DBLCLK;
        doubleClick.iItem = 2;
        PostMessageA(page, WM_NOTIFY, IDC_MTR_LIST, reinterpret_cast<LPARAM>(&doubleClick));
        options = nullptr;
        waitUntil([&] {
            return (options = findWindowOf(GetWindowThreadProcessId(sheet, nullptr),
                                           kMeterOptionsCaption)) != nullptr;
        });
        if (options != nullptr) {
            HWND general = showPage(options, 0);
            click(general, IDC_GEN_ACTIVE);
            waitUntil([&] { return !checked(general, IDC_GEN_ACTIVE); });
            press(options, PSBTN_OK);
            waitUntil([&] { return !IsWindow(options); });
        }
        waitUntil([&] { return ListView_GetCheckState(list, 2) == 0; });
        diskCheck = ListView_GetCheckState(list, 2) != 0;
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_FALSE(editBefore);
    EXPECT_TRUE(editAfter);
    EXPECT_TRUE(applyAfter);
    EXPECT_FALSE(diskCheck);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_TRUE(rig.sink.cpuLineGraph[0]);
    EXPECT_FALSE(rig.sink.diskActive[0]);
    // The sheet edited its working copy, never the meters' own records.
    EXPECT_FALSE(static_cast<GraphOptions&>(*rig.owned[0]).lineGraph());
}
