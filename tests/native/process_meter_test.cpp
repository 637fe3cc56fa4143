#include "meter/measure/process_meter.h"
#include "meter/render.h"
#include "tests/native/pdh_rig.h"
#include "tests/native/perf_data_builder.h"
#include "tests/native/process_fakes.h"
#include "tests/native/recording_canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kChar = RecordingCanvas::kCharWidth;
constexpr int kRow = RecordingCanvas::kTextHeight;

class processMeter : public ::testing::Test {
protected:
    AppSettings settings;
    PdhRig rig;
    ScriptedPerfData data;
    ScriptedTimes times;
    PerfDataBuilder builder;
    ProcessMeter meter{settings, std::make_unique<ProcessListCounter>(data, times)};

    processMeter()
    {
        rig.pdh.acceptAll = true;
        data.block =
            builder.processes({{u"Idle", 0}, {u"svchost", 10}, {u"explorer", 30}, {u"_Total", 0}});
        set("Explorer", 50, 2 << 20);
        set("Svchost", 10, 1 << 20);
        set("Idle", 0, 0);
        meter.setClientSize(200, 70);
    }

    void set(const std::string& instance, std::int32_t share, std::int32_t bytes)
    {
        rig.pdh.values["\\Process(" + instance + ")\\% Processor Time"] = share;
        rig.pdh.values["\\Process(" + instance + ")\\Working Set"] = bytes;
    }

    void tick()
    {
        meter.prepareCounters();
        rig.start({meter.counter()});
        rig.source.collect();
    }

    const TextCall* textOf(const RecordingCanvas& canvas, const std::string& s) const
    {
        for (const TextCall& t : canvas.texts)
            if (t.text == s)
                return &t;
        return nullptr;
    }
};

} // namespace

TEST_F(processMeter, drawsTheBusiestProcessesInColumns)
{
    tick();
    RecordingCanvas canvas;
    meter.paint(canvas, false);
    // Inner width 200 - 11 - 3 = 186; N = "Explorer", M = "2.0 MB", P = "88%":
    // margin (186 - (48 + 36 + 18 + 20)) / 2 = 32 from the inner left 1.
    const int shareLeft = 1 + 32;
    const int nameLeft = shareLeft + 3 * kChar + 10;
    const int memoryLeft = nameLeft + 8 * kChar + 10;
    const TextCall* share = textOf(canvas, "50%");
    const TextCall* name = textOf(canvas, "Explorer");
    const TextCall* memory = textOf(canvas, "2.0 MB");
    ASSERT_NE(share, nullptr);
    ASSERT_NE(name, nullptr);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(share->rect, (Rect{shareLeft, 5, shareLeft + 3 * kChar, 5 + kRow}));
    EXPECT_EQ(share->align, TextAlign::Right);
    EXPECT_EQ(name->rect, (Rect{nameLeft, 5, nameLeft + 8 * kChar, 5 + kRow}));
    EXPECT_EQ(name->align, TextAlign::Left);
    EXPECT_EQ(memory->rect, (Rect{memoryLeft, 5, memoryLeft + 6 * kChar, 5 + kRow}));
    EXPECT_EQ(memory->align, TextAlign::Right);
    EXPECT_EQ(name->colour, settings.colours[kColourText]);
    // The second row, one row lower; the idle process at 0% is left out.
    const TextCall* second = textOf(canvas, "Svchost");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->rect.top, 5 + kRow);
    EXPECT_EQ(meter.rows().size(), 2u);
}

TEST_F(processMeter, keptLayerIsTheBackgroundAndTheSampleLayerTheRows)
{
    settings.colours = colourSchemes()[3].colours;
    tick();
    RecordingCanvas kept, rows, full;
    meter.paintStatic(kept);
    meter.paintDynamic(rows);
    meter.paint(full, false);
    EXPECT_TRUE(kept.texts.empty());
    ASSERT_FALSE(kept.fills.empty());
    EXPECT_EQ(kept.fills.back().colour, settings.colours[kColourBackground]);
    EXPECT_TRUE(rows.fills.empty()); // drawn over the kept background
    ASSERT_EQ(rows.texts.size(), full.texts.size());
    for (std::size_t i = 0; i < rows.texts.size(); ++i) {
        EXPECT_EQ(rows.texts[i].text, full.texts[i].text);
        EXPECT_EQ(rows.texts[i].rect, full.texts[i].rect);
        EXPECT_EQ(rows.texts[i].colour, settings.colours[kColourText]);
    }
}

