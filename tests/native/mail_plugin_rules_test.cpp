// The plug-in's small rules as a host sees them: the menu records and their cursor,
// the kept host name and profile key, folders and the version text.
#include "mail/plugin/plugin_commands.h"
#include "mail/plugin/plugin_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace mail;

namespace {

// Walks the cursor as a host does: first, then next while "more" stays set, at most
// `limit` times so that a cursor that never ends cannot hang the test.
std::vector<int> walk(MenuItemCursor& cursor, int limit = 20)
{
    std::vector<int> ids;
    unsigned char more = 0;
    ids.push_back(cursor.first(more));
    while (more != 0 && limit-- > 0) {
        ids.push_back(cursor.next(more));
    }
    return ids;
}

const std::vector<int> kAllCommands = {200, 201, 202, 203, 204, 205, 206};

} // namespace

TEST(menuItemCursor, walksEveryCommandOnceAndStopsAtTheLast)
{
    MenuItemCursor cursor;
    EXPECT_EQ(walk(cursor), kAllCommands);
}

TEST(menuItemCursor, aSecondWalkStartsOverAtTheFirstCommand)
{
    MenuItemCursor cursor;
    walk(cursor);
    EXPECT_EQ(walk(cursor), kAllCommands);
}

TEST(menuItemCursor, moreIsLeftAloneBeforeTheLastCommand)
{
    MenuItemCursor cursor;
    unsigned char more = 0x5A; // whatever the host left there
    EXPECT_EQ(cursor.next(more), 201);
    EXPECT_EQ(more, 0x5A);
}

TEST(menuItemCursor, firstDoesNotResetAWalkHalfWayThrough)
{
    // The cursor is the library's, not the enumeration's: only reaching the last
    // command puts it back.
    MenuItemCursor cursor;
    unsigned char more = 0;
    cursor.first(more);
    cursor.next(more);
    cursor.next(more); // 202
    EXPECT_EQ(cursor.first(more), 200);
    EXPECT_EQ(cursor.next(more), 203);
}

TEST(menuItemRecord, carriesTheCommandItsTextAndWhetherAccountsAreOpen)
{
    TMenuItem item;
    std::memset(&item, 0xCC, sizeof item);
    fillMenuItem(item, 7, PluginCommand::kControlCenter, true);
    EXPECT_EQ(item.pluginId, 7);
    EXPECT_EQ(item.commandId, 203);
    EXPECT_STREQ(item.text, "Con&trol Center...");
    EXPECT_EQ(item.enabled, 1);
    EXPECT_EQ(item.reserved2, 0);
    EXPECT_EQ(item.text[sizeof item.text - 1], '\0'); // no garbage after the text

    fillMenuItem(item, 7, PluginCommand::kAddAccount, false);
    EXPECT_STREQ(item.text, "&Add Mail Account...");
    EXPECT_EQ(item.enabled, 0);
}

TEST(copyToField, cutsALongTextSoThatTheTerminatorFits)
{
    char field[8];
    std::memset(field, 'x', sizeof field);
    copyToField(field, sizeof field, "Brellix Mail");
    EXPECT_STREQ(field, "Brellix");
    copyToField(field, sizeof field, nullptr);
    EXPECT_STREQ(field, "");
}

TEST(hostName, anEmptyNameBecomesTheDefaultOne)
{
    EXPECT_EQ(keptHostName(""), "Harbinal");
    EXPECT_EQ(keptHostName("Brellix"), "Brellix");
}

TEST(profileHostKey, isTheHostNameInLowerCase)
{
    EXPECT_EQ(profileHostKey("Brellix"), "brellix");
    EXPECT_EQ(profileHostKey(""), "harbinal");
    // A name that holds the root's own word loses nothing of itself.
    EXPECT_EQ(profileHostKey("Big SOFTWARE Suite"), "big software suite");
    EXPECT_EQ(profileHostKey("Software"), "software");
}

TEST(accountFolder, anEmptyTextMeansTheProgramFolder)
{
    EXPECT_EQ(accountFolder("", "C:\\Program\\"), "C:\\Program\\");
    EXPECT_EQ(accountFolder("D:\\Mail", "C:\\Program\\"), "D:\\Mail\\");
    EXPECT_EQ(accountFolder("D:\\Mail\\", "C:\\Program\\"), "D:\\Mail\\");
}

TEST(folderOf, keepsEverythingUpToTheLastBackslash)
{
    EXPECT_EQ(folderOf("C:\\Program Files\\Brellix\\Brellix.exe"), "C:\\Program Files\\Brellix\\");
    EXPECT_EQ(folderOf("Brellix.exe"), "");
}

TEST(moduleBaseName, dropsTheFolderAndTheExtension)
{
    EXPECT_EQ(moduleBaseName("C:\\Brellix\\Mail.dll"), "Mail");
    EXPECT_EQ(moduleBaseName("Z:/build/my.mail.dll"), "my.mail");
    EXPECT_EQ(moduleBaseName("Mail"), "Mail");
}

TEST(versionText, followsItsTwoSwitches)
{
    const FileVersion v{2, 6, 31, 4};
    EXPECT_EQ(versionText(v, true, true), "Version 2.6.31.4");
    EXPECT_EQ(versionText(v, true, false), "Version 2.6.31");
    EXPECT_EQ(versionText(v, false, true), "Version 2.6.x.4");
    EXPECT_EQ(versionText(v, false, false), "Version 2.6");
}

TEST(versionText, showsTheWholeRangeOfEachPart)
{
    EXPECT_EQ(versionText({65535, 0, 65535, 0}, true, true), "Version 65535.0.65535.0");
}
