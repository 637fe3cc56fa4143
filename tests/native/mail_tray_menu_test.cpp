#include "mail/tray/tray_menu.h"

#include <gtest/gtest.h>

using namespace mail;

namespace {

MenuAccount account(const std::string& name, std::vector<MenuMessage> messages = {},
                    bool checking = false)
{
    MenuAccount result;
    result.name = name;
    result.messages = std::move(messages);
    result.checking = checking;
    return result;
}

// The fixed items come first: seven commands around one separator.
constexpr std::size_t kFixedItems = 8;

const TrayMenuItem* findCommand(const std::vector<TrayMenuItem>& items, int command)
{
    for (const TrayMenuItem& item : items)
        if (item.kind == TrayMenuItemKind::Command && item.command == command)
            return &item;
    return nullptr;
}

} // namespace

TEST(trayMenu, withoutAccountsTheAccountCommandsAreDisabled)
{
    const TrayMenu menu = buildTrayMenu({}, {});
    ASSERT_EQ(menu.items.size(), kFixedItems + 1);
    const struct {
        const char* text;
        int command;
        int image;
        bool enabled;
    } expected[] = {
        {"&Check Mail Now", kCmdCheckMailNow, kMenuNoImage, false},
        {"&Open Mail Client...", kCmdOpenMailClient, kMenuNoImage, true},
        {"Con&trol Center...", kCmdControlCenter, kMenuImageControlCenter, true},
        {"&Mail Log...", kCmdLogWindow, kMenuImageMailLog, true},
        {"", 0, kMenuNoImage, true},
        {"&Add Account...", kCmdAddAccount, kMenuImageAddAccount, true},
        {"&Remove Account...", kCmdRemoveAccount, kMenuImageRemoveAccount, false},
        {"&Send Mail...", kCmdSendMail, kMenuImageSendMail, true},
    };
    for (std::size_t i = 0; i < kFixedItems; ++i) {
        SCOPED_TRACE(i);
        const TrayMenuItem& item = menu.items[i];
        EXPECT_EQ(item.kind, i == 4 ? TrayMenuItemKind::Separator : TrayMenuItemKind::Command);
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_EQ(item.command, expected[i].command);
        EXPECT_EQ(item.image, expected[i].image);
        EXPECT_EQ(item.enabled, expected[i].enabled);
    }
    EXPECT_EQ(menu.items.back().kind, TrayMenuItemKind::CaptionedSeparator);
    EXPECT_EQ(menu.items.back().text, "Mail Accounts");
}

TEST(trayMenu, anAccountEnablesCheckAndRemove)
{
    const TrayMenu menu = buildTrayMenu({account("Home")}, {});
    EXPECT_TRUE(findCommand(menu.items, kCmdCheckMailNow)->enabled);
    EXPECT_TRUE(findCommand(menu.items, kCmdRemoveAccount)->enabled);
}

TEST(trayMenu, hostItemsBelowIdHundredFollowASeparatorInTheirOrder)
{
    const TrayMenu menu = buildTrayMenu({}, {{"Brellix &Preferences", 11},
                                             {"Too far", 100},
                                             {"E&xit Brellix", 10},
                                             {"Negative", -1},
                                             {"Last one", 99}});
    ASSERT_EQ(menu.items.size(), kFixedItems + 1 + 3 + 1);
    EXPECT_EQ(menu.items[kFixedItems].kind, TrayMenuItemKind::Separator);
    EXPECT_EQ(menu.items[kFixedItems + 1].text, "Brellix &Preferences");
    EXPECT_EQ(menu.items[kFixedItems + 1].command, 711);
    EXPECT_EQ(menu.items[kFixedItems + 2].text, "E&xit Brellix");
    EXPECT_EQ(menu.items[kFixedItems + 2].command, 710);
    EXPECT_EQ(menu.items[kFixedItems + 3].command, 799);
    EXPECT_EQ(menu.items[kFixedItems + 4].text, "Mail Accounts");
}

