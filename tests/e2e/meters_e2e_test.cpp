// The process and ping meters of the running program, switched on through their
// stored records as another version or the options sheet would leave them.
#include "e2e_program.h"

using namespace e2e;

namespace {

// Height of one line of the meter font.
int lineHeight()
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE line{};
    GetTextExtentPoint32A(dc, "Xg", 2, &line);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return line.cy;
}

int clientHeight(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r.bottom - r.top;
}

// A record's common head: version 2, the kind, active, on usage timer 1.
std::vector<BYTE> activeRecord(std::size_t size, BYTE kind)
{
    std::vector<BYTE> record(size, 0);
    record[0] = 2;
    record[4] = kind;
    record[8] = 1;
    record[12] = 1;
    return record;
}

} // namespace

TEST(endToEnd, processAndPingMetersSwitchedOnThroughTheirRecords)
{
    freshProfile(0xF820000B);
    // Both at their default places: processes at 11, ping at 12.
    std::vector<BYTE> process = activeRecord(28, 10);
    process[16] = 3; // rows
    writeBinary("Meter Options 11", process);
    // A loopback host that answers and a name that never resolves, 750 ms.
    std::vector<BYTE> ping = activeRecord(1620, 12);
    ping[16] = 0xEE;
    ping[17] = 0x02;
    const char* hosts[] = {"127.0.0.1", "nowhere.invalid"};
    for (int i = 0; i < 2; ++i)
        std::memcpy(&ping[20 + 80 * i], hosts[i], std::strlen(hosts[i]));
    writeBinary("Meter Options 12", ping);

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    HWND processes = FindWindowExA(main, nullptr, "BrellixMeter", "ProcessMeter");
    HWND pings = FindWindowExA(main, nullptr, "BrellixMeter", "PingMeter");
    ASSERT_NE(processes, nullptr);
    ASSERT_NE(pings, nullptr);
    // Shown once the start-up has laid the window out.
    ASSERT_TRUE(waitUntil(
        [&] { return meterTop(main, "ProcessMeter") != -1 && meterTop(main, "PingMeter") != -1; }));
    // Below the memory graph, in the stored order.
    EXPECT_LT(meterTop(main, "PhyMemGraph"), meterTop(main, "ProcessMeter"));
    EXPECT_LT(meterTop(main, "ProcessMeter"), meterTop(main, "PingMeter"));
    // Room for the three rows asked for, and one line per host, each in its frame.
    const int line = lineHeight();
    EXPECT_EQ(clientHeight(processes), 3 * line + 12);
    EXPECT_EQ(clientHeight(pings), 2 * line + 13);
    Sleep(2500); // a few ticks of both

    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DWORD type = 0;
    std::vector<BYTE> saved;
    ASSERT_TRUE(readValue("Meter Options 11", type, saved));
    EXPECT_EQ(saved, process); // kept byte for byte
    ASSERT_TRUE(readValue("Meter Options 12", type, saved));
    EXPECT_EQ(saved, ping);
    deleteProfile();
}