TEST_F(processMeter, theIdleRowShowsNoWorkingSetOrTime)
{
    ProcessOptions& o = meter.processOptions();
    o.setShowIdle(true);
    o.setShowZeroUsage(true);
    o.setShowTotalTime(true);
    o.setSortOrder(static_cast<int>(ProcessSortOrder::Name));
    tick();
    meter.setClientSize(400, 70);
    RecordingCanvas canvas(400, 70);
    meter.paint(canvas, false);
    ASSERT_NE(textOf(canvas, "Idle"), nullptr);
    ASSERT_NE(textOf(canvas, "0:00:00"), nullptr); // another row's time
    const int idleY = textOf(canvas, "Idle")->rect.top;
    std::vector<std::string> onIdleRow;
    for (const TextCall& t : canvas.texts)
        if (t.rect.top == idleY)
            onIdleRow.push_back(t.text);
    EXPECT_EQ(onIdleRow, (std::vector<std::string>{"0%", "Idle"}));
}

TEST_F(processMeter, graphColoursFollowTheShare)
{
    set("Explorer", 98, 1 << 20);
    set("Svchost", 90, 1 << 20);
    meter.processOptions().setUseGraphColours(true);
    tick();
    RecordingCanvas canvas;
    meter.paint(canvas, false);
    EXPECT_EQ(textOf(canvas, "Explorer")->colour, settings.colours[kColourHigh]);
    EXPECT_EQ(textOf(canvas, "Svchost")->colour, settings.colours[kColourWarning]);
}

TEST_F(processMeter, columnsOnlyWidenFromTickToTick)
{
    tick();
    RecordingCanvas first;
    meter.paint(first, false);
    const Rect before = textOf(first, "Explorer")->rect;
    set("Explorer", 0, 0); // the widest name leaves the rows
    rig.source.collect();
    RecordingCanvas second;
    meter.paint(second, true);
    ASSERT_EQ(meter.rows().size(), 1u);
    EXPECT_EQ(textOf(second, "Svchost")->rect.left, before.left);
    EXPECT_EQ(textOf(second, "Svchost")->rect.width(), before.width());
}

TEST_F(processMeter, aNarrowMeterShowsOnlyNames)
{
    tick();
    meter.setClientSize(70, 70); // inner width 56: room for "Explorer" alone
    RecordingCanvas canvas;
    meter.paint(canvas, false);
    EXPECT_EQ(textOf(canvas, "50%"), nullptr);
    EXPECT_EQ(textOf(canvas, "2.0 MB"), nullptr);
    ASSERT_NE(textOf(canvas, "Explorer"), nullptr);
    EXPECT_EQ(textOf(canvas, "Explorer")->rect.left, 1 + (56 - 8 * kChar) / 2);
}

TEST_F(processMeter, heightHoldsTheMaximumRows)
{
    FixedWidthMeasurer measurer;
    meter.fitTextFormat(measurer);
    meter.processOptions().setMaxProcesses(6);
    EXPECT_EQ(meter.height(), 6 * kRow + 12);
}

TEST_F(processMeter, theCounterTakesItsOptionsFromTheRecord)
{
    ProcessOptions& o = meter.processOptions();
    o.setShowIdle(true);
    o.setShowTotalTime(true);
    o.setSortOrder(static_cast<int>(ProcessSortOrder::TotalCpuTime));
    meter.prepareCounters();
    const ProcessCounterOptions& c = meter.processCounter().options();
    EXPECT_TRUE(c.includeIdle);
    EXPECT_TRUE(c.readProcessTimes);
    EXPECT_EQ(c.sortOrder, ProcessSortOrder::TotalCpuTime);
    EXPECT_EQ(meter.options().recordSize(), 28u);
}
