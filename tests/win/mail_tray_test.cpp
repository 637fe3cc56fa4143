#include "mail/tray/mail_tray.h"
#include "mail/tray/system_tray.h"
#include "mail/tray/tray_menu_layout.h"
#include "mail/tray/tray_menu_wnd.h"

#include <gtest/gtest.h>

#include <shellapi.h>

using namespace mail;

namespace {

constexpr int kApplicationIcon = 32512; // the system's application icon
constexpr int kQuestionIcon = 32514;

HICON systemIcon(int id)
{
    return LoadIconA(nullptr, MAKEINTRESOURCEA(id));
}

// The shell itself, counted; the last record it was given is kept.
class CountingShell : public TrayShell {
public:
    bool notify(TrayOperation operation, const TrayRecord& record) override
    {
        operations.push_back(operation);
        last = record;
        return real.notify(operation, record);
    }
    ShellNotifyIcon real;
    std::vector<TrayOperation> operations;
    TrayRecord last;
};

// Whether the shell knows an icon: a modify succeeds only for a known one.
bool shellKnows(HWND owner, UINT id)
{
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = owner;
    probe.uID = id;
    probe.uFlags = NIF_ICON;
    probe.hIcon = systemIcon(kApplicationIcon);
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

HWND plainWindow()
{
    return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

} // namespace

TEST(systemTray, theIconIsAddedChangedAndRemoved)
{
    HWND owner = plainWindow();
    ASSERT_NE(owner, nullptr);
    CountingShell shell;
    {
        CSystemTray tray(&shell);
        ASSERT_TRUE(tray.create(owner, kTrayCallbackMessage, "Brellix",
                                systemIcon(kApplicationIcon), kMailTrayIconId, false));
        EXPECT_TRUE(shellKnows(owner, kMailTrayIconId));
        EXPECT_TRUE(tray.setIcon(systemIcon(kQuestionIcon)));
        EXPECT_TRUE(tray.setTooltip("Communicating with: Home"));
        EXPECT_EQ(shell.operations.back(), TrayOperation::Modify);
        EXPECT_TRUE(tray.remove());
        EXPECT_FALSE(shellKnows(owner, kMailTrayIconId));
        EXPECT_EQ(tray.window(), nullptr);
    }
    DestroyWindow(owner);
}

TEST(systemTray, aRestartedShellGetsTheIconBackAsItStands)
{
    HWND owner = plainWindow();
    CountingShell shell;
    CSystemTray tray(&shell);
    ASSERT_TRUE(tray.create(owner, kTrayCallbackMessage, "Brellix", systemIcon(kApplicationIcon),
                            kMailTrayIconId, false));
    tray.setIcon(systemIcon(kQuestionIcon));
    tray.setTooltip("Error receiving mail on: Home");

    // The shell loses its icons behind our back, then announces itself to every
    // top-level window, as a restarted shell does.
    NOTIFYICONDATAA lost{};
    lost.cbSize = NOTIFYICONDATAA_V1_SIZE;
    lost.hWnd = owner;
    lost.uID = kMailTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
    ASSERT_FALSE(shellKnows(owner, kMailTrayIconId));
    shell.operations.clear();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    pumpMessages();

    EXPECT_TRUE(shellKnows(owner, kMailTrayIconId));
    ASSERT_EQ(shell.operations, std::vector<TrayOperation>{TrayOperation::Add});
    EXPECT_EQ(shell.last.icon, systemIcon(kQuestionIcon));
    EXPECT_STREQ(shell.last.tip, "Error receiving mail on: Home");
    tray.remove();
    DestroyWindow(owner);
}

namespace {

class NoMenuHost : public TrayMenuHost {
public:
    std::vector<MenuAccount> menuAccounts() override { return {}; }
    std::vector<HostMenuItem> hostMenuItems() override { return {}; }
    HWND hostWindow() override { return nullptr; }
    void runTrayCommand(const TrayCommand&) override {}
    std::string messageTip(std::size_t, std::size_t) override { return {}; }
};

} // namespace

TEST(mailTray, theIconFollowsTheAccountLists)
{
    NoMenuHost host;
    TrayAccountInfo home{"Home", true};
    CountingShell shell;
    CMailTray tray(
        host, [](TrayAccountKey key) { return *static_cast<const TrayAccountInfo*>(key); }, &shell);
    // Four distinct system icons stand for normal, new mail, error and communicating.
    const std::array<HICON, 4> icons = {systemIcon(32512), systemIcon(32514), systemIcon(32513),
                                        systemIcon(32515)};
    ASSERT_TRUE(tray.create(icons, nullptr));
    ASSERT_EQ(shell.operations, std::vector<TrayOperation>{TrayOperation::Add});
    const HWND menuWindow = tray.menuWindow()->window();
    EXPECT_EQ(shell.last.window, reinterpret_cast<std::uintptr_t>(menuWindow));
    EXPECT_EQ(shell.last.callbackMessage, kTrayCallbackMessage);
    EXPECT_EQ(shell.last.id, kMailTrayIconId);
    EXPECT_EQ(shell.last.icon, icons[0]);
    EXPECT_STREQ(shell.last.tip, "");
    EXPECT_TRUE(shellKnows(menuWindow, kMailTrayIconId));

    tray.notify(TrayEvent::CheckStarted, &home, "Brellix");
    EXPECT_EQ(shell.last.icon, icons[3]);
    EXPECT_STREQ(shell.last.tip, "Communicating with: Home");
    tray.notify(TrayEvent::Error, &home, "Brellix");
    EXPECT_EQ(shell.last.icon, icons[2]);
    EXPECT_STREQ(shell.last.tip, "Error receiving mail on: Home");
    tray.notify(TrayEvent::NewMail, &home, "Brellix");
    EXPECT_EQ(shell.last.icon, icons[1]);
    tray.forget(&home, "Brellix");
    EXPECT_EQ(shell.last.icon, icons[0]);
    EXPECT_STREQ(shell.last.tip, "Brellix");

    tray.destroy();
    EXPECT_FALSE(shellKnows(menuWindow, kMailTrayIconId));
    EXPECT_EQ(tray.menuWindow(), nullptr);
}