TEST(trayMenu, anAccountWithoutMessagesSaysSo)
{
    const TrayMenu menu = buildTrayMenu({account("Home"), account("Work")}, {});
    ASSERT_EQ(menu.items.size(), kFixedItems + 1 + 2);
    const TrayMenuItem& work = menu.items.back();
    EXPECT_EQ(work.kind, TrayMenuItemKind::Submenu);
    EXPECT_EQ(work.text, "Work");
    EXPECT_EQ(work.image, kMenuImageAccount);
    ASSERT_EQ(work.items.size(), 4u);
    EXPECT_EQ(work.items[0].text, "Check Mail In This Account");
    EXPECT_EQ(work.items[0].command, 901);
    EXPECT_EQ(work.items[1].text, "Delete All Mail On Server...");
    EXPECT_EQ(work.items[1].command, 801);
    EXPECT_EQ(work.items[2].kind, TrayMenuItemKind::Separator);
    EXPECT_EQ(work.items[3].text, "No new messages");
    EXPECT_EQ(work.items[3].command, 0);
    EXPECT_FALSE(work.items[3].enabled);
    EXPECT_TRUE(menu.messageLookup.empty());
}

TEST(trayMenu, messagesAreListedBySubjectWithTheirNewImage)
{
    const TrayMenu menu = buildTrayMenu(
        {account("Home", {{"one", false}, {"two", true}, {"three", false}, {"four", false}}),
         account("Work", {{"five", false}})},
        {});
    const TrayMenuItem& home = menu.items[kFixedItems + 1];
    ASSERT_EQ(home.items.size(), 3u + 4u);
    const char* subjects[] = {"one", "two", "three", "four"};
    for (int m = 0; m < 4; ++m) {
        SCOPED_TRACE(m);
        const TrayMenuItem& item = home.items[3 + m];
        EXPECT_EQ(item.text, subjects[m]);
        EXPECT_EQ(item.command, kCmdMessageBase + m);
        EXPECT_EQ(item.image, m == 1 ? kMenuImageNewMessage : kMenuImageOldMessage);
        EXPECT_TRUE(item.enabled);
    }
    // The second account's message continues the lookup table.
    EXPECT_EQ(menu.items[kFixedItems + 2].items[3].command, kCmdMessageBase + 4);
    EXPECT_EQ(menu.messageLookup.size(), 5u);
}

TEST(trayMenu, anAccountBeingCheckedHidesItsMessages)
{
    const TrayMenu menu = buildTrayMenu(
        {account("Home", {{"old", false}}, true), account("Work", {{"kept", false}})}, {});
    const TrayMenuItem& home = menu.items[kFixedItems + 1];
    ASSERT_EQ(home.items.size(), 4u);
    EXPECT_EQ(home.items[3].text, "Checking For New Messages...");
    EXPECT_EQ(home.items[3].command, 800);
    EXPECT_FALSE(home.items[3].enabled);
    // The message items of the other account are numbered from the first entry.
    EXPECT_EQ(menu.items[kFixedItems + 2].items[3].command, kCmdMessageBase);
}

TEST(trayMenu, accountsPastTheCommandRangeKeepTheirMessagesButNoCommands)
{
    std::vector<MenuAccount> accounts(101, account("A"));
    accounts[100].messages = {{"late", true}};
    const TrayMenu menu = buildTrayMenu(accounts, {});
    const TrayMenuItem& last = menu.items.back();
    EXPECT_EQ(last.items[0].command, 0);
    EXPECT_FALSE(last.items[0].enabled);
    EXPECT_EQ(last.items[1].command, 0);
    const TrayCommand open = decodeTrayCommand(menu, last.items[3].command);
    EXPECT_EQ(open.kind, TrayCommandKind::OpenMessage);
    EXPECT_EQ(open.account, 100u);
}

