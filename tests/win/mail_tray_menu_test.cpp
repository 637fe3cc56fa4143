#include "mail/tray/tray_menu_layout.h"
#include "mail/tray/tray_menu_wnd.h"

#include <gtest/gtest.h>

#include <utility>

using namespace mail;

namespace {

class FakeHost : public TrayMenuHost {
public:
    std::vector<MenuAccount> menuAccounts() override { return accounts; }
    std::vector<HostMenuItem> hostMenuItems() override { return hostItems; }
    HWND hostWindow() override { return window; }
    void runTrayCommand(const TrayCommand& command) override { commands.push_back(command); }
    std::string messageTip(std::size_t account, std::size_t message) override
    {
        return "Subject:\tnumber " + std::to_string(account) + "." + std::to_string(message);
    }

    std::vector<MenuAccount> accounts;
    std::vector<HostMenuItem> hostItems;
    HWND window = nullptr;
    std::vector<TrayCommand> commands;
};

MenuAccount account(const std::string& name, std::vector<MenuMessage> messages)
{
    MenuAccount result;
    result.name = name;
    result.messages = std::move(messages);
    return result;
}

// The item's size as the window answers the menu's question.
SIZE measured(HWND window, HMENU menu, int position)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_ID;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = info.wID;
    measure.itemData = info.dwItemData;
    SendMessageA(window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return {static_cast<LONG>(measure.itemWidth), static_cast<LONG>(measure.itemHeight)};
}

struct Rig {
    Rig()
    {
        host.window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        host.accounts = {account("Home", {{"short", false}, {"a much longer subject line", true}}),
                         account("Work", {})};
        host.hostItems = {{"E&xit Brellix", 10}};
    }
    ~Rig() { DestroyWindow(host.window); }
    FakeHost host;
};

constexpr int kFixedItems = 8;
constexpr int kHostItems = 2; // separator and one item
constexpr int kAccountsCaption = kFixedItems + kHostItems;

} // namespace

TEST(trayMenuWnd, theMenuHoldsTheModelsItemsAndStates)
{
    Rig rig;
    CTrayMenuWnd wnd(rig.host, nullptr);
    ASSERT_TRUE(wnd.create());
    HMENU menu = wnd.buildMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), kAccountsCaption + 1 + 2);
    EXPECT_EQ(GetMenuItemID(menu, kFixedItems + 1), 710u);
    EXPECT_TRUE(GetMenuState(menu, kAccountsCaption, MF_BYPOSITION) & MF_OWNERDRAW);
    HMENU home = GetSubMenu(menu, kAccountsCaption + 1);
    ASSERT_NE(home, nullptr);
    ASSERT_EQ(GetMenuItemCount(home), 5);
    EXPECT_EQ(GetMenuItemID(home, 0), 900u);
    EXPECT_EQ(GetMenuItemID(home, 4), static_cast<UINT>(kCmdMessageBase + 1));
    HMENU work = GetSubMenu(menu, kAccountsCaption + 2);
    ASSERT_NE(work, nullptr);
    EXPECT_TRUE(GetMenuState(work, 3, MF_BYPOSITION) & MF_GRAYED); // "No new messages"

    // Each opening starts from the model as it is then.
    rig.host.accounts.clear();
    menu = wnd.buildMenu();
    EXPECT_EQ(GetMenuItemCount(menu), kAccountsCaption + 1);
    EXPECT_TRUE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
}

TEST(trayMenuWnd, itemsAreMeasuredToHoldImageAndText)
{
    Rig rig;
    CTrayMenuWnd wnd(rig.host, nullptr);
    ASSERT_TRUE(wnd.create());
    HMENU menu = wnd.buildMenu();
    MenuFontMeasurer fonts;

    const SIZE check = measured(wnd.window(), menu, 0);
    const Size checkText = fonts.measureText("&Check Mail Now", FontWeight::Normal);
    EXPECT_GE(check.cy, kMenuImageSize);
    EXPECT_GE(check.cy, checkText.cy);
    EXPECT_GE(check.cx, kMenuImageSize + checkText.cx);

    const SIZE caption = measured(wnd.window(), menu, kAccountsCaption);
    const Size boldCaption = fonts.measureText(" Mail Accounts ", FontWeight::Bold);
    EXPECT_GE(caption.cx, boldCaption.cx);
    EXPECT_GE(caption.cy, boldCaption.cy);
    EXPECT_GT(boldCaption.cx, fonts.measureText(" Mail Accounts ", FontWeight::Normal).cx);

    HMENU home = GetSubMenu(menu, kAccountsCaption + 1);
    const SIZE shortSubject = measured(wnd.window(), home, 3);
    const SIZE longSubject = measured(wnd.window(), home, 4);
    EXPECT_GT(longSubject.cx, shortSubject.cx);
    EXPECT_EQ(longSubject.cy, shortSubject.cy);
}

