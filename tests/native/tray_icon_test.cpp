#include "meter/tray_icon.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct Call {
    TrayOperation operation;
    TrayRecord record;
};

class RecordingNotifier : public TrayNotifier {
public:
    bool notify(TrayOperation operation, const TrayRecord& record) override
    {
        calls.push_back({operation, record});
        return succeed;
    }
    IconHandle loadIcon(int resource) override { return &icons[resource]; }
    std::string loadString(int resource) override { return strings[resource]; }

    bool succeed = true;
    std::vector<Call> calls;
    std::map<int, int> icons;
    std::map<int, std::string> strings;
};

} // namespace

TEST(trayIcon, addThenModifyThenDelete)
{
    RecordingNotifier shell;
    {
        CTrayIcon icon(shell, 1);
        icon.setCallback(0x1234, 1026);
        EXPECT_TRUE(icon.show(168 + 7, "CPU: 50%"));
        EXPECT_TRUE(icon.show(168 + 8, "CPU: 55%"));
        ASSERT_EQ(shell.calls.size(), 2u);
        EXPECT_EQ(shell.calls[0].operation, TrayOperation::Add);
        EXPECT_EQ(shell.calls[1].operation, TrayOperation::Modify);
        const TrayRecord& r = shell.calls[1].record;
        EXPECT_EQ(r.id, 1u);
        EXPECT_EQ(r.window, 0x1234u);
        EXPECT_EQ(r.callbackMessage, 1026u);
        EXPECT_EQ(r.flags, kTrayIconValid | kTrayTipValid | kTrayMessageValid);
        EXPECT_EQ(r.icon, &shell.icons[176]);
        EXPECT_STREQ(r.tip, "CPU: 55%");
        EXPECT_TRUE(icon.inTray());
    }
    // Destruction removes the icon.
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[2].operation, TrayOperation::Delete);
}

TEST(trayIcon, removingAnIconNotInTheTrayMakesNoCall)
{
    RecordingNotifier shell;
    CTrayIcon icon(shell, 3);
    EXPECT_TRUE(icon.remove());
    EXPECT_TRUE(shell.calls.empty());
    icon.show(215, "Network: 0%");
    EXPECT_TRUE(icon.remove());
    EXPECT_TRUE(icon.remove());
    EXPECT_EQ(shell.calls.size(), 2u);
    EXPECT_FALSE(icon.inTray());
}

TEST(trayIcon, failedAddIsRetriedFailedModifyIsNot)
{
    RecordingNotifier shell;
    CTrayIcon icon(shell, 1);
    shell.succeed = false;
    EXPECT_FALSE(icon.show(168, "CPU: 0%"));
    EXPECT_FALSE(icon.inTray());
    shell.succeed = true;
    icon.show(168, "CPU: 0%");
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Add);

    shell.succeed = false;
    EXPECT_FALSE(icon.show(169, "CPU: 7%"));
    EXPECT_TRUE(icon.inTray());
    shell.succeed = true;
    icon.show(169, "CPU: 7%");
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Modify);
}

TEST(trayIcon, tipIsCutTo63AndKeptWhenNotGiven)
{
    RecordingNotifier shell;
    CTrayIcon icon(shell, 100);
    icon.show(128, std::string(100, 'x'));
    EXPECT_EQ(std::string(shell.calls.back().record.tip), std::string(63, 'x'));
    EXPECT_EQ(icon.update(&shell.icons[129], nullptr), true);
    EXPECT_EQ(std::string(shell.calls.back().record.tip), std::string(63, 'x'));

    // No tip at all: the tip flag stays off.
    CTrayIcon bare(shell, 5);
    bare.update(&shell.icons[1], nullptr);
    EXPECT_EQ(shell.calls.back().record.flags, kTrayIconValid);
}

TEST(trayIcon, showFromResourceTakesIconAndTipOfOneNumber)
{
    RecordingNotifier shell;
    shell.strings[140] = "C:  12.0 GB free";
    CTrayIcon icon(shell, 20);
    icon.showFromResource(140);
    EXPECT_EQ(shell.calls.back().record.icon, &shell.icons[140]);
    EXPECT_STREQ(shell.calls.back().record.tip, "C:  12.0 GB free");
    icon.showFromResource(0);
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Delete);
}

TEST(trayIcon, forgettingAfterAShellRestartAddsAgain)
{
    RecordingNotifier shell;
    CTrayIcon icon(shell, 1);
    icon.show(168, "CPU: 0%");
    icon.forgetIcon();
    EXPECT_FALSE(icon.inTray());
    icon.show(170, "CPU: 14%");
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Add);
}
