#include "meter/drive_pane.h"
#include "meter/res/resource.h"
#include "meter/volumes/folder_space_dialog.h"

#include "../native/volume_fakes.h"
#include "folder_tree_rig.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kCaption = "Brellix - Folder Space";

HWND folderSpaceDialog()
{
    HWND dialog = FindWindowA("#32770", kCaption);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

bool visible(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

std::string menuText(HMENU menu, int position)
{
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

// What the menu and the dialog showed, read while they were open.
struct Seen {
    std::vector<std::string> menuItems;
    bool dialogShown = false;
    bool okEnabled = false;
    bool working = true;
    bool stopped = true;
    std::string rootText;
    std::vector<std::string> children;
};
Seen seen;

// Runs in the menu's and then in the dialog's message loop: picks "&Show Folder
// Usage..." by its access key, then reads the dialog once its scan is over and closes
// it with OK.
void CALLBACK driveMenuStep(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (seen.menuItems.empty() && menuWindow != nullptr && IsWindowVisible(menuWindow)) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; i < 3; ++i)
            seen.menuItems.push_back(menuText(menu, i));
        PostMessageA(menuWindow, WM_CHAR, 'S', 0);
        return;
    }
    HWND dialog = folderSpaceDialog();
    if (dialog == nullptr || !IsWindowEnabled(GetDlgItem(dialog, IDOK)) || seen.dialogShown)
        return;
    seen.dialogShown = true;
    seen.okEnabled = true;
    seen.working = visible(dialog, IDC_FSP_WORKING);
    seen.stopped = visible(dialog, IDC_FSP_STOPPED);
    HWND tree = GetDlgItem(dialog, IDC_FSP_TREE);
    HTREEITEM root = treeNext(tree, nullptr, TVGN_ROOT);
    seen.rootText = treeItemText(tree, root);
    seen.children = childTexts(tree, root);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST(folderSpaceDialog, opensFromTheDriveMenuOnTheRowsVolumeAndShowsItsFolders)
{
    TempTree tree("brellix-fsdlg-");
    tree.folder("music");
    tree.folder("photos\\2019");
    ASSERT_TRUE(tree.file("photos\\2019\\a.jpg", 1));

    AppSettings settings;
    FakeVolumeSystem volumes;
    volumes.setSpace(tree.root(), 1000, 500);
    settings.volumes = {{tree.root(), "Temp", 0xFFFFFFFFu, false}};
    settings.numDrivesDisplayed = 1;
    RecordingAlerts alerts;
    RecordingTray tray;
    HWND main = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    DriveMeter meter(settings, volumes, alerts, tray);
    DrivePane pane(meter, tray, settings);
    ASSERT_TRUE(pane.create(main, 1));
    ShowWindow(pane.hwnd(), SW_SHOW);
    pane.buildColumns();
    meter.update(true);
    pane.transferRows();
    SetWindowPos(pane.hwnd(), nullptr, 0, 0, 300, 100, SWP_NOZORDER);

    // The row is selected and the menu asked for over it.
    HWND list = pane.list();
    LVITEMA selected{};
    selected.state = selected.stateMask = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    RECT row{LVIR_LABEL};
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    POINT point{row.left + 5, (row.top + row.bottom) / 2};
    ClientToScreen(list, &point);

    seen = Seen{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, driveMenuStep);
    SendMessageA(pane.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pane.hwnd()),
                 MAKELPARAM(point.x, point.y));
    KillTimer(nullptr, timer);

    EXPECT_EQ(seen.menuItems,
              (std::vector<std::string>{"&Open In Explorer", "&Show Folder Usage...", ""}));
    ASSERT_TRUE(seen.dialogShown);
    EXPECT_FALSE(seen.working);
    EXPECT_FALSE(seen.stopped);
    // The root item is the volume path as the meter gave it, with its total.
    EXPECT_EQ(seen.rootText.rfind(tree.root() + ",  ", 0), 0u) << seen.rootText;
    EXPECT_NE(seen.rootText.find("with subfolders"), std::string::npos);
    ASSERT_EQ(seen.children.size(), 2u);
    EXPECT_EQ(seen.children[0].rfind("music,  0.0 MB", 0), 0u) << seen.children[0];
    EXPECT_EQ(seen.children[1].rfind("photos,  0.0 MB,  with subfolders ", 0), 0u)
        << seen.children[1];
    // Back from the dialog, the row is no longer selected.
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    DestroyWindow(main);
}

namespace {

// Plays the user from another thread: clicks Stop while the scan runs, then, once it
// has ended, resizes the dialog and closes it with Escape.
struct StopPlayer {
    bool clicked = false;
    bool stoppedShown = false;
    bool okEnabledAfter = false;
    int treeGrowth = 0;  // how much wider the tree became when the dialog did
    SIZE smallest{0, 0}; // the size the dialog kept when made tiny

    static DWORD WINAPI run(void* self) { return static_cast<StopPlayer*>(self)->play(); }

    DWORD play()
    {
        HWND dialog = nullptr;
        for (int i = 0; i < 400 && dialog == nullptr; ++i, Sleep(10))
            dialog = folderSpaceDialog();
        if (dialog == nullptr)
            return 1;
        HWND stop = GetDlgItem(dialog, IDC_FSP_STOP);
        for (int i = 0; i < 400 && !IsWindowEnabled(stop); ++i)
            Sleep(10);
        Sleep(100);
        clicked = IsWindowEnabled(stop) != FALSE;
        PostMessageA(stop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(stop, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        for (int i = 0; i < 1000 && IsWindowEnabled(stop); ++i)
            Sleep(10);
        stoppedShown = visible(dialog, IDC_FSP_STOPPED) && !visible(dialog, IDC_FSP_WORKING);
        okEnabledAfter = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;

        HWND tree = GetDlgItem(dialog, IDC_FSP_TREE);
        RECT before, after, own;
        GetWindowRect(tree, &before);
        GetWindowRect(dialog, &own);
        SetWindowPos(dialog, nullptr, 0, 0, own.right - own.left + 120, own.bottom - own.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(tree, &after);
        treeGrowth = (after.right - after.left) - (before.right - before.left);
        SetWindowPos(dialog, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(dialog, &own);
        smallest = {own.right - own.left, own.bottom - own.top};

        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
};

} // namespace

TEST(folderSpaceDialog, stopEndsTheScanThenEscapeClosesAndTheTreeFollowsTheSize)
{
    TempTree tree("brellix-fsstop-");
    for (int i = 0; i < 300; ++i)
        tree.folder("f" + std::to_string(i) + "\\a\\b");

    FolderSpaceDialog dialog(tree.root());
    StopPlayer player;
    HANDLE thread = CreateThread(nullptr, 0, StopPlayer::run, &player, 0, nullptr);
    const INT_PTR result = dialog.runModal(nullptr);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);

    EXPECT_EQ(result, IDCANCEL);
    ASSERT_TRUE(player.clicked);
    ASSERT_NE(dialog.scan(), nullptr);
    EXPECT_TRUE(dialog.scan()->stopRequested());
    EXPECT_TRUE(player.stoppedShown);
    EXPECT_TRUE(player.okEnabledAfter);
    EXPECT_EQ(player.treeGrowth, 120);
    EXPECT_EQ(player.smallest.cx, 400);
    EXPECT_EQ(player.smallest.cy, 200);
}
