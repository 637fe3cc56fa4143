// The Control Center's tree, start pages and fields, with the profile in memory.
#include "mail/account_profile.h"
#include "mail/center/center_model.h"
#include "meter/memory_registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

using namespace mail::center;

namespace {

std::vector<std::string> labels(const std::vector<CenterNode>& tree)
{
    std::vector<std::string> all;
    for (std::size_t i = 0; i < tree.size(); ++i)
        all.push_back(nodeLabel(tree, i));
    return all;
}

} // namespace

TEST(CenterTreeTest, WithoutAccountsHoldsTheFourGroupsAndGeneral)
{
    const auto tree = centerTree("Host", {});
    EXPECT_EQ(labels(tree),
              (std::vector<std::string>{"Account Details", "Checking and Notifying", "Mail Client",
                                        "Global Preferences", "Global Preferences - General"}));
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(tree[i].kind, PageKind::Help);
        EXPECT_EQ(tree[i].image, kHelpImage);
        EXPECT_EQ(tree[i].parent, kNoParent);
    }
    EXPECT_EQ(tree[4].kind, PageKind::General);
    EXPECT_EQ(tree[4].image, kGeneralImage);
    EXPECT_EQ(tree[0].helpText,
              "These settings are used by Host to communicate with the inboxes "
              "that the accounts represent.  Most of these settings are REQUIRED");
    EXPECT_EQ(tree[2].helpText, "These settings are used to determine which e-mail client to use "
                                "for each account and how that client interacts with Host.");
    EXPECT_EQ(tree[3].helpText, "These settings are used by all accounts in Host.");
    EXPECT_EQ(centerTitle("Host"), "Host - Control Center");
}

TEST(CenterTreeTest, EachAccountHasOnePageInEachOfTheFirstThreeGroups)
{
    const auto tree = centerTree("Host", {"Home", "Work"});
    ASSERT_EQ(tree.size(), 4u + 6u + 1u);
    std::map<std::string, std::vector<std::string>> byGroup;
    for (std::size_t i = 4; i < tree.size(); ++i) {
        ASSERT_NE(tree[i].parent, kNoParent);
        byGroup[tree[static_cast<std::size_t>(tree[i].parent)].caption].push_back(tree[i].caption);
        if (tree[i].kind != PageKind::General) {
            EXPECT_EQ(tree[i].image, kAccountImage);
        }
    }
    const std::vector<std::string> both{"Home", "Work"};
    EXPECT_EQ(byGroup["Account Details"], both);
    EXPECT_EQ(byGroup["Checking and Notifying"], both);
    EXPECT_EQ(byGroup["Mail Client"], both);
    EXPECT_EQ(byGroup["Global Preferences"], std::vector<std::string>{"General"});
    // Each account page knows its account and sits under the group of its kind.
    for (std::size_t i = 4; i + 1 < tree.size(); ++i) {
        EXPECT_EQ(tree[i].caption, both[tree[i].account]);
        const std::string group = tree[static_cast<std::size_t>(tree[i].parent)].caption;
        const PageKind expected = group == "Account Details" ? PageKind::Details
                                  : group == "Mail Client"   ? PageKind::Client
                                                             : PageKind::Notification;
        EXPECT_EQ(tree[i].kind, expected) << group;
    }
}

TEST(CenterTreeTest, StartRequestsSelectTheirPage)
{
    const auto tree = centerTree("Host", {"Home", "Work"});
    auto start = [&](int group, std::optional<std::size_t> account = std::nullopt) {
        return nodeLabel(tree, startNode(tree, {group, account}));
    };
    EXPECT_EQ(start(1), "Account Details");
    EXPECT_EQ(start(2), "Checking and Notifying");
    EXPECT_EQ(start(3), "Mail Client");
    EXPECT_EQ(start(4), "Global Preferences - General");
    // The first and third groups name each other's account page.
    EXPECT_EQ(start(1, 1), "Mail Client - Work");
    EXPECT_EQ(start(2, 1), "Checking and Notifying - Work");
    EXPECT_EQ(start(3, 0), "Account Details - Home");
    // Nothing that exists: the first page.
    EXPECT_EQ(start(2, 5), "Account Details");
    EXPECT_EQ(start(7), "Account Details");
    EXPECT_EQ(start(0), "Account Details");
}

