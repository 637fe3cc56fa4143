// The statistics summary of the running program, opened from its two menus.
#include "e2e_program.h"

using namespace e2e;

namespace {

constexpr const char* kStatisticsCaption = "Brellix - Statistics Summary";

HWND statisticsDialog()
{
    HWND dialog = nullptr;
    // Its rows are visible only once the dialog itself is shown.
    waitUntil([&] {
        dialog = FindWindowA("#32770", kStatisticsCaption);
        return dialog != nullptr && IsWindowVisible(dialog);
    });
    return dialog;
}

std::string itemText(HWND dialog, int id)
{
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool itemShown(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

// Closes the summary and tells whether the main window answers the tray again, that
// is, whether it stopped being busy.
bool closesAndFreesTheWindow(HWND main, HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return waitUntil([&] { return !IsWindow(dialog); }) &&
           SendMessageA(main, WMU_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK) == 1;
}

} // namespace

TEST(endToEnd, systemMenuOpensTheStatisticsSummaryForTheMetersThatAreOn)
{
    freshProfile(0xF820000B); // the default meters: page file on, network and disk off
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_SYSCOMMAND, IDM_SYS_STATISTICS, 0);
    HWND dialog = statisticsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(waitUntil([&] { return itemText(dialog, IDC_STAT_PHYS_TOTAL) != ""; }));
    EXPECT_NE(itemText(dialog, IDC_STAT_PHYS_TOTAL), "0.0 MB"); // the machine's own memory
    EXPECT_TRUE(itemShown(dialog, IDC_STAT_PAGE_PEAK));
    EXPECT_FALSE(itemShown(dialog, IDC_STAT_NET_GROUP));
    EXPECT_FALSE(itemShown(dialog, IDC_STAT_DISK_GROUP));
    // A modal dialog of the window is open: the tray is not answered.
    EXPECT_EQ(SendMessageA(main, WMU_TRAY_NOTIFY, 0, WM_LBUTTONDBLCLK), 0);
    EXPECT_TRUE(closesAndFreesTheWindow(main, dialog));

    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}

TEST(endToEnd, trayMenuOpensTheStatisticsSummary)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_COMMAND, ID_TRAY_STATISTICS, 0);
    HWND dialog = statisticsDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(waitUntil([&] { return itemText(dialog, IDC_STAT_MEMORY_LOAD) != ""; }));
    EXPECT_TRUE(closesAndFreesTheWindow(main, dialog));

    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}
