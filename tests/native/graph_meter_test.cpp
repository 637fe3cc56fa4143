#include "meter/graph_meter.h"

#include "recording_canvas.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingView : public MeterView {
public:
    void redrawNow() override { ++redraws; }
    void setTrayIcon(int iconId, const std::string& tip) override
    {
        icons.push_back(iconId);
        tips.push_back(tip);
    }
    void removeTrayIcon() override { ++removals; }

    int redraws = 0;
    int removals = 0;
    std::vector<int> icons;
    std::vector<std::string> tips;
};

class RecordingLog : public MeterLog {
public:
    void appendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

void addSamples(Meter& meter, int n, std::uint32_t value, std::uint32_t ceiling = 0)
{
    for (int i = 0; i < n; ++i)
        meter.addSample(value, ceiling);
}

} // namespace

TEST(addSample, keepsThirtyNewestFirstWithTheirSum)
{
    AppSettings settings;
    DiskGraphMeter meter(settings);
    for (std::uint32_t v = 1; v <= 31; ++v)
        meter.addSample(v, 0);
    EXPECT_EQ(meter.history(0), 31u);
    EXPECT_EQ(meter.history(29), 2u); // the first sample has dropped out
    EXPECT_EQ(meter.sum(), (2u + 31u) * 30u / 2u);
    EXPECT_EQ(meter.average(), meter.sum() / 30);
    EXPECT_EQ(meter.highest(), 31u);
}

TEST(addSample, averageOfAFreshHistoryCountsTheZeros)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    cpu.addSample(59, 100);
    EXPECT_EQ(cpu.average(), 1u); // 59 / 30, not 59
    cpu.addSample(1, 100);
    EXPECT_EQ(cpu.average(), 2u);
}

TEST(addSample, resetHistoryKeepsTheHighestSample)
{
    AppSettings settings;
    DiskGraphMeter meter(settings);
    meter.graphOptions().setAutoScale(false);
    meter.addSample(5000, 0);
    meter.resetHistory();
    EXPECT_EQ(meter.sum(), 0u);
    EXPECT_EQ(meter.current(), 0u);
    EXPECT_EQ(meter.scale(), 10u);
    meter.addSample(1, 0);
    EXPECT_EQ(meter.scale(), 5000u);
}

TEST(addSample, redrawsUnlessCollapsedAndLogsWhenAsked)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    RecordingView view;
    RecordingLog log;
    cpu.setView(&view);
    cpu.setLog(&log);

    cpu.addSample(12, 100);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_TRUE(log.lines.empty());

    cpu.options().setLogToFile(true);
    cpu.options().setCollapsed(true);
    cpu.addSample(34, 100);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"34"});
}

TEST(scaleMaximum, autoScaleShrinksThirtySamplesAfterAPeak)
{
    AppSettings settings;
    DiskGraphMeter meter(settings); // auto-scale is on by default
    ASSERT_TRUE(meter.graphOptions().autoScale());
    addSamples(meter, 5, 2000);
    EXPECT_EQ(meter.scale(), 2000u);
    meter.addSample(90000, 0);
    addSamples(meter, 29, 2000);
    EXPECT_EQ(meter.scale(), 90000u); // the peak is still the oldest entry
    meter.addSample(2000, 0);
    EXPECT_EQ(meter.scale(), 2000u);
    addSamples(meter, 30, 3);
    EXPECT_EQ(meter.scale(), 1024u); // never below the disk's minimum
}

TEST(scaleMaximum, withoutAutoScaleTheHighestSampleStays)
{
    AppSettings settings;
    DiskGraphMeter meter(settings);
    meter.graphOptions().setAutoScale(false);
    meter.addSample(90000, 0);
    addSamples(meter, 40, 5);
    EXPECT_EQ(meter.scale(), 90000u);
}

