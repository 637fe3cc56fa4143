#include "renewo/texts.h"

#include <gtest/gtest.h>

using namespace renewo;

TEST(renewoKilobyteText, tenthsOfAKilobyteRoundedHalfUp)
{
    EXPECT_EQ(kilobyteText(0), "0 KB");
    EXPECT_EQ(kilobyteText(51), "0 KB");
    EXPECT_EQ(kilobyteText(52), "0.1 KB"); // 520 + 512 reaches 1024
    EXPECT_EQ(kilobyteText(1024), "1 KB");
    EXPECT_EQ(kilobyteText(1536), "1.5 KB");
    EXPECT_EQ(kilobyteText(16384), "16 KB");
    EXPECT_EQ(kilobyteText(1023948), "999.9 KB");
    EXPECT_EQ(kilobyteText(1023949), "1,000 KB"); // rounds up into the thousands
    EXPECT_EQ(kilobyteText(1048576), "1,024 KB");
    EXPECT_EQ(kilobyteText(1049088), "1,024.5 KB");
    EXPECT_EQ(kilobyteText(1024u * 1000 * 1000), "1000,000 KB");
    EXPECT_EQ(kilobyteText(4294967295u), "4194,304 KB");
}

TEST(renewoPercentText, floorsAndSurvivesLargeSizes)
{
    EXPECT_EQ(percentText(16384, 16385), "99%");
    EXPECT_EQ(percentText(16384, 16384), "100%");
    EXPECT_EQ(percentText(1, 3), "33%");
    // done * 100 does not fit 32 bits here.
    EXPECT_EQ(percentText(2000000000u, 4000000000u), "50%");
    EXPECT_EQ(percentText(0, 0), "100%");
}

TEST(renewoFormatText, insertsArgumentsLiterally)
{
    EXPECT_EQ(formatText("There is a new version of %s available.", {"Brellix"}),
              "There is a new version of Brellix available.");
    EXPECT_EQ(formatText("Version %s was made available on %s. You are running version %s.",
                         {"2.7.0", "May 5", "2.6.0"}),
              "Version 2.7.0 was made available on May 5. You are running version 2.6.0.");
    EXPECT_EQ(formatText("%s and %s", {"%s", "%d"}), "%s and %d");
    EXPECT_EQ(formatText("%s %s %d%%", {"one"}), "one  %d%");
}

TEST(renewoFieldText, stopsAtTheTerminatorOrTheEndOfTheField)
{
    const char terminated[8] = "abc";
    EXPECT_EQ(fieldText(terminated, sizeof terminated), "abc");
    const char full[4] = {'w', 'x', 'y', 'z'};
    EXPECT_EQ(fieldText(full, sizeof full), "wxyz");
}

TEST(renewoCopyToField, refusesWhatDoesNotFitWithItsTerminator)
{
    char field[5] = "old";
    EXPECT_TRUE(copyToField("abcd", field, sizeof field));
    EXPECT_STREQ(field, "abcd");
    EXPECT_FALSE(copyToField("abcde", field, sizeof field));
    EXPECT_STREQ(field, "");
}

TEST(renewoCaption, joinsNameAndTitle)
{
    EXPECT_EQ(caption("Brellix", "Read Error"), "Brellix - Read Error");
}
