#include "meter/graph_meter.h"
#include "meter/measure/counter_sources.h"
#include "meter/measure/memory_info_meter.h"
#include "recording_canvas.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

namespace {

// 512 MB of physical memory with 300,000 KB in use; a 1 GB page file half used.
MemoryStatusBytes typicalMachine()
{
    return {1ull << 30, 1ull << 29, 512ull << 20, (512ull << 20) - 300000ull * 1024};
}

constexpr int kH = RecordingCanvas::kTextHeight;             // 13
constexpr int kPitch = 12 * RecordingCanvas::kCharWidth + 6; // "8,888,888 KB" + 3 + 3

// Client width for a strip whose inner width holds exactly n column pitches.
int clientWidthFor(int columns)
{
    return columns * kPitch + 3 + Meter::kHideStripWidth;
}

std::vector<std::string> textsOf(const RecordingCanvas& canvas)
{
    std::vector<std::string> texts;
    for (const TextCall& t : canvas.texts)
        texts.push_back(t.text);
    return texts;
}

} // namespace

TEST(MemoryMeters, oneMemoryReadPerTickFeedsGraphsAndTables)
{
    FixedMemory memory;
    memory.status = typicalMachine();
    CounterSources sources(std::make_unique<LocalSource>(), std::make_unique<LocalSource>(),
                           memory);
    AppSettings settings;
    PhysMemGraphMeter graph(settings);
    PhysMemMeter table(settings);
    PageFileGraphMeter pageGraph(settings);
    for (Meter* meter : std::initializer_list<Meter*>{&graph, &table, &pageGraph}) {
        meter->setCounter(&sources.memoryCache(), false);
        sources.attach(*meter->counter(), 1);
    }
    sources.startAll();
    sources.collect(1);
    graph.sample();
    table.sample();
    pageGraph.sample();
    EXPECT_EQ(memory.reads, 1);

    EXPECT_EQ(graph.current(), 300000u);
    EXPECT_EQ(graph.scale(), 524288u);
    graph.setClientSize(400, 70);
    graph.fitTextFormat(FixedWidthMeasurer());
    EXPECT_EQ(graph.meterText(), "Physical Memory: 300,000KB / 293.0MB (57%)");
    EXPECT_EQ(table.current(), 300000u);
    EXPECT_EQ(table.totalKB(), 524288u);
    EXPECT_EQ(pageGraph.current(), 524288u);
    EXPECT_EQ(pageGraph.scale(), 1048576u);

    memory.status.availablePhysical = 0;
    sources.collect(1);
    graph.sample();
    EXPECT_EQ(graph.current(), 524288u);
    EXPECT_EQ(memory.reads, 2);
}

TEST(MemoryMeters, withoutTheCacheTheySampleNothing)
{
    AppSettings settings;
    PageFileGraphMeter graph(settings);
    PageFileMeter table(settings);
    graph.sample();
    table.sample();
    EXPECT_EQ(graph.current(), 0u);
    EXPECT_EQ(graph.scale(), 0u);
    EXPECT_EQ(table.totalKB(), 0u);
}

TEST(layoutMemoryTable, rowsColumnsAndRules)
{
    const Rect strip{0, 0, 3 * kPitch + 3, 100};
    const MemoryTableLayout t = layoutMemoryTable(strip, 72, kH, {true, true, true});
    EXPECT_EQ(t.inner, (Rect{1, 1, 3 * kPitch + 1, 98}));
    ASSERT_EQ(t.columns, 3);
    EXPECT_EQ(t.column[0].left, 1);
    EXPECT_EQ(t.column[1].left, 1 + kPitch);
    EXPECT_EQ(t.column[2].right, 1 + 3 * kPitch);
    EXPECT_EQ(t.titleTop, 2);
    EXPECT_EQ(t.headerTop, 1 + kH + 4);
    EXPECT_EQ(t.ruleY, 1 + 2 * kH + 5);
    EXPECT_EQ(t.rowTops, (std::vector<int>{1 + 2 * kH + 7, 1 + 3 * kH + 7, 1 + 4 * kH + 7}));
    EXPECT_EQ(t.tableHeight, 5 * kH + 8);

    // Rows left out close up; the percent row alone sits first.
    const MemoryTableLayout p = layoutMemoryTable(strip, 72, kH, {false, false, true});
    EXPECT_EQ(p.rowTops, std::vector<int>{1 + 2 * kH + 7});
    EXPECT_EQ(p.columns, 2) << "no total column for percentages alone";
    EXPECT_EQ(p.tableHeight, 3 * kH + 8);
}

