#include "mail/tray/system_tray_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mail;

namespace {

struct Call {
    TrayOperation operation;
    TrayRecord record;
};

// Records what the shell was told; answers as told, and can forget every icon the way
// a restarted shell does.
class RecordingShell : public TrayShell {
public:
    bool notify(TrayOperation operation, const TrayRecord& record) override
    {
        calls.push_back({operation, record});
        if (operation == TrayOperation::Add && succeed)
            known = true;
        else if (operation == TrayOperation::Delete)
            known = false;
        else if (operation == TrayOperation::Modify)
            return succeed && known;
        return succeed;
    }
    bool succeed = true;
    bool known = false;
    std::vector<Call> calls;
};

const int kNormal = 1, kNews = 2;
const IconHandle kNormalIcon = &kNormal;
const IconHandle kNewsIcon = &kNews;
constexpr std::uint32_t kCallback = 32868;
constexpr std::uint32_t kIconId = 1001;

} // namespace

TEST(systemTrayIcon, createAddsTheWholeRecord)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    ASSERT_TRUE(icon.create(0x4321, kCallback, "", kNormalIcon, kIconId, false));
    ASSERT_EQ(shell.calls.size(), 1u);
    const Call& add = shell.calls[0];
    EXPECT_EQ(add.operation, TrayOperation::Add);
    EXPECT_EQ(add.record.window, 0x4321u);
    EXPECT_EQ(add.record.id, kIconId);
    EXPECT_EQ(add.record.callbackMessage, kCallback);
    EXPECT_EQ(add.record.icon, kNormalIcon);
    EXPECT_EQ(add.record.flags, kTrayMessageValid | kTrayIconValid | kTrayTipValid);
    EXPECT_TRUE(icon.shown());
}

TEST(systemTrayIcon, tooltipsKeepSixtyThreeCharacters)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    const std::string longTip = "Communicating with: " + std::string(60, 'x');
    icon.create(1, kCallback, longTip, kNormalIcon, kIconId, false);
    EXPECT_EQ(std::string(shell.calls.back().record.tip), longTip.substr(0, 63));
    icon.setTooltip(std::string(63, 'y'));
    EXPECT_EQ(std::string(shell.calls.back().record.tip), std::string(63, 'y'));
    icon.setTooltip("short");
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Modify);
    // A shorter tip leaves nothing of the longer one behind.
    EXPECT_EQ(std::string(shell.calls.back().record.tip), "short");
}

TEST(systemTrayIcon, aHiddenIconTellsTheShellNothingButKeepsTheChanges)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    icon.create(1, kCallback, "Brellix", kNormalIcon, kIconId, true);
    EXPECT_TRUE(icon.setIcon(kNewsIcon));
    EXPECT_TRUE(icon.setTooltip("You've got new mail on: Home"));
    EXPECT_TRUE(icon.restore());
    EXPECT_TRUE(shell.calls.empty());
    ASSERT_TRUE(icon.show());
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].operation, TrayOperation::Add);
    EXPECT_EQ(shell.calls[0].record.icon, kNewsIcon);
    EXPECT_STREQ(shell.calls[0].record.tip, "You've got new mail on: Home");
    icon.hide();
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Delete);
    EXPECT_TRUE(icon.hidden());
}

TEST(systemTrayIcon, aRestartedShellGetsTheCurrentIconAndTip)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    icon.create(1, kCallback, "Brellix", kNormalIcon, kIconId, false);
    icon.setIcon(kNewsIcon);
    icon.setTooltip("You've got new mail on: Home");
    shell.known = false; // the shell restarted
    shell.calls.clear();
    ASSERT_TRUE(icon.restore());
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].operation, TrayOperation::Add);
    EXPECT_EQ(shell.calls[0].record.icon, kNewsIcon);
    EXPECT_STREQ(shell.calls[0].record.tip, "You've got new mail on: Home");
}

TEST(systemTrayIcon, aModifyTheShellRefusesAddsTheIconAgain)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    icon.create(1, kCallback, "Brellix", kNormalIcon, kIconId, false);
    shell.known = false;
    shell.calls.clear();
    EXPECT_TRUE(icon.setIcon(kNewsIcon));
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0].operation, TrayOperation::Modify);
    EXPECT_EQ(shell.calls[1].operation, TrayOperation::Add);
    EXPECT_TRUE(shell.known);
}

TEST(systemTrayIcon, aRemovedIconStaysAwayUntilCreatedAgain)
{
    RecordingShell shell;
    SystemTrayIcon icon(shell);
    icon.create(1, kCallback, "Brellix", kNormalIcon, kIconId, false);
    ASSERT_TRUE(icon.remove());
    EXPECT_EQ(shell.calls.back().operation, TrayOperation::Delete);
    EXPECT_EQ(shell.calls.back().record.id, kIconId);
    const std::size_t before = shell.calls.size();
    icon.restore();
    icon.setIcon(kNewsIcon);
    icon.show();
    icon.remove();
    EXPECT_EQ(shell.calls.size(), before);
    EXPECT_FALSE(icon.created());
}

TEST(systemTrayIcon, aFailedAddIsReported)
{
    RecordingShell shell;
    shell.succeed = false;
    SystemTrayIcon icon(shell);
    EXPECT_FALSE(icon.create(1, kCallback, "Brellix", kNormalIcon, kIconId, false));
    // It stays wanted: the shell's next restart brings it.
    shell.succeed = true;
    EXPECT_TRUE(icon.restore());
    EXPECT_TRUE(shell.known);
}
