#include "meter/gdi_canvas.h"
#include "meter/graph_meter.h"
#include "meter/meter_pane.h"
#include "meter/res/resource.h"
#include "meter/shell_tray.h"

#include "window_shot.h"

#include <gtest/gtest.h>

namespace {

// Stands in for the main window: a plain top-level window that collects what the
// meter windows post to it.
class MainStandIn {
public:
    MainStandIn()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BrellixPaneTestMain";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, wc.lpszClassName, "Brellix", WS_POPUP | WS_VISIBLE, 20, 300, 260,
                               200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~MainStandIn() { DestroyWindow(hwnd); }

    // Takes the posted messages of one number from the queue; how many there were.
    int take(UINT message)
    {
        int n = 0;
        MSG msg;
        while (PeekMessageA(&msg, hwnd, message, message, PM_REMOVE))
            ++n;
        return n;
    }

    HWND hwnd;
};

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

} // namespace

TEST(meterPane, createdHiddenWithTheKindsNameAndId)
{
    MainStandIn main;
    AppSettings settings;
    PhysMemGraphMeter meter(settings);
    ShellTrayNotifier tray(nullptr);
    MeterPane pane(meter, tray);
    ASSERT_TRUE(pane.create(main.hwnd, 8));
    char name[64] = {};
    GetWindowTextA(pane.hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "PhyMemGraph");
    EXPECT_EQ(GetDlgCtrlID(pane.hwnd()), 1108);
    EXPECT_FALSE(IsWindowVisible(pane.hwnd()));
    EXPECT_EQ(GetDlgCtrlID(pane.hideButton()), 123);
    EXPECT_EQ(pane.trayIcon().id(), 7u); // kind + 1

    PlaceholderMeter placeholder(MeterKind::Resources, settings);
    MeterPane dummy(placeholder, tray);
    ASSERT_TRUE(dummy.create(main.hwnd, 13));
    GetWindowTextA(dummy.hwnd(), name, sizeof name);
    EXPECT_STREQ(name, "Dummy");
    EXPECT_FALSE(dummy.activate());
    EXPECT_FALSE(IsWindowVisible(dummy.hwnd()));
}

TEST(meterPane, aSampleRedrawsAtOnceWithoutInvalidation)
{
    MainStandIn main;
    AppSettings settings;
    CpuMeter cpu(settings);
    ShellTrayNotifier tray(nullptr);
    MeterPane pane(cpu, tray);
    ASSERT_TRUE(pane.create(main.hwnd, 2));
    MoveWindow(pane.hwnd(), 1, 3, 200, 70, FALSE);
    pane.activate();
    UpdateWindow(main.hwnd);
    pump();

    const int bottomOfBars =
        67 - GdiTextMeasurer().measureText("CPU: 0%", FontWeight::Normal).cy - 2 - 3;
    const int newestColumn = 184 - 6; // W = 180: pitch 6
    EXPECT_EQ(WindowShot(pane.hwnd()).pixel(newestColumn, bottomOfBars),
              settings.colours[kColourBackground]);
    cpu.addSample(100, 100); // no message pumping: the tick redraw paints directly
    EXPECT_EQ(WindowShot(pane.hwnd()).pixel(newestColumn, bottomOfBars),
              settings.colours[kColourHigh]);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(pane.hwnd(), &update, FALSE));
}

TEST(meterPane, hideButtonFoldsUnfoldsAndAsksForALayout)
{
    MainStandIn main;
    AppSettings settings;
    DiskGraphMeter disk(settings);
    ShellTrayNotifier tray(nullptr);
    MeterPane pane(disk, tray);
    ASSERT_TRUE(pane.create(main.hwnd, 10));
    MoveWindow(pane.hwnd(), 1, 3, 200, 70, FALSE);
    pane.activate();
    main.take(WMU_RELAYOUT);

    RECT before;
    GetWindowRect(pane.hideButton(), &before);
    SendMessageA(pane.hideButton(), BM_CLICK, 0, 0);
    RECT client;
    GetClientRect(pane.hwnd(), &client);
    EXPECT_TRUE(disk.options().collapsed());
    EXPECT_EQ(client.bottom, 16);
    RECT folded;
    GetClientRect(pane.hideButton(), &folded);
    EXPECT_EQ(folded.right, 198); // the whole width less a pixel each side
    EXPECT_EQ(folded.bottom, 16);
    EXPECT_EQ(main.take(WMU_RELAYOUT), 1);

    SendMessageA(pane.hideButton(), BM_CLICK, 0, 0);
    GetClientRect(pane.hwnd(), &client);
    EXPECT_FALSE(disk.options().collapsed());
    EXPECT_EQ(client.bottom, 70);
    RECT after;
    GetWindowRect(pane.hideButton(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, 68);
    EXPECT_EQ(main.take(WMU_RELAYOUT), 1);
}

TEST(meterPane, deactivateHidesAndRemovesTheTrayIconAndFlushesTheLog)
{
    struct CountingLog : MeterLog {
        void appendLine(const std::string&) override { ++lines; }
        bool flush() override
        {
            ++flushes;
            return true;
        }
        int lines = 0;
        int flushes = 0;
    } log;
    MainStandIn main;
    AppSettings settings;
    CpuMeter cpu(settings);
    cpu.setLog(&log);
    ShellTrayNotifier tray(nullptr);
    MeterPane pane(cpu, tray);
    ASSERT_TRUE(pane.create(main.hwnd, 2));
    pane.activate();
    EXPECT_TRUE(IsWindowVisible(pane.hwnd()));
    pane.setTrayIcon(32512, "CPU: 0%"); // the system's application icon
    EXPECT_TRUE(pane.trayIcon().inTray());
    pane.deactivate();
    EXPECT_FALSE(IsWindowVisible(pane.hwnd()));
    EXPECT_FALSE(pane.trayIcon().inTray());
    EXPECT_EQ(log.flushes, 1);
}

TEST(meterPane, anUnchangedTrayIconIsNotSentAgain)
{
    struct CountingShell : ShellTrayNotifier {
        CountingShell() : ShellTrayNotifier(nullptr) {}
        bool notify(TrayOperation operation, const TrayRecord& record) override
        {
            ++calls;
            return ShellTrayNotifier::notify(operation, record);
        }
        int calls = 0;
    } shell;
    MainStandIn main;
    AppSettings settings;
    CpuMeter cpu(settings);
    MeterPane pane(cpu, shell);
    ASSERT_TRUE(pane.create(main.hwnd, 2));
    pane.setTrayIcon(32512, "CPU: 5%"); // the system's application icon
    pane.setTrayIcon(32512, "CPU: 5%");
    EXPECT_EQ(shell.calls, 1);
    pane.setTrayIcon(32512, "CPU: 6%"); // a new tip is sent
    EXPECT_EQ(shell.calls, 2);
    pane.trayIcon().forgetIcon(); // after a shell restart it is added again
    pane.setTrayIcon(32512, "CPU: 6%");
    EXPECT_EQ(shell.calls, 3);
    pane.removeTrayIcon();
}
