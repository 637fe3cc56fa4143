#include "meter/statistics_summary.h"

#include "meter_set_fakes.h"

#include <gtest/gtest.h>

using namespace meter_set_test;

namespace {

constexpr std::uint64_t kGB = 1024 * kMB;

MemoryStatusBytes machine(std::uint64_t physicalTotal, std::uint64_t physicalAvailable,
                          std::uint64_t pageTotal, std::uint64_t pageAvailable)
{
    MemoryStatusBytes m;
    m.totalPhysical = physicalTotal;
    m.availablePhysical = physicalAvailable;
    m.totalPageFile = pageTotal;
    m.availablePageFile = pageAvailable;
    return m;
}

StatisticsPeaks allOn(std::uint32_t pageGraph, std::uint32_t page, std::uint32_t network,
                      std::uint32_t disk)
{
    return {{true, pageGraph}, {true, page}, {true, network}, {true, disk}};
}

// A meter set with every meter off but those named.
struct OnlyOn {
    explicit OnlyOn(std::initializer_list<MeterKind> kinds)
        : set(settings, PlatformFamily::NT, services.get())
    {
        for (int k = 0; k < kMeterKindCount; ++k)
            set.byKind(static_cast<MeterKind>(k)).options().setActive(false);
        for (MeterKind kind : kinds)
            set.byKind(kind).options().setActive(true);
    }
    AppSettings settings;
    Services services;
    MeterSet set;
};

} // namespace

TEST(percentInUse, roundsTheAvailableShareHalfUp)
{
    EXPECT_EQ(percentInUse(200, 100), 50);
    EXPECT_EQ(percentInUse(1000, 125), 87); // 12.5 % available rounds up to 13
    EXPECT_EQ(percentInUse(1000, 124), 88);
    EXPECT_EQ(percentInUse(1000, 0), 100);
    EXPECT_EQ(percentInUse(1000, 1000), 0);
}

TEST(percentInUse, noTotalOrTooMuchAvailableIsNothingInUse)
{
    EXPECT_EQ(percentInUse(0, 0), 0);
    EXPECT_EQ(percentInUse(0, 4096), 0);
    EXPECT_EQ(percentInUse(1000, 1500), 0); // a page file that grew between readings
}

TEST(percentInUse, largeMachinesDoNotOverflow)
{
    // available x 100 is past 64 bits here; a 32-bit or 64-bit product would wrap.
    const std::uint64_t total = 0xFFFFFFFFFFFFFFFFull;
    EXPECT_EQ(percentInUse(total, total / 4), 75);
    EXPECT_EQ(percentInUse(64 * kGB, 16 * kGB), 75);
    EXPECT_EQ(percentInUse(6 * kGB, 5 * kGB), 17); // past 32 bits: 83.3 % available
}

TEST(statisticsTexts, memoryFiguresInMegabytesWithTheirShareInUse)
{
    MemoryStatusBytes m = machine(512 * kMB, 128 * kMB, 1024 * kMB, 768 * kMB);
    m.memoryLoad = 73;
    const StatisticsTexts t = statisticsTexts(m, {});
    EXPECT_EQ(t.memoryLoad, "73%");
    EXPECT_EQ(t.physicalTotal, "512.0 MB");
    EXPECT_EQ(t.physicalAvailable, "128.0 MB");
    EXPECT_EQ(t.physicalUsed, "384.0 MB");
    EXPECT_EQ(t.physicalInUse, "75%");
    EXPECT_EQ(t.pageFileTotal, "1,024.0 MB");
    EXPECT_EQ(t.pageFileAvailable, "768.0 MB");
    EXPECT_EQ(t.pageFileUsed, "256.0 MB");
    EXPECT_EQ(t.pageFileInUse, "25%");
}

TEST(statisticsTexts, kilobytesAreRoundedHalfUpFromBytes)
{
    EXPECT_EQ(statisticsTexts(machine(511, 0, 0, 0), {}).physicalTotal, "0.0 MB");
    EXPECT_EQ(statisticsTexts(machine(512, 0, 0, 0), {}).physicalTotal, "0.001 MB");
    EXPECT_EQ(statisticsTexts(machine(1535, 0, 0, 0), {}).physicalTotal, "0.001 MB");
    EXPECT_EQ(statisticsTexts(machine(1536, 0, 0, 0), {}).physicalTotal, "0.002 MB");
}

TEST(statisticsTexts, memoryBeyondFourGigabytesKeepsItsSize)
{
    const StatisticsTexts t = statisticsTexts(machine(16 * kGB, 6 * kGB, 24 * kGB, 20 * kGB), {});
    EXPECT_EQ(t.physicalTotal, "16,384.0 MB");
    EXPECT_EQ(t.physicalUsed, "10,240.0 MB");
    EXPECT_EQ(t.physicalInUse, "62%"); // 37.5 % available rounds to 38
    EXPECT_EQ(t.pageFileTotal, "24,576.0 MB");
    EXPECT_EQ(t.pageFileInUse, "17%");
}

