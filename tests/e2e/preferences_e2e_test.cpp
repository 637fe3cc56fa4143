// The preferences sheet of the running program, driven as a user would: what OK,
// Apply and Cancel leave in the window and in the registry.
#include "e2e_program.h"

using namespace e2e;

TEST(endToEnd, alwaysOnTopWithOkMakesTheWindowTopmostAndStoresIt)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 0);
    PostMessageA(GetDlgItem(page, IDC_OPT_ON_TOP), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));

    EXPECT_TRUE(
        waitUntil([&] { return (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    // Stored while the program runs, not at exit; the window turns top-most before the
    // drive refresh and the save that follow it, so the value may come a moment later.
    EXPECT_TRUE(waitUntil([] { return (readDword("Booleans") & 0x4u) == 0x4u; }));
    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}

TEST(endToEnd, updateTimesSliderReachesTheStoredTimerTimes)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 5);
    HWND slider = GetDlgItem(page, IDC_TIM_DRIVE);
    SendMessageA(slider, TBM_SETPOS, TRUE, 4);
    PostMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 4),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);

    DWORD type = 0;
    std::vector<BYTE> times;
    EXPECT_TRUE(waitUntil([&] { return readValue("Timer Times", type, times); }));
    ASSERT_EQ(times.size(), 12u);
    EXPECT_EQ(times[0] | times[1] << 8, 120); // position 4: two minutes
    EXPECT_EQ(times[4], 1);
    EXPECT_EQ(times[8], 5);
    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}

TEST(endToEnd, applyThenCancelKeepsTheAppliedChange)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 0);
    PostMessageA(GetDlgItem(page, IDC_OPT_START_HIDDEN), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(waitUntil([&] { return !applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(sheetCloses(sheet));

    EXPECT_EQ(readDword("Booleans") & 0x10u, 0x10u); // "Start hidden" as applied
    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    EXPECT_EQ(readDword("Booleans") & 0x10u, 0x10u);
    deleteProfile();
}

TEST(endToEnd, okWithoutChangesLeavesTheRegistryAlone)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    const auto before = profileValues();

    HWND sheet = openPreferencesFromTray(main);
    ASSERT_NE(sheet, nullptr);
    sheetPage(sheet, 1);
    EXPECT_FALSE(applyEnabled(sheet));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    // The main window answers only once whatever the sheet handed over is stored.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    EXPECT_EQ(profileValues(), before);

    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}