TEST(scaleMaximum, perKindRules)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    cpu.addSample(250, 100);
    EXPECT_EQ(cpu.scale(), 100u);

    PhysMemGraphMeter mem(settings);
    mem.addSample(300000, 524288);
    EXPECT_EQ(mem.scale(), 524288u);
    mem.graphOptions().setAutoScale(true);
    mem.addSample(3, 524288);
    EXPECT_EQ(mem.scale(), 300000u);

    NetworkGraphMeter net(settings);
    net.addSample(5, 0);
    EXPECT_EQ(net.scale(), 1024u);
    net.networkOptions().setMaximumValue(7000);
    net.addSample(5, 0);
    EXPECT_EQ(net.scale(), 7000u);
    net.addSample(9000, 0);
    EXPECT_EQ(net.scale(), 9000u);
}

TEST(sample, readsTheCounterWithTheKindsCeiling)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    cpu.sample(); // no counter: 0
    EXPECT_EQ(cpu.current(), 0u);

    auto* counter = new SettableCounter;
    counter->set(42);
    cpu.setCounter(counter, true);
    cpu.sample();
    EXPECT_EQ(cpu.current(), 42u);
    EXPECT_EQ(cpu.scale(), 100u);

    SettableCounter shared;
    shared.set(123456);
    NetworkGraphMeter net(settings);
    net.setCounter(&shared, false);
    net.sample();
    EXPECT_EQ(net.current(), 123456u);
    EXPECT_EQ(net.scale(), 123456u);
}

TEST(meterText, processorGraphs)
{
    AppSettings settings;
    Cpu1Meter cpu1(settings);
    EXPECT_EQ(cpu1.meterText(), "CPU1: 0%"); // before any fitting: the shortest form
    for (int i = 0; i < 9; ++i)
        cpu1.addSample(40, 100);
    cpu1.addSample(0, 100);
    cpu1.addSample(37, 100);
    // sum 397 / 30 = 13
    cpu1.setClientSize(11 + 6 + 6 * 19, 70); // room for ": 100% (avg. 100%)" only
    cpu1.fitTextFormat(FixedWidthMeasurer());
    EXPECT_EQ(cpu1.textFormat(), "CPU1: %d%% (avg. %d%%)");
    EXPECT_EQ(cpu1.meterText(), "CPU1: 37% (avg. 13%)");
}

TEST(meterText, memoryGraphs)
{
    AppSettings settings;
    PhysMemGraphMeter mem(settings);
    mem.setClientSize(400, 70);
    mem.fitTextFormat(FixedWidthMeasurer());
    mem.addSample(300000, 524288);
    EXPECT_EQ(mem.meterText(), "Physical Memory: 300,000KB / 293.0MB (57%)");

    // Above 4 GB the per-mille product no longer fits 32 bits.
    mem.addSample(6291456, 8388608);
    EXPECT_EQ(mem.percentOfScale(), 75u);
    EXPECT_EQ(mem.meterText(), "Physical Memory: 6,291,456KB / 6,144.0MB (75%)");

    // A computer without a page file: total 0 shows 0%, no division.
    PageFileGraphMeter page(settings);
    page.setClientSize(400, 70);
    page.fitTextFormat(FixedWidthMeasurer());
    page.addSample(0, 0);
    EXPECT_EQ(page.scale(), 0u);
    EXPECT_EQ(page.meterText(), "Page File: 0KB / 0.0MB (0%)");
    page.addSample(100, 0);
    EXPECT_EQ(page.percentOfScale(), 0u);
}

