// A meter's options sheet in the running program, opened from the meter's context menu:
// what OK leaves in the window and, after exit, in the meter's stored record.
#include "e2e_program.h"

using namespace e2e;

namespace {

constexpr const char* kMeterOptionsCaption = "Meter Options";

HWND meterOptionsSheet(const Program& program)
{
    HWND sheet = nullptr;
    waitUntil([&] {
        for (HWND d : program.dialogs()) {
            char caption[64] = "";
            GetWindowTextA(d, caption, sizeof caption);
            if (std::string(caption) == kMeterOptionsCaption)
                sheet = d;
        }
        return sheet != nullptr;
    });
    return sheet;
}

std::string windowText(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

int clientHeight(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r.bottom - r.top;
}

} // namespace

TEST(endToEnd, cpuMeterOptionsSheetStoresTheLineGraphAndRelaysOut)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    HWND cpu = FindWindowExA(main, nullptr, "BrellixMeter", "CPU");
    ASSERT_NE(cpu, nullptr);
    ASSERT_TRUE(becomesVisible(cpu, true));
    const int fullHeight = clientHeight(cpu); // at the stored 70 pixels

    // "&Preferences..." of the meter's context menu.
    PostMessageA(cpu, WM_COMMAND, ID_METER_PREFERENCES, 0);
    HWND sheet = meterOptionsSheet(program);
    ASSERT_NE(sheet, nullptr);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    HWND apply = GetDlgItem(sheet, kApplyButton);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));
    EXPECT_EQ(windowText(sheetPage(sheet, 0)), "General");
    HWND graph = sheetPage(sheet, 1);
    EXPECT_EQ(windowText(graph), "Graph");
    PostMessageA(GetDlgItem(graph, IDC_GRA_LINE), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(graph, IDC_GRA_SMALL), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] {
        return SendMessageA(GetDlgItem(graph, IDC_GRA_LINE), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    // Laid out again at the new height.
    EXPECT_TRUE(waitUntil([&] { return clientHeight(cpu) == fullHeight - 20; }));

    // "&Remove This Meter".
    PostMessageA(cpu, WM_COMMAND, ID_METER_REMOVE, 0);
    EXPECT_TRUE(becomesVisible(cpu, false));

    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DWORD type = 0;
    std::vector<BYTE> record;
    ASSERT_TRUE(readValue("Meter Options 2", type, record)); // the CPU graph's default place
    ASSERT_EQ(record.size(), 20u);
    EXPECT_EQ(record[4], 0); // kind: CPU
    EXPECT_EQ(record[8], 0); // removed
    EXPECT_EQ(record[18], 50);
    EXPECT_EQ(record[19], 1); // line graph
    deleteProfile();
}
