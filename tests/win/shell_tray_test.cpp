#include "meter/shell_tray.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

// Counts what actually reached the shell, and what it answered.
class CountingShell : public ShellTrayNotifier {
public:
    CountingShell() : ShellTrayNotifier(nullptr) {}
    bool notify(TrayOperation operation, const TrayRecord& record) override
    {
        ++calls;
        last = operation;
        return ShellTrayNotifier::notify(operation, record);
    }
    int calls = 0;
    TrayOperation last = TrayOperation::Add;
};

constexpr int kApplicationIcon = 32512; // the system's application icon

} // namespace

TEST(shellTray, iconsAreAddedModifiedAndRemoved)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    CountingShell shell;
    {
        CTrayIcon icon(shell, 1);
        icon.setCallback(reinterpret_cast<std::uintptr_t>(owner), 1026);
        EXPECT_TRUE(icon.show(kApplicationIcon, "CPU: 50%"));
        EXPECT_EQ(shell.last, TrayOperation::Add);
        EXPECT_TRUE(icon.show(kApplicationIcon, "CPU: 100%"));
        EXPECT_EQ(shell.last, TrayOperation::Modify);
        EXPECT_TRUE(icon.remove());
        EXPECT_EQ(shell.last, TrayOperation::Delete);
        EXPECT_FALSE(icon.inTray());

        // A shell restart loses the icon behind our back; forgetting the handle makes the
        // next update add it again.
        icon.show(kApplicationIcon, "CPU: 1%");
        NOTIFYICONDATAA lost{};
        lost.cbSize = NOTIFYICONDATAA_V1_SIZE;
        lost.hWnd = owner;
        lost.uID = 1;
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &lost));
        icon.forgetIcon();
        EXPECT_TRUE(icon.show(kApplicationIcon, "CPU: 2%")); // added again after a restart
        EXPECT_EQ(shell.last, TrayOperation::Add);
    }
    EXPECT_EQ(shell.last, TrayOperation::Delete); // destruction removed it
    const int before = shell.calls;
    {
        CTrayIcon unused(shell, 2);
    }
    EXPECT_EQ(shell.calls, before); // nothing to remove, nothing sent
    DestroyWindow(owner);
}

TEST(shellTray, modifyOfAnUnknownIconFails)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ShellTrayNotifier shell(nullptr);
    TrayRecord record;
    record.window = reinterpret_cast<std::uintptr_t>(owner);
    record.id = 77;
    record.flags = kTrayIconValid;
    record.icon = shell.loadIcon(kApplicationIcon);
    ASSERT_NE(record.icon, nullptr);
    EXPECT_FALSE(shell.notify(TrayOperation::Modify, record));
    DestroyWindow(owner);
}