TEST(meterText, throughputGraphsInBytesAndBits)
{
    AppSettings settings;
    NetworkGraphMeter net(settings);
    net.addSample(450000, 0);
    net.addSample(150000, 0);               // average 600000 / 30 = 20000
    net.setClientSize(11 + 6 + 6 * 36, 70); // the second form only
    net.fitTextFormat(FixedWidthMeasurer());
    EXPECT_EQ(net.textFormat(), "Network: %sK%c/sec (%sK%c/sec)");
    EXPECT_EQ(net.meterText(), "Network: 146.5KB/sec (19.5KB/sec)");

    DiskGraphMeter disk(settings);
    disk.setClientSize(400, 70);
    disk.fitTextFormat(FixedWidthMeasurer());
    disk.addSample(200000, 0);
    EXPECT_EQ(disk.meterText(), "Disk: 195.3KB/sec (average 6.5KB/sec)");
    auto stored = disk.options().bytes();
    stored[20] = 1; // show bits
    ASSERT_TRUE(disk.options().acceptStored(stored.data(), stored.size()));
    // 1,600,000 bits per second is not below 1,024,000: whole kilobits.
    EXPECT_EQ(disk.meterText(), "Disk: 1,563Kb/sec (average 52.1Kb/sec)");
}

TEST(fitTextFormat, takesTheFirstNarrowerThanTheGraph)
{
    AppSettings settings;
    FixedWidthMeasurer measurer;
    DiskGraphMeter disk(settings);
    // "Disk: 18,888KB/s (8,888KB/s)" is 28 characters: 168 pixels must be exceeded.
    disk.setClientSize(11 + 6 + 168, 70);
    disk.fitTextFormat(measurer);
    EXPECT_EQ(disk.textFormat(), "D: %sK%c/s (%sK%c/s)");
    disk.setClientSize(11 + 6 + 169, 70);
    disk.fitTextFormat(measurer);
    EXPECT_EQ(disk.textFormat(), "Disk: %sK%c/s (%sK%c/s)");
    disk.setClientSize(30, 70);
    disk.fitTextFormat(measurer);
    EXPECT_EQ(disk.textFormat(), "D: %sK%c/s"); // nothing fits: the shortest
}

TEST(fitTextFormat, leavingOutTheAverageStartsLater)
{
    AppSettings settings;
    settings.setFlag(Booleans::kLeaveOutAverage, true);
    FixedWidthMeasurer measurer;

    CpuMeter cpu(settings);
    cpu.setClientSize(400, 70);
    cpu.fitTextFormat(measurer);
    EXPECT_EQ(cpu.textFormat(), "CPU: %d%%");

    PageFileGraphMeter page(settings);
    page.setClientSize(400, 70);
    page.fitTextFormat(measurer);
    EXPECT_EQ(page.textFormat(), "Page File: %sKB / %sMB");

    PhysMemGraphMeter phys(settings);
    phys.setClientSize(400, 70);
    phys.fitTextFormat(measurer);
    EXPECT_EQ(phys.textFormat(), "Physical Memory: %sKB / %sMB");

    NetworkGraphMeter net(settings);
    net.setClientSize(400, 70);
    net.fitTextFormat(measurer);
    EXPECT_EQ(net.textFormat(), "Network: %sK%c/sec");

    DiskGraphMeter disk(settings);
    disk.setClientSize(400, 70);
    disk.fitTextFormat(measurer);
    EXPECT_EQ(disk.textFormat(), "Disk: %sK%c/sec");

    settings.setFlag(Booleans::kLeaveOutAverage, false);
    cpu.fitTextFormat(measurer);
    EXPECT_EQ(cpu.textFormat(), "CPU: %d%% (average %d%%)");
}