TEST(CenterFieldsTest, TimeoutAndIntervalTextsBecomeNumbers)
{
    EXPECT_EQ(timeoutFromText("0"), 2);
    EXPECT_EQ(timeoutFromText(""), 2);
    EXPECT_EQ(timeoutFromText("soon"), 2);
    EXPECT_EQ(timeoutFromText("30"), 30);
    EXPECT_EQ(timeoutFromText("15 s"), 15);
    EXPECT_EQ(intervalFromText("never"), 0);
    EXPECT_EQ(intervalFromText(""), 0);
    EXPECT_EQ(intervalFromText("10"), 10);
    EXPECT_EQ(intervalFromText(" 7"), 7);
    EXPECT_EQ(intervalFromText("99999999999999"), INT_MAX);
}

TEST(CenterFieldsTest, UncheckedSoundIsEmptiedInTheProfile)
{
    MemoryRegistry registry;
    auto profile = registry.root()->createSubkey("Software\\host\\Mail");
    mail::CMailAccount account(nullptr);
    account.record.name = "Home";
    account.notify.soundFile = "ding.wav";
    account.notify.showTrayPopup = false;
    ASSERT_TRUE(writeAccountProfile(*profile, account));

    NotificationFields fields = notificationFields(account.notify, 5);
    EXPECT_TRUE(fields.playSound);
    EXPECT_EQ(fields.interval, "5");
    EXPECT_EQ(fields.timeout, "2");
    fields.playSound = false;
    fields.showDialog = true;
    fields.showTrayPopup = true;
    applyNotifyFlags(fields, account.notify);
    ASSERT_TRUE(writeAccountProfile(*profile, account));

    mail::NotifySettings read;
    read.soundFile = "stale";
    read.showTrayPopup = false;
    mail::readNotifySettings(*profile->openSubkey("Home"), read);
    EXPECT_EQ(read.soundFile, "");
    EXPECT_TRUE(read.showDialog);
    EXPECT_TRUE(read.showTrayPopup);
    EXPECT_TRUE(registry.hasKey("Software\\host\\Mail\\Home"));
}

TEST(CenterFieldsTest, GeneralValuesRoundTripAndIgnoreOtherTypes)
{
    MemoryRegistry registry;
    auto profile = registry.root()->createSubkey("Software\\host\\Mail");
    EXPECT_EQ(readGeneralPrefs(*profile).mailClient, "");
    ASSERT_TRUE(writeGeneralPrefs(*profile, {"smtp.localhost", "C:\\mail\\client.exe"}));
    const GeneralPrefs read = readGeneralPrefs(*profile);
    EXPECT_EQ(read.smtpServer, "smtp.localhost");
    EXPECT_EQ(read.mailClient, "C:\\mail\\client.exe");
    ASSERT_NE(registry.value("Software\\host\\Mail", "MailClient"), nullptr);
    EXPECT_EQ(registry.value("Software\\host\\Mail", "MailClient")->type, RegType::kSz);

    registry.putDword("Software\\host\\Mail", "MailSMTPServer", 7);
    EXPECT_EQ(readGeneralPrefs(*profile).smtpServer, "");
}

TEST(CenterFieldsTest, OpeningAClientNeedsItsPath)
{
    EXPECT_EQ(clientChoiceRefusal({true, ""}), std::optional<std::string>(kNoClientPath));
    EXPECT_EQ(clientChoiceRefusal({false, ""}), std::nullopt);
    mail::NotifySettings notify;
    applyClientChoice({true, "client.exe"}, notify);
    EXPECT_TRUE(notify.openClientOnSelect);
    EXPECT_EQ(notify.mailClientPath, "client.exe");
}
