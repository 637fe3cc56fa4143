#include "meter/measure/process_rows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TrackedProcess process(std::uint32_t pid, const std::string& name, std::int32_t share,
                       std::uint64_t bytes = 1048576, std::uint32_t seconds = 0)
{
    TrackedProcess p;
    p.pid = pid;
    p.name = name;
    p.share = share;
    p.workingSet = bytes;
    p.totalSeconds = seconds;
    return p;
}

std::vector<ProcessRow> rowsOf(const std::vector<TrackedProcess>& sorted,
                               const ProcessRowOptions& options)
{
    std::vector<ProcessRow> rows;
    buildProcessRows(sorted, options, rows);
    return rows;
}

} // namespace

TEST(processRows, processesAtZeroAreLeftOutNotReplaced)
{
    const std::vector<TrackedProcess> sorted = {process(1, "A", 30), process(2, "B", 0),
                                                process(3, "C", 20), process(4, "D", 0),
                                                process(5, "E", 10)};
    const std::vector<ProcessRow> rows = rowsOf(sorted, {4, false, false});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "A");
    EXPECT_EQ(rows[1].name, "C"); // E, the fifth, does not move up
    EXPECT_EQ(rowsOf(sorted, {4, true, false}).size(), 4u);
    EXPECT_EQ(rowsOf(sorted, {9, true, false}).size(), 5u);
}

TEST(processRows, textsOfARow)
{
    TrackedProcess p = process(7, "Svchost", 300, 5ULL << 30, 3725);
    p.instance = 2;
    const std::vector<ProcessRow> rows = rowsOf({p, process(0, "Idle", 95)}, {4, false, true});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Svchost#2");
    EXPECT_EQ(rows[0].shareText, "300%"); // three busy processors, not 300 mod 256
    EXPECT_EQ(rows[0].workingSetText, "5,120.0 MB");
    EXPECT_EQ(rows[0].timeText, "1:02:05");
    EXPECT_FALSE(rows[0].idle);
    EXPECT_TRUE(rows[1].idle);
    EXPECT_TRUE(rowsOf({p}, {4, false, false})[0].timeText.empty());
}

TEST(processRows, numberTexts)
{
    EXPECT_EQ(processTimeText(0), "0:00:00");
    EXPECT_EQ(processTimeText(90061), "25:01:01"); // hours go past a day
    EXPECT_EQ(workingSetText(1572864), "1.5 MB");
    EXPECT_EQ(workingSetText(0), "0.0 MB");
    EXPECT_EQ(workingSetText(3ULL << 31), "6,144.0 MB"); // beyond what 32 bits hold
}

TEST(processRows, colourFollowsShareAtFixedThresholds)
{
    EXPECT_EQ(processRowColour(0), kColourNormal);
    EXPECT_EQ(processRowColour(89), kColourNormal);
    EXPECT_EQ(processRowColour(90), kColourWarning);
    EXPECT_EQ(processRowColour(97), kColourWarning);
    EXPECT_EQ(processRowColour(98), kColourHigh);
    EXPECT_EQ(processRowColour(250), kColourHigh);
}

namespace {

// P 18, N 60, M 48, T 42: all four columns need 18+10+60+10+48+10+42 = 198.
const ProcessColumnWidths kWidths{18, 60, 48, 42};

} // namespace

TEST(processColumns, allColumnsCentredWhenThereIsRoom)
{
    const ProcessColumns c = fitProcessColumns(1, 210, kWidths, true);
    EXPECT_TRUE(c.share && c.workingSet && c.time);
    EXPECT_EQ(c.shareLeft, 1 + 6); // (210 - 198) / 2
    EXPECT_EQ(c.nameLeft, c.shareLeft + 18 + 10);
    EXPECT_EQ(c.workingSetLeft, c.nameLeft + 60 + 10);
    EXPECT_EQ(c.timeLeft, c.workingSetLeft + 48 + 10);
}

TEST(processColumns, narrowingDropsTimeThenWorkingSetThenShare)
{
    // Margin (204 - 198) / 2 = 3 keeps the time; one pixel less does not.
    ProcessColumns c = fitProcessColumns(1, 204, kWidths, true);
    EXPECT_TRUE(c.time);
    c = fitProcessColumns(1, 203, kWidths, true);
    EXPECT_FALSE(c.time);
    EXPECT_TRUE(c.workingSet);
    EXPECT_EQ(c.shareLeft, 1 + (203 - 146) / 2);

    c = fitProcessColumns(1, 151, kWidths, true);
    EXPECT_FALSE(c.workingSet);
    EXPECT_TRUE(c.share);
    EXPECT_EQ(c.shareLeft, 1 + (151 - 88) / 2);

    c = fitProcessColumns(1, 93, kWidths, false);
    EXPECT_FALSE(c.share);
    EXPECT_FALSE(c.workingSet);
    EXPECT_EQ(c.nameLeft, 1 + (93 - 60) / 2);
}

TEST(processColumns, theTimeColumnOnlyWhenWanted)
{
    EXPECT_FALSE(fitProcessColumns(1, 400, kWidths, false).time);
}
