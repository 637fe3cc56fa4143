// The "Volume Options" and "About" pages of the preferences sheet, and the volume
// information dialog as the "Volumes" page opens it.
#include "common/win/resource_string.h"
#include "config_sheet_rig.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

constexpr const char* kVolumeInfoCaption = "Brellix - Volume Information";

bool enabledItem(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void type(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Picks a list item the way the user does: the list changes, then tells its page.
void chooseComboItem(HWND page, int id, int index)
{
    HWND combo = GetDlgItem(page, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void selectRow(HWND page, int row)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(GetDlgItem(page, IDC_VOL_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

// Waits for the volume information dialog the page opened, runs `edit` on it and
// waits until it has closed.
bool inVolumeDialog(HWND sheet, const std::function<void(HWND)>& edit)
{
    const DWORD thread = GetWindowThreadProcessId(sheet, nullptr);
    HWND dialog = nullptr;
    if (!waitUntil([&] { return (dialog = findWindowOf(thread, kVolumeInfoCaption)) != nullptr; }))
        return false;
    edit(dialog);
    return waitUntil([&] { return !IsWindow(dialog); });
}

} // namespace

// ---- Volume Options ----------------------------------------------------------------

TEST(volumeOptionsPage, choicesReachTheSettingsOnOk)
{
    Rig rig;
    rig.settings.setFlag(Booleans::kShowUnavailableVolumes, true);
    bool percentChoicesOff = false, alertControlsOn = false;
    rig.run(kDisplayPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kDisplayPage);
        click(page, IDC_DSP_REMAINING);
        click(page, IDC_DSP_GB);
        click(page, IDC_DSP_COL_PERCENT);
        percentChoicesOff = waitUntil([&] { return !enabledItem(page, IDC_DSP_PCT_USED); });
        click(page, IDC_DSP_HIDE_UNAVAILABLE);
        chooseComboItem(page, IDC_DSP_SOUND, 2);
        click(page, IDC_DSP_RUN_APP);
        alertControlsOn = waitUntil([&] { return enabledItem(page, IDC_DSP_OPTIONS); });
        type(page, IDC_DSP_OPTIONS, "%V low");
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(percentChoicesOff);
    EXPECT_TRUE(alertControlsOn);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    const AppSettings& s = rig.sink.applied[0];
    EXPECT_TRUE(s.flag(Booleans::kVolumeShowsRemaining));
    EXPECT_TRUE(s.flag(Booleans::kVolumeSizesInGB));
    EXPECT_FALSE(s.flag(Booleans::kColumnPercentage));
    EXPECT_TRUE(s.flag(Booleans::kColumnFree));              // untouched columns stay
    EXPECT_FALSE(s.flag(Booleans::kShowUnavailableVolumes)); // the box is the inverse
    EXPECT_EQ(s.volumeWarningSound, 2u);
    EXPECT_EQ(s.volumeAlertOptions, "%V low");
}

TEST(volumeOptionsPage, clearingRunApplicationForgetsThePathAndKeepsTheOptions)
{
    Rig rig;
    rig.settings.volumeAlertExe = "C:\\tools\\alert.exe";
    rig.settings.volumeAlertOptions = "-v %V";
    bool pathShown = false, alertControlsOff = false;
    rig.run(kDisplayPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kDisplayPage);
        pathShown =
            checked(page, IDC_DSP_RUN_APP) && text(page, IDC_DSP_PATH) == "C:\\tools\\alert.exe";
        click(page, IDC_DSP_RUN_APP);
        alertControlsOff = waitUntil([&] {
            return !enabledItem(page, IDC_DSP_BROWSE) && !enabledItem(page, IDC_DSP_OPTIONS);
        });
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(pathShown);
    EXPECT_TRUE(alertControlsOff);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].volumeAlertExe, "");
    EXPECT_EQ(rig.sink.applied[0].volumeAlertOptions, "-v %V");
}

// ---- About -------------------------------------------------------------------------

TEST(aboutPage, showsTheProgramAndHidesTheMailingListButton)
{
    Rig rig;
    std::string name, address;
    bool mailingShown = true, webShown = false, applyOn = true;
    rig.run(kAboutPage, [&](HWND sheet) {
        HWND page = showPage(sheet, kAboutPage);
        name = text(page, IDC_ABT_NAME);
        address = text(page, IDC_ABT_ADDRESS);
        mailingShown = IsWindowVisible(GetDlgItem(page, IDC_ABT_MAILING)) != FALSE;
        webShown = IsWindowVisible(GetDlgItem(page, IDC_ABT_WEB)) != FALSE &&
                   IsWindowVisible(GetDlgItem(page, IDC_ABT_HARBINAL)) != FALSE;
        applyOn = applyEnabled(sheet);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_EQ(name, std::string(kProductName) + " v" + kProductVersion);
    EXPECT_EQ(address, loadString(IDS_URL_WEB_SITE));
    EXPECT_FALSE(address.empty());
    EXPECT_FALSE(mailingShown);
    EXPECT_TRUE(webShown);
    EXPECT_FALSE(applyOn);
    EXPECT_TRUE(rig.sink.applied.empty());
}

TEST(aboutPage, applyThereHandsOverWhatAnotherPageChanged)
{
    Rig rig;
    rig.run(kDisplayPage, [&](HWND sheet) {
        HWND display = showPage(sheet, kDisplayPage);
        click(display, IDC_DSP_GB);
        waitUntil([&] { return applyEnabled(sheet); });
        showPage(sheet, kAboutPage);
        press(sheet, PSBTN_APPLYNOW);
        waitUntil([&] { return !applyEnabled(sheet); });
        press(sheet, PSBTN_CANCEL);
    });
    ASSERT_FALSE(rig.missed);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_TRUE(rig.sink.applied[0].flag(Booleans::kVolumeSizesInGB));
}

// ---- Volumes: the volume information dialog ------------------------------------------

TEST(volumesPage, editChangesTheSelectedVolume)
{
    Rig rig;
    bool edited = false;
    rig.run(sheet_test::kVolumesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, sheet_test::kVolumesPage);
        selectRow(page, 1);
        waitUntil([&] { return enabledItem(page, IDC_VOL_EDIT); });
        click(page, IDC_VOL_EDIT);
        edited = inVolumeDialog(sheet, [](HWND dialog) {
            type(dialog, IDC_VOLINFO_NAME, "Archive");
            type(dialog, IDC_VOLINFO_LEVEL, "500");
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(edited);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    const auto& volumes = rig.sink.applied[0].volumes;
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_EQ(volumes[1].path, "D:\\");
    EXPECT_EQ(volumes[1].userName, "Archive");
    EXPECT_EQ(volumes[1].warningMB, 500u);
    EXPECT_TRUE(volumes[1].inToolTip); // what the dialog does not edit stays
}

TEST(volumesPage, cancelledEditLeavesTheVolume)
{
    Rig rig;
    bool edited = false;
    rig.run(sheet_test::kVolumesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, sheet_test::kVolumesPage);
        selectRow(page, 0);
        waitUntil([&] { return enabledItem(page, IDC_VOL_EDIT); });
        click(page, IDC_VOL_EDIT);
        edited = inVolumeDialog(sheet, [](HWND dialog) {
            type(dialog, IDC_VOLINFO_NAME, "Renamed");
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(edited);
    EXPECT_TRUE(rig.sink.applied.empty());
}

TEST(volumesPage, addAppendsANewVolumeWithItsBackslash)
{
    Rig rig;
    bool okAtFirst = true, added = false;
    std::string example;
    rig.run(sheet_test::kVolumesPage, [&](HWND sheet) {
        HWND page = showPage(sheet, sheet_test::kVolumesPage);
        click(page, IDC_VOL_ADD);
        added = inVolumeDialog(sheet, [&](HWND dialog) {
            example = text(dialog, IDC_VOLINFO_PATH);
            okAtFirst = enabledItem(dialog, IDOK);
            type(dialog, IDC_VOLINFO_PATH, "E:");
            waitUntil([&] { return enabledItem(dialog, IDOK); });
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        waitUntil([&] { return applyEnabled(sheet); });
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(added);
    EXPECT_FALSE(okAtFirst); // a new volume has no path yet
    EXPECT_EQ(example.substr(0, 2), "\\\\");
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    ASSERT_EQ(rig.sink.applied[0].volumes.size(), 3u);
    EXPECT_EQ(rig.sink.applied[0].volumes[2].path, "E:\\");
}
