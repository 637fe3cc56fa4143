#include "common/numtext/numtext.h"

#include <gtest/gtest.h>

TEST(formatThousands, groupsFromTheRight)
{
    EXPECT_EQ(formatThousands(0, true), "0");
    EXPECT_EQ(formatThousands(999, true), "999");
    EXPECT_EQ(formatThousands(1000, true), "1,000");
    EXPECT_EQ(formatThousands(100000, true), "100,000");
    EXPECT_EQ(formatThousands(1234567, true), "1,234,567");
    EXPECT_EQ(formatThousands(1234567, false), "1234567");
    EXPECT_EQ(formatThousands(4294967295u, true), "4,294,967,295");
}

TEST(formatFixed, roundsHalfUpAtTheGivenDecimals)
{
    EXPECT_EQ(formatFixed(1.25, 1, true, false), "1.3");
    EXPECT_EQ(formatFixed(1.24, 1, true, false), "1.2");
    EXPECT_EQ(formatFixed(0.95, 1, true, false), "1.0");
    EXPECT_EQ(formatFixed(9.999, 2, true, false), "10.00");
    EXPECT_EQ(formatFixed(2.5, 0, true, false), "3");
    EXPECT_EQ(formatFixed(1234.56, 1, true, false), "1,234.6");
    EXPECT_EQ(formatFixed(1234.56, 1, false, false), "1234.6");
    EXPECT_EQ(formatFixed(0.0, 1, true, false), "0.0");
    EXPECT_EQ(formatFixed(5.0, 3, true, false), "5.000");
}

TEST(formatFixed, tildeOnlyForSmallPositiveValuesThatWouldReadZero)
{
    EXPECT_EQ(formatFixed(0.04, 1, true, true), "~0.0");
    EXPECT_EQ(formatFixed(0.04, 1, true, false), "0.0");
    EXPECT_EQ(formatFixed(0.0, 1, true, true), "0.0");  // nothing, not "some"
    EXPECT_EQ(formatFixed(0.05, 1, true, true), "0.1"); // rounds up, shows a digit
    EXPECT_EQ(formatFixed(0.04, 2, true, true), "0.04");
    EXPECT_EQ(formatFixed(0.001, 0, true, true), "~0.0");
}

TEST(formatFixed, survivesValuesNoCallerProduces)
{
    EXPECT_EQ(formatFixed(-1.25, 1, true, false), "-1.3");
    EXPECT_EQ(formatFixed(-0.01, 1, true, true), "0.0");
    EXPECT_EQ(formatFixed(1e30, 1, false, false).substr(0, 20), "18446744073709551615");
    EXPECT_EQ(formatFixed(0.5, 255, false, false).size(), 2u + 255u);
}

TEST(formatAdaptive, takesDecimalsForTheFirstSignificantDigit)
{
    EXPECT_EQ(formatAdaptive(0.5, 1, 3, true, true), "0.5");
    EXPECT_EQ(formatAdaptive(0.05, 1, 3, true, true), "0.1");
    EXPECT_EQ(formatAdaptive(0.049, 1, 3, true, true), "0.05");
    EXPECT_EQ(formatAdaptive(0.006, 1, 3, true, true), "0.01");
    EXPECT_EQ(formatAdaptive(0.0049, 1, 3, true, true), "0.005");
    EXPECT_EQ(formatAdaptive(0.0004, 1, 3, true, true), "~0.0");
    EXPECT_EQ(formatAdaptive(0.0004, 1, 3, true, false), "0.0");
    EXPECT_EQ(formatAdaptive(1.0, 1, 3, true, true), "1.0");
    EXPECT_EQ(formatAdaptive(0.0, 1, 3, true, true), "0.0");
    EXPECT_EQ(formatAdaptive(0.0004, 2, 3, true, false), "0.00");
}

TEST(formatKBtoUnit, megabytesOfKilobytesAndBytes)
{
    EXPECT_EQ(formatKBtoUnit(true, 1536), "1.5");
    EXPECT_EQ(formatKBtoUnit(true, 1), "0.001");
    EXPECT_EQ(formatKBtoUnit(true, 0), "0.0");
    EXPECT_EQ(formatKBtoUnit(true, 1048576), "1,024.0");
    EXPECT_EQ(formatKBtoUnit(true, 40), "0.04");
    EXPECT_EQ(formatKBtoUnit(true, 4), "0.004");
    EXPECT_EQ(formatKBtoUnit(true, 300000), "293.0");
    EXPECT_EQ(formatKBtoUnit(false, 1048576), "1.0");
    EXPECT_EQ(formatKBtoUnit(false, 300), "~0.0");
}

TEST(formatKilo, fineOrWholeKilo)
{
    EXPECT_EQ(formatKilo(1535, false), "1");
    EXPECT_EQ(formatKilo(1536, false), "2");
    EXPECT_EQ(formatKilo(1600000, false), "1,563");
    EXPECT_EQ(formatKilo(4294967295u, false), "4,194,304");
    EXPECT_EQ(formatKilo(150000, true), "146.5");
    EXPECT_EQ(formatKilo(20000, true), "19.5");
    EXPECT_EQ(formatKilo(50, true), "~0.0");
    EXPECT_EQ(formatKilo(0, true), "0.0");
    EXPECT_EQ(formatKilo(1023999, true), "1,000.0");
}

TEST(formatSize, picksTheUnit)
{
    EXPECT_EQ(formatSize(0.5), "512 bytes");
    EXPECT_EQ(formatSize(0.0), "0 bytes");
    EXPECT_EQ(formatSize(1.0), "1.0 KB");
    EXPECT_EQ(formatSize(1023.9), "1,023.9 KB");
    EXPECT_EQ(formatSize(1024.0), "1.0 MB");
    EXPECT_EQ(formatSize(1536), "1.5 MB");
    EXPECT_EQ(formatSize(1024.0 * 1024 * 2), "2,048.0 MB");
    EXPECT_EQ(formatSize(0.04), "40 bytes"); // never the tilde in a size
}

TEST(formatPercent, oneDecimalWithTilde)
{
    EXPECT_EQ(formatPercent(1, 3), "33.3%");
    EXPECT_EQ(formatPercent(2, 3), "66.7%");
    EXPECT_EQ(formatPercent(3, 3), "100.0%");
    EXPECT_EQ(formatPercent(1, 10000), "~0.0%");
    EXPECT_EQ(formatPercent(0, 5), "0.0%");
    EXPECT_EQ(formatPercent(7, 0), "0.0%");
}