TEST(layoutMemoryTable, columnsThatFitAreCentred)
{
    const MemoryRows all{true, true, true};
    EXPECT_EQ(layoutMemoryTable({0, 0, kPitch + 2, 90}, 72, kH, all).columns, 0);
    EXPECT_EQ(layoutMemoryTable({0, 0, kPitch + 3, 90}, 72, kH, all).columns, 1);
    EXPECT_EQ(layoutMemoryTable({0, 0, 2 * kPitch + 2, 90}, 72, kH, all).columns, 1);
    EXPECT_EQ(layoutMemoryTable({0, 0, 2 * kPitch + 3, 90}, 72, kH, all).columns, 2);
    EXPECT_EQ(layoutMemoryTable({0, 0, 3 * kPitch + 3, 90}, 72, kH, all).columns, 3);

    // Room for one column and 40 pixels more: the column moves 20 to the right.
    const MemoryTableLayout t = layoutMemoryTable({0, 0, kPitch + 43, 90}, 72, kH, all);
    ASSERT_EQ(t.columns, 1);
    EXPECT_EQ(t.column[0].left, 1 + 20);
    EXPECT_EQ(t.column[0].right, 1 + 20 + kPitch);
}

TEST(MemoryInfoMeter, fullPaintDrawsTheWholeTable)
{
    AppSettings settings;
    PhysMemMeter meter(settings);
    FixedMemory memory;
    memory.status = typicalMachine();
    MemoryStatusCache cache(memory);
    cache.Sample();
    meter.setCounter(&cache, false);
    meter.fitTextFormat(FixedWidthMeasurer());
    meter.setClientSize(clientWidthFor(3), meter.height());
    EXPECT_EQ(meter.height(), 5 * kH + 8 + 10);
    meter.sample();

    RecordingCanvas canvas;
    meter.paint(canvas, false);
    const std::vector<std::string> expected = {
        "Physical Memory Information",
        "Available.",
        "Used",
        "Total",
        "219.0 MB",
        "293.0 MB",
        "512.0 MB",
        "224,288 KB",
        "300,000 KB",
        "524,288 KB",
        "42.8%",
        "57.2%",
    };
    EXPECT_EQ(textsOf(canvas), expected);
    const ColorRef ink = settings.colours[kColourText];
    EXPECT_EQ(canvas.texts[0].weight, FontWeight::Bold);
    for (const TextCall& t : canvas.texts) {
        EXPECT_EQ(t.colour, ink);
        EXPECT_EQ(t.align, TextAlign::Centre);
    }
    // The MB cell of the Used column sits in its column, on the first value row.
    EXPECT_EQ(canvas.texts[5].rect,
              (Rect{1 + kPitch, 1 + 2 * kH + 7, 1 + 2 * kPitch, 1 + 3 * kH + 7}));
    // One rule under the headers, one between each pair of columns.
    ASSERT_EQ(canvas.lines.size(), 3u);
    const int bottom = 1 + 5 * kH + 8;
    EXPECT_EQ(canvas.lines[0].y1, 1 + 2 * kH + 5);
    EXPECT_EQ(canvas.lines[1].x1, 1 + kPitch);
    EXPECT_EQ(canvas.lines[1].y1, 1 + kH + 3);
    EXPECT_EQ(canvas.lines[1].y2, bottom + 1);
    EXPECT_EQ(canvas.lines[2].x1, 1 + 2 * kPitch);
    for (const LineCall& l : canvas.lines)
        EXPECT_EQ(l.colour, ink);
    // The table sits on the graph background, inside the frame.
    EXPECT_EQ(canvas.pixel(10, 40), settings.colours[kColourBackground]);
    EXPECT_EQ(canvas.pixel(0, 0), FrameColours().shadow);
}

