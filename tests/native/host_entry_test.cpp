#include "meter/prefs/host_entry.h"

#include <gtest/gtest.h>

TEST(hostEntry, theLongestNameFitsItsPingSlotWithItsTerminator)
{
    PingOptions options(true);
    const std::string longest(kHostNameMost, 'h');
    options.setHost(1, longest);
    EXPECT_EQ(options.host(1), longest);
    // One more would be cut short by the slot: the dialog must refuse it instead.
    options.setHost(1, longest + "x");
    EXPECT_EQ(options.host(1), longest);
    EXPECT_EQ(kHostNameMost, 79u);
}

TEST(hostEntry, okOnlyForAChangedNonBlankName)
{
    EXPECT_FALSE(hostOkEnabled("", ""));
    EXPECT_TRUE(hostOkEnabled("127.0.0.1", ""));
    EXPECT_FALSE(hostOkEnabled("localhost", "localhost"));
    EXPECT_TRUE(hostOkEnabled("localhost2", "localhost"));
    // Cleared or blanked, an edited name would become an empty slot.
    EXPECT_FALSE(hostOkEnabled("", "localhost"));
    EXPECT_FALSE(hostOkEnabled("  \t", ""));
}

TEST(hostEntry, blanksAroundTheNameAreDropped)
{
    EXPECT_EQ(enteredHost("  example.test\t"), "example.test");
    EXPECT_EQ(enteredHost("a b"), "a b");
    EXPECT_EQ(enteredHost("   "), "");
    EXPECT_EQ(enteredHost("127.0.0.1"), "127.0.0.1");
}
