#include "meter/command_line.h"

#include <gtest/gtest.h>

using Params = std::vector<std::string>;

TEST(parseProfileName, prefOptionInAnyCaseAndEitherPrefix)
{
    EXPECT_EQ(parseProfileName({"/PREF", "Work"}), "Work");
    EXPECT_EQ(parseProfileName({"-pref", "Work"}), "Work");
    EXPECT_EQ(parseProfileName({"-PrEf", "Home Office"}), "Home Office");
    EXPECT_EQ(parseProfileName({"stray", "/x", "/pref", "Work", "more"}), "Work");
}

TEST(parseProfileName, emptyWhenNoNameFollows)
{
    EXPECT_EQ(parseProfileName({}), "");
    EXPECT_EQ(parseProfileName({"Work"}), "");
    EXPECT_EQ(parseProfileName({"/pref"}), "");
    EXPECT_EQ(parseProfileName({"/pref", "/other", "Work"}), "");
    EXPECT_EQ(parseProfileName({"/pref", "-pref"}), "");
    EXPECT_EQ(parseProfileName({"pref", "Work"}), ""); // not an option without / or -
    EXPECT_EQ(parseProfileName({"/preference", "Work"}), "");
}

TEST(parseProfileName, anOptionAfterPrefIsStillSeen)
{
    // "-pref" in the name's place is itself the option, and takes the next name.
    EXPECT_EQ(parseProfileName({"/pref", "-pref", "Home"}), "Home");
    // A later pref replaces an earlier one.
    EXPECT_EQ(parseProfileName({"/pref", "A", "/pref", "B"}), "B");
}

TEST(splitCommandLine, programNameThenParameters)
{
    EXPECT_EQ(splitCommandLine("brellix.exe /pref Work"), (Params{"brellix.exe", "/pref", "Work"}));
    EXPECT_EQ(splitCommandLine("\"C:\\Program Files\\Brellix\\brellix.exe\"  -pref\t\"My Box\" "),
              (Params{"C:\\Program Files\\Brellix\\brellix.exe", "-pref", "My Box"}));
    EXPECT_EQ(splitCommandLine("x.exe"), (Params{"x.exe"}));
    EXPECT_EQ(splitCommandLine(""), (Params{""}));
}

TEST(splitCommandLine, backslashesEscapeOnlyQuotes)
{
    EXPECT_EQ(splitCommandLine("x a\\b \"c\\\\\" d\\\"e \"\""),
              (Params{"x", "a\\b", "c\\", "d\"e", ""}));
    EXPECT_EQ(splitCommandLine("x \"unterminated name"), (Params{"x", "unterminated name"}));
}

TEST(profileNameFromCommandLine, theProgramsNameIsNeverAnOption)
{
    EXPECT_EQ(profileNameFromCommandLine("brellix.exe /PREF Work"), "Work");
    EXPECT_EQ(profileNameFromCommandLine("\"C:\\My Tools\\brellix.exe\" -pref \"Home Box\""),
              "Home Box");
    EXPECT_EQ(profileNameFromCommandLine("/pref.exe Work"), "");
    EXPECT_EQ(profileNameFromCommandLine("brellix.exe /pref"), "");
    EXPECT_EQ(profileNameFromCommandLine(""), "");
}

TEST(folderOfPath, cutsAfterTheLastBackslash)
{
    EXPECT_EQ(folderOfPath("C:\\Tools\\Brellix\\Brellix.exe"), "C:\\Tools\\Brellix\\");
    EXPECT_EQ(folderOfPath("C:\\Brellix.exe"), "C:\\");
    EXPECT_EQ(folderOfPath("Brellix.exe"), "");
}