TEST(trayMenu, theLookupTableStopsAtTheLastCommandId)
{
    std::vector<MenuMessage> many(kMessageLookupCapacity - 1, MenuMessage{"m", false});
    const TrayMenu menu = buildTrayMenu({account("A", many), account("B", {{"x"}, {"y"}})}, {});
    EXPECT_EQ(menu.messageLookup.size(), kMessageLookupCapacity);
    const TrayMenuItem& b = menu.items.back();
    ASSERT_EQ(b.items.size(), 4u); // only "x" fitted
    EXPECT_EQ(b.items[3].command, kCmdLast);
    const TrayCommand last = decodeTrayCommand(menu, kCmdLast);
    EXPECT_EQ(last.kind, TrayCommandKind::OpenMessage);
    EXPECT_EQ(last.account, 1u);
    EXPECT_EQ(last.message, 0u);
}

TEST(trayCommand, everyItemOfTheMenuDecodesToWhatItShows)
{
    const TrayMenu menu =
        buildTrayMenu({account("Home", {{"a"}, {"b"}}), account("Work"), account("Lists", {{"c"}})},
                      {{"E&xit Brellix", 10}});
    int checked = 0;
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const TrayMenuItem& item = menu.items[i];
        if (item.kind != TrayMenuItemKind::Submenu)
            continue;
        const std::size_t account = i - (kFixedItems + 3); // after the host items
        EXPECT_EQ(decodeTrayCommand(menu, item.items[0].command).kind,
                  TrayCommandKind::CheckAccount);
        EXPECT_EQ(decodeTrayCommand(menu, item.items[0].command).account, account);
        EXPECT_EQ(decodeTrayCommand(menu, item.items[1].command).kind, TrayCommandKind::DeleteAll);
        EXPECT_EQ(decodeTrayCommand(menu, item.items[1].command).account, account);
        for (std::size_t m = 3; m < item.items.size(); ++m) {
            if (!item.items[m].enabled)
                continue;
            const TrayCommand open = decodeTrayCommand(menu, item.items[m].command);
            EXPECT_EQ(open.kind, TrayCommandKind::OpenMessage);
            EXPECT_EQ(open.account, account);
            EXPECT_EQ(open.message, m - 3);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3);
    const TrayCommand host = decodeTrayCommand(menu, 710);
    EXPECT_EQ(host.kind, TrayCommandKind::HostItem);
    EXPECT_EQ(host.id, 10);
    const TrayCommand plugin = decodeTrayCommand(menu, kCmdSendMail);
    EXPECT_EQ(plugin.kind, TrayCommandKind::Plugin);
    EXPECT_EQ(plugin.id, kCmdSendMail);
}

TEST(trayCommand, idsOutsideWhatTheMenuHeldDecodeToNothing)
{
    const TrayMenu menu =
        buildTrayMenu({account("Home", {{"a"}}), account("Work")}, {{"E&xit Brellix", 10}});
    for (int id : {-1, 0, 199, 207, 699, 700, 711, 799, 802, 899, 902, 999, 1001, 65535, 65536}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(decodeTrayCommand(menu, id).kind, TrayCommandKind::None);
    }
    for (int id : {kCmdAddAccount, kCmdLogWindow, 801, 901, 1000})
        EXPECT_NE(decodeTrayCommand(menu, id).kind, TrayCommandKind::None) << id;
}

TEST(trayCommand, theRightClickTipListsTheMessagesFacts)
{
    EXPECT_EQ(messageTipText("Hello", "Ann <ann@example.org>", "bob@example.org", 2),
              "Subject:\tHello\nFrom:\tAnn <ann@example.org>\nTo:\tbob@example.org\n"
              "# Attach.:\t2");
    // Texts with a percent sign are shown as they are, not read as a format.
    EXPECT_EQ(messageTipText("100%s", "", "", 0), "Subject:\t100%s\nFrom:\t\nTo:\t\n# Attach.:\t0");
}
