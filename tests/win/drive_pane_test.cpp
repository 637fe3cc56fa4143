#include "meter/drive_pane.h"

#include "../native/volume_fakes.h"

#include <gtest/gtest.h>

namespace {

struct Fixture {
    Fixture()
    {
        volumes.setSpace("C:\\", 100000, 25000);
        volumes.setSpace("D:\\", 50000, 1000);
        volumes.labels["C:\\"] = "System";
        settings.volumes = {{"C:\\", "", 0xFFFFFFFFu, false}, {"D:\\", "Data", 0xFFFFFFFFu, false}};
        settings.numDrivesDisplayed = 2;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        main = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~Fixture() { DestroyWindow(main); }

    AppSettings settings;
    FakeVolumeSystem volumes;
    RecordingAlerts alerts;
    RecordingTray tray;
    HWND main = nullptr;
};

std::string cellText(HWND list, int row, int column)
{
    char buffer[128] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

} // namespace

TEST(drivePane, listsEveryVolumeWithItsColumnsAndIsTallEnoughForThem)
{
    Fixture f;
    DriveMeter meter(f.settings, f.volumes, f.alerts, f.tray);
    DrivePane pane(meter, f.tray, f.settings);
    ASSERT_TRUE(pane.create(f.main, 1));
    pane.buildColumns();
    meter.update(true);
    pane.transferRows();

    HWND list = pane.list();
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(cellText(list, 0, 0), "System (C)");
    EXPECT_EQ(cellText(list, 1, 0), "Data");
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 5); // Drive + four value columns

    // The window is laid out for the list: both rows must be visible in it.
    const Size required = pane.requiredSize();
    SetWindowPos(pane.hwnd(), nullptr, 0, 0, required.cx, required.cy, SWP_NOZORDER);
    RECT lastRow{LVIR_BOUNDS};
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&lastRow)));
    RECT client;
    GetClientRect(list, &client);
    EXPECT_LE(lastRow.bottom, client.bottom);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), 0);
    EXPECT_GT(required.cx, 100);
}

TEST(drivePane, moreVolumesThanShownScrollVertically)
{
    Fixture f;
    f.volumes.setSpace("E:\\", 2000, 1500);
    f.settings.volumes.push_back({"E:\\", "Backup", 0xFFFFFFFFu, false});
    f.settings.numDrivesDisplayed = 2;
    DriveMeter meter(f.settings, f.volumes, f.alerts, f.tray);
    DrivePane pane(meter, f.tray, f.settings);
    ASSERT_TRUE(pane.create(f.main, 1));
    pane.buildColumns();
    meter.update(true);
    pane.transferRows();
    const Size required = pane.requiredSize();
    SetWindowPos(pane.hwnd(), nullptr, 0, 0, required.cx, required.cy, SWP_NOZORDER);

    HWND list = pane.list();
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0), 2);
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_EQ(style & WS_HSCROLL, 0); // the width leaves room for the scroll bar
}