TEST(refreshTray, levelAndTipOfTheNewestSample)
{
    AppSettings settings;
    CpuMeter cpu(settings); // tray icon on by default
    RecordingView view;
    cpu.setView(&view);

    cpu.addSample(50, 100);
    cpu.refreshTray();
    cpu.addSample(3, 100); // 0.42 of a level: rounds down
    cpu.refreshTray();
    cpu.addSample(4, 100); // 0.56: rounds up
    cpu.refreshTray();
    cpu.addSample(100, 100);
    cpu.refreshTray();
    EXPECT_EQ(view.icons, (std::vector<int>{168 + 7, 168, 169, 168 + 14}));
    EXPECT_EQ(view.tips, (std::vector<std::string>{"CPU: 50%", "CPU: 3%", "CPU: 4%", "CPU: 100%"}));

    // Over a fixed ceiling: full level, 100%.
    PageFileGraphMeter page(settings);
    page.options().setTrayIcon(true);
    page.setView(&view);
    page.addSample(5000, 4000);
    page.refreshTray();
    EXPECT_EQ(view.icons.back(), 200 + 14);
    EXPECT_EQ(view.tips.back(), "Page File: 100%");

    // Total 0: level 0, no division.
    page.addSample(10, 0);
    page.refreshTray();
    EXPECT_EQ(view.icons.back(), 200);
    EXPECT_EQ(view.tips.back(), "Page File: 0%");

    NetworkGraphMeter net(settings);
    net.setView(&view);
    net.options().setActive(true);
    net.addSample(512, 0);
    net.refreshTray();
    EXPECT_EQ(view.icons.size(), 6u); // no tray icon option: nothing
    net.options().setTrayIcon(true);
    net.refreshTray();
    EXPECT_EQ(view.icons.back(), 215 + 7);
    EXPECT_EQ(view.tips.back(), "Network: 50%");

    cpu.options().setActive(false);
    cpu.refreshTray();
    EXPECT_EQ(view.icons.size(), 7u);
}

TEST(contextMenu, grayingFollowsPositionAndAbilities)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    ContextMenuState s = cpu.contextMenuState(true, false);
    EXPECT_TRUE(s.moveUpGrayed);
    EXPECT_FALSE(s.moveDownGrayed);
    EXPECT_FALSE(s.trayGrayed);
    EXPECT_TRUE(s.trayChecked);

    cpu.options().setTrayIcon(false);
    s = cpu.contextMenuState(false, true);
    EXPECT_FALSE(s.moveUpGrayed);
    EXPECT_TRUE(s.moveDownGrayed);
    EXPECT_FALSE(s.trayChecked);

    PlaceholderMeter placeholder(MeterKind::Resources, settings);
    s = placeholder.contextMenuState(false, false);
    EXPECT_TRUE(s.trayGrayed);
    EXPECT_FALSE(s.trayChecked);
    EXPECT_EQ(placeholder.displayName(true), "Dummy");
    EXPECT_TRUE(placeholder.isPlaceholder());
    EXPECT_FALSE(placeholder.options().active());
}

TEST(hideButton, foldedAndUnfoldedPlacement)
{
    AppSettings settings;
    PhysMemGraphMeter mem(settings);
    EXPECT_EQ(mem.effectiveHeight(), 70);
    HideButtonPlacement p = mem.placeHideButton(200, 70);
    EXPECT_FALSE(p.showsFoldBitmap);
    EXPECT_EQ(p.rect, (Rect{191, 1, 200, 69}));

    mem.options().setCollapsed(true);
    EXPECT_EQ(mem.effectiveHeight(), 16);
    p = mem.placeHideButton(200, 16);
    EXPECT_TRUE(p.showsFoldBitmap);
    EXPECT_EQ(p.rect, (Rect{1, 0, 199, 16}));

    mem.options().setCollapsed(false);
    EXPECT_EQ(mem.placeHideButton(200, 70).rect, (Rect{191, 1, 200, 69}));
}

TEST(displayNames, kindsAndTrayNames)
{
    AppSettings settings;
    NetworkGraphMeter net(settings);
    EXPECT_EQ(net.displayName(true), "Net Graph");
    EXPECT_EQ(net.displayName(false), "Network Graph");
    EXPECT_EQ(net.trayName(), "Network");
    PhysMemGraphMeter mem(settings);
    EXPECT_EQ(mem.displayName(false), "Physical Mem. Graph");
    EXPECT_EQ(mem.trayIconBase(), 185);
    Cpu2Meter cpu2(settings);
    EXPECT_EQ(cpu2.displayName(true), "CPU 2");
    EXPECT_FALSE(cpu2.options().active());
    EXPECT_TRUE(cpu2.options().trayIcon());
    EXPECT_FALSE(cpu2.graphOptions().autoScale());
}
