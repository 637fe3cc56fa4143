#include "common/input/range_input.h"

#include <gtest/gtest.h>

TEST(rangeInput, standardMessagesCarryTheBounds)
{
    EXPECT_EQ(integerRangeMessage(2, 100), "Please enter an integer between 2 and 100.");
    EXPECT_EQ(integerRangeMessage(0, 99999), "Please enter an integer between 0 and 99999.");
    EXPECT_EQ(textLengthMessage(79), "Please enter no more than 79 characters.");
}

TEST(rangeInput, wholeNumbersWithBlanksAndSign)
{
    EXPECT_EQ(parseInteger(" 42 "), 42);
    EXPECT_EQ(parseInteger("-7"), -7);
    EXPECT_EQ(parseInteger("+3"), 3);
    EXPECT_FALSE(parseInteger(""));
    EXPECT_FALSE(parseInteger("-"));
    EXPECT_FALSE(parseInteger("12a"));
    EXPECT_FALSE(parseInteger("1 2"));
    EXPECT_FALSE(parseInteger("1.5"));
    EXPECT_FALSE(parseInteger("99999999999999999999999")); // too large to hold
}

TEST(rangeInput, boundsAreInclusive)
{
    EXPECT_EQ(parseIntegerInRange("2", 2, 100), 2);
    EXPECT_EQ(parseIntegerInRange("100", 2, 100), 100);
    EXPECT_FALSE(parseIntegerInRange("1", 2, 100));
    EXPECT_FALSE(parseIntegerInRange("101", 2, 100));
}

TEST(rangeInput, clampingKeepsTheNearestValueNotAWrappedOne)
{
    // A byte-sized field would make 300 into 44; the nearest value it can hold is 255.
    EXPECT_EQ(clampToRange(300, 1, 255), 255);
    EXPECT_EQ(clampToRange(0, 1, 255), 1);
    EXPECT_EQ(clampToRange(-5, 1, 255), 1);
    EXPECT_EQ(clampToRange(17, 1, 255), 17);
}