TEST(trayMenuWnd, aCaptionedSeparatorDrawsItsLineBesideTheCaption)
{
    Rig rig;
    CTrayMenuWnd wnd(rig.host, nullptr);
    ASSERT_TRUE(wnd.create());
    HMENU menu = wnd.buildMenu();
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    ASSERT_TRUE(GetMenuItemInfoA(menu, kAccountsCaption, TRUE, &info));

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 21);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hDC = dc;
    draw.rcItem = {0, 0, 300, 21};
    draw.itemData = info.dwItemData;
    SendMessageA(wnd.window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));

    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(GetPixel(dc, 2, 10), gray);   // the line, left of the caption
    EXPECT_EQ(GetPixel(dc, 297, 10), gray); // and right of it
    EXPECT_NE(GetPixel(dc, 2, 3), gray);    // not above it
    // The caption's leading blank, on an opaque background, covers the line.
    const int captionLeft =
        (300 - MenuFontMeasurer().measureText(" Mail Accounts ", FontWeight::Bold).cx) / 2;
    EXPECT_NE(GetPixel(dc, captionLeft + 1, 10), gray);
    EXPECT_EQ(GetPixel(dc, captionLeft - 2, 10), gray);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(trayMenuWnd, commandsReachTheHostOrThePlugin)
{
    Rig rig;
    CTrayMenuWnd wnd(rig.host, nullptr);
    ASSERT_TRUE(wnd.create());
    wnd.buildMenu();

    SendMessageA(wnd.window(), WM_COMMAND, 710, 0);
    MSG posted{};
    ASSERT_TRUE(PeekMessageA(&posted, rig.host.window, kHostCommandMessage, kHostCommandMessage,
                             PM_REMOVE));
    EXPECT_EQ(posted.wParam, 10u);
    EXPECT_EQ(posted.lParam, 0);

    SendMessageA(wnd.window(), WM_COMMAND, 901, 0);
    SendMessageA(wnd.window(), WM_COMMAND, kCmdMessageBase + 1, 0);
    SendMessageA(wnd.window(), WM_COMMAND, 902, 0);  // no third account
    SendMessageA(wnd.window(), WM_COMMAND, 1002, 0); // no third message item
    ASSERT_EQ(rig.host.commands.size(), 2u);
    EXPECT_EQ(rig.host.commands[0].kind, TrayCommandKind::CheckAccount);
    EXPECT_EQ(rig.host.commands[0].account, 1u);
    EXPECT_EQ(rig.host.commands[1].kind, TrayCommandKind::OpenMessage);
    EXPECT_EQ(rig.host.commands[1].message, 1u);

    // Without a host window a host item posts nothing.
    const HWND hostWindow = std::exchange(rig.host.window, nullptr);
    SendMessageA(wnd.window(), WM_COMMAND, 710, 0);
    EXPECT_FALSE(
        PeekMessageA(&posted, nullptr, kHostCommandMessage, kHostCommandMessage, PM_REMOVE));
    rig.host.window = hostWindow;
}

TEST(trayMenuWnd, aRightClickOnAMessageShowsItsTip)
{
    Rig rig;
    CTrayMenuWnd wnd(rig.host, nullptr);
    ASSERT_TRUE(wnd.create());
    HMENU menu = wnd.buildMenu();
    HMENU home = GetSubMenu(menu, kAccountsCaption + 1);

    SendMessageA(wnd.window(), WM_MENURBUTTONUP, 0, reinterpret_cast<LPARAM>(home)); // a command
    EXPECT_EQ(wnd.tipWindow(), nullptr);
    SendMessageA(wnd.window(), WM_MENURBUTTONUP, 4, reinterpret_cast<LPARAM>(home));
    ASSERT_NE(wnd.tipWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd.tipWindow()));
    EXPECT_EQ(wnd.tipText(), "Subject:\tnumber 0.1");
}
