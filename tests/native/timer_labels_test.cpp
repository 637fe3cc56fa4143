#include "meter/timer_labels.h"

#include <gtest/gtest.h>

TEST(intervalLabels, driveTimer)
{
    EXPECT_EQ(driveIntervalLabel(30), "&Update every 30 seconds");
    EXPECT_EQ(driveIntervalLabel(60), "&Update every minute");
    EXPECT_EQ(driveIntervalLabel(90), "&Update every 1\xBD minutes"); // ½ in Windows-1252
    EXPECT_EQ(driveIntervalLabel(120), "&Update every 2 minutes");
    EXPECT_EQ(driveIntervalLabel(3600), "&Update every 60 minutes");
    EXPECT_EQ(driveIntervalLabel(3570), "&Update every 59\xBD minutes");
}

TEST(intervalLabels, usageTimersCarryTheirAccessKeys)
{
    EXPECT_EQ(usageIntervalLabel(1, 1), "&Timer 1:  Update every second");
    EXPECT_EQ(usageIntervalLabel(2, 1), "T&imer 2:  Update every second");
    EXPECT_EQ(usageIntervalLabel(1, 5), "&Timer 1:  Update every 5 seconds");
    EXPECT_EQ(usageIntervalLabel(2, 60), "T&imer 2:  Update every 60 seconds");
}

TEST(intervalLabels, meterListFrequency)
{
    EXPECT_EQ(usageFrequencyText(5), "5 sec.");
    EXPECT_EQ(driveFrequencyText(120), "2 min.");
}