TEST(statisticsTexts, countsPastTheKilobyteRangeSaturateInsteadOfWrapping)
{
    // 8 TB is 2^33 KB: wrapped to 32 bits it would read 0 MB.
    const StatisticsTexts t = statisticsTexts(machine(8192 * kGB, 0, 0, 0), {});
    EXPECT_EQ(t.physicalTotal, "4,194,304.0 MB");
    EXPECT_EQ(t.physicalInUse, "100%");
}

TEST(statisticsTexts, noMemoryReportedShowsZerosNotAFault)
{
    const StatisticsTexts t = statisticsTexts(MemoryStatusBytes{}, {});
    EXPECT_EQ(t.physicalTotal, "0.0 MB");
    EXPECT_EQ(t.physicalUsed, "0.0 MB");
    EXPECT_EQ(t.physicalInUse, "0%");
    EXPECT_EQ(t.pageFileInUse, "0%");
}

TEST(statisticsTexts, morePageFileAvailableThanTotalUsesNothing)
{
    const StatisticsTexts t = statisticsTexts(machine(0, 0, 100 * kMB, 120 * kMB), {});
    EXPECT_EQ(t.pageFileUsed, "0.0 MB");
    EXPECT_EQ(t.pageFileInUse, "0%");
}

TEST(statisticsTexts, peaksOfTheMetersThatAreOn)
{
    const StatisticsTexts t = statisticsTexts({}, allOn(204800, 1024, 1536, 1048576));
    EXPECT_EQ(t.pageFilePeak, "200.0 MB"); // the graph's, not the text meter's
    EXPECT_EQ(t.networkPeak, "1.5 KB/sec");
    EXPECT_EQ(t.diskPeakKB, "1,024.0 KB/sec");
    EXPECT_EQ(t.diskPeakMB, "1.0 MB/sec");
}

TEST(statisticsTexts, smallPeaksKeepTheTildeRule)
{
    const StatisticsTexts t = statisticsTexts({}, allOn(10, 10, 10, 10));
    EXPECT_EQ(t.networkPeak, "~0.0 KB/sec");
    EXPECT_EQ(t.diskPeakKB, "~0.0 KB/sec");
    EXPECT_EQ(t.pageFilePeak, "0.01 MB");
}

TEST(statisticsTexts, pageFileMeterPeakWhenTheGraphIsOff)
{
    StatisticsPeaks peaks;
    peaks.pageFile = {true, 51200};
    peaks.pageFileGraph = {false, 999999};
    EXPECT_EQ(statisticsTexts({}, peaks).pageFilePeak, "50.0 MB");
}

TEST(statisticsTexts, metersThatAreOffAreNotOn)
{
    const StatisticsTexts t = statisticsTexts({}, {});
    EXPECT_EQ(t.pageFilePeak, kMeterNotOn);
    EXPECT_EQ(t.networkPeak, kMeterNotOn);
    EXPECT_EQ(t.diskPeakKB, kMeterNotOn);
    EXPECT_EQ(t.diskPeakMB, "");
}

TEST(statisticsRows, eachPeakRowFollowsItsMeters)
{
    StatisticsPeaks peaks;
    StatisticsRows rows = statisticsRows(peaks);
    EXPECT_FALSE(rows.pageFilePeak);
    EXPECT_FALSE(rows.network);
    EXPECT_FALSE(rows.disk);

    peaks.pageFile.on = true;
    peaks.disk.on = true;
    rows = statisticsRows(peaks);
    EXPECT_TRUE(rows.pageFilePeak);
    EXPECT_FALSE(rows.network);
    EXPECT_TRUE(rows.disk);

    peaks = {};
    peaks.pageFileGraph.on = true;
    peaks.network.on = true;
    rows = statisticsRows(peaks);
    EXPECT_TRUE(rows.pageFilePeak);
    EXPECT_TRUE(rows.network);
    EXPECT_FALSE(rows.disk);
}

TEST(statisticsPeaks, onlyTheCpuMeterOnLeavesEveryPeakOff)
{
    OnlyOn meters{MeterKind::Cpu};
    const StatisticsRows rows = statisticsRows(statisticsPeaks(meters.set));
    EXPECT_FALSE(rows.pageFilePeak);
    EXPECT_FALSE(rows.network);
    EXPECT_FALSE(rows.disk);
}

TEST(statisticsPeaks, takesEachMetersHighestSample)
{
    OnlyOn meters{MeterKind::PageFile, MeterKind::NetGraph, MeterKind::DiskGraph};
    meters.set.byKind(MeterKind::PageFile).addSample(3000, 8000);
    meters.set.byKind(MeterKind::PageFile).addSample(2000, 8000);
    meters.set.byKind(MeterKind::NetGraph).addSample(4096, 0);
    meters.set.byKind(MeterKind::PageFileGraph).addSample(7777, 8000); // off: not shown
    const StatisticsPeaks peaks = statisticsPeaks(meters.set);
    EXPECT_FALSE(peaks.pageFileGraph.on);
    EXPECT_TRUE(peaks.pageFile.on);
    EXPECT_EQ(peaks.pageFile.highest, 3000u);
    EXPECT_EQ(peaks.network.highest, 4096u);
    // A meter without samples shows the framework's starting highest.
    EXPECT_TRUE(peaks.disk.on);
    EXPECT_EQ(peaks.disk.highest, Meter::kInitialScale);
}