TEST(MemoryInfoMeter, narrowMetersDropColumnsAndShortenTheTitle)
{
    AppSettings settings;
    PhysMemMeter meter(settings);
    meter.fitTextFormat(FixedWidthMeasurer());

    meter.setClientSize(clientWidthFor(1), meter.height());
    RecordingCanvas one;
    meter.paint(one, false);
    EXPECT_EQ(textsOf(one),
              (std::vector<std::string>{"Phys. Mem.", "Available.", "0.0 MB", "0 KB", "0.0%"}));

    meter.setClientSize(clientWidthFor(2), meter.height());
    RecordingCanvas two;
    meter.paint(two, false);
    EXPECT_EQ(two.texts[0].text, "Physical Memory");
    EXPECT_EQ(two.texts.size(), 1u + 2 + 3 * 2);

    PageFileMeter page(settings);
    page.fitTextFormat(FixedWidthMeasurer());
    page.memoryOptions().setShowMB(false);
    page.memoryOptions().setShowKB(false);
    page.setClientSize(clientWidthFor(3), page.height());
    RecordingCanvas percent;
    page.paint(percent, false);
    EXPECT_EQ(textsOf(percent),
              (std::vector<std::string>{"Page File", "Available.", "Used", "0.0%", "0.0%"}));
}

TEST(MemoryInfoMeter, tickRedrawRepaintsOnlyTheCells)
{
    AppSettings settings;
    PageFileMeter meter(settings);
    FixedMemory memory;
    memory.status = typicalMachine();
    MemoryStatusCache cache(memory);
    cache.Sample();
    meter.setCounter(&cache, false);
    meter.memoryOptions().setShowMB(false);
    meter.fitTextFormat(FixedWidthMeasurer());
    meter.setClientSize(clientWidthFor(3), meter.height());
    meter.sample();

    RecordingCanvas canvas;
    meter.paint(canvas, true);
    EXPECT_EQ(textsOf(canvas), (std::vector<std::string>{"524,288 KB", "524,288 KB", "1,048,576 KB",
                                                         "50.0%", "50.0%"}));
    EXPECT_TRUE(canvas.frames.empty());
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].rect.top, 1 + 2 * kH + 7);
    EXPECT_EQ(canvas.texts[0].rect.top, 1 + 2 * kH + 7) << "the KB row moves up";
    // The clearing runs through the two column rules; they are drawn again from the
    // first row down, in the text colour, under the cells.
    const ColorRef ink = settings.colours[kColourText];
    ASSERT_EQ(canvas.lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const int x = 1 + static_cast<int>(i + 1) * kPitch;
        EXPECT_EQ(canvas.lines[i].x1, x);
        EXPECT_EQ(canvas.lines[i].y1, 1 + 2 * kH + 7);
        EXPECT_EQ(canvas.pixel(x, 1 + 2 * kH + 8), ink);
        EXPECT_EQ(canvas.pixel(x, 1 + 3 * kH + 7), ink) << "the last row too";
    }
}

TEST(MemoryInfoMeter, usedAboveTotalLeavesNothingAvailable)
{
    AppSettings settings;
    PageFileMeter meter(settings);
    FixedMemory memory;
    memory.status = {1000ull << 10, 0, 0, 0};
    MemoryStatusCache cache(memory);
    cache.Sample();
    meter.setCounter(&cache, false);
    meter.memoryOptions().setShowMB(false);
    meter.memoryOptions().setShowPercent(false);
    meter.fitTextFormat(FixedWidthMeasurer());
    meter.setClientSize(clientWidthFor(3), meter.height());
    meter.sample();
    meter.addSample(1500, 1000); // more in use than the total, as a page file can grow
    RecordingCanvas canvas;
    meter.paint(canvas, true);
    EXPECT_EQ(textsOf(canvas), (std::vector<std::string>{"0 KB", "1,500 KB", "1,000 KB"}));
    // The tray level measures against the total too: full, not beyond.
    meter.options().setTrayIcon(true);
    const auto tray = meter.trayDisplay();
    ASSERT_TRUE(tray.has_value());
    EXPECT_EQ(tray->iconId, 200 + 14);
    EXPECT_EQ(tray->tip, "Page File: 100%");
}
