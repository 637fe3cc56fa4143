#include "meter/graph_meter.h"
#include "meter/render.h"

#include "recording_canvas.h"

#include <gtest/gtest.h>

namespace {

const GraphColours& colours()
{
    return colourSchemes()[0].colours;
}

// A graph meter whose samples are set directly (disk: no fixed ceiling).
struct Graph {
    AppSettings settings;
    DiskGraphMeter meter{settings};

    explicit Graph(bool autoScale = false) { meter.graphOptions().setAutoScale(autoScale); }

    // Samples oldest first; the last becomes history[0].
    void feed(std::initializer_list<std::uint32_t> samples)
    {
        for (std::uint32_t v : samples)
            meter.addSample(v, 0);
    }
};

int countLinesOf(const RecordingCanvas& c, ColorRef colour, bool horizontal)
{
    int n = 0;
    for (const LineCall& l : c.lines)
        n += l.colour == colour && (horizontal ? l.y1 == l.y2 : l.x1 == l.x2);
    return n;
}

} // namespace

TEST(drawGraph, columnPitchAndGap)
{
    struct Case {
        int width, pitch, bar;
    } cases[] = {{120, 4, 3}, {60, 4, 3}, {121, 5, 4}, {270, 9, 8}, {271, 10, 8}, {300, 10, 8}};
    for (const Case& c : cases) {
        Graph g;
        g.feed({100, 100}); // scale 100: both newest columns at full height
        RecordingCanvas canvas(400, 100);
        const Rect r{10, 10, 10 + c.width, 60};
        drawGraph(canvas, r, g.meter);
        // The newest column sits at the right edge, the next one pitch to its left.
        const int y = 59;
        EXPECT_EQ(canvas.pixel(r.right - c.pitch, y), colours()[kColourHigh]) << c.width;
        EXPECT_EQ(canvas.pixel(r.right - c.pitch + c.bar - 1, y), colours()[kColourHigh])
            << c.width;
        EXPECT_EQ(canvas.pixel(r.right - c.pitch + c.bar, y), colours()[kColourBackground])
            << c.width;
        EXPECT_EQ(canvas.countInRow(y, r.left, r.right, colours()[kColourHigh]), 2 * c.bar)
            << c.width;
    }
}

TEST(drawGraph, limitColoursCompareBarHeightWithGraphHeight)
{
    Graph g;
    // Scale 100 (the highest sample) on H = 50 pixels: k = 0.5, rounded half up.
    g.feed({100, 95, 88, 89, 97, 98});
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, {0, 0, 120, 50}, g.meter);
    const auto columnColour = [&](int i) { return canvas.pixel(120 - 4 * (i + 1), 49); };
    EXPECT_EQ(columnColour(0), colours()[kColourHigh]);    // 98: 49 px = 98%
    EXPECT_EQ(columnColour(1), colours()[kColourHigh]);    // 97: 49 px (48.5 up) = 98%
    EXPECT_EQ(columnColour(2), colours()[kColourWarning]); // 89: 45 px (44.5 up) = 90%
    EXPECT_EQ(columnColour(3), colours()[kColourNormal]);  // 88: 44 px = 88%
    EXPECT_EQ(columnColour(4), colours()[kColourWarning]); // 95: 48 px = 96%
    EXPECT_EQ(columnColour(5), colours()[kColourHigh]);    // 100: 50 px
    // 95 of 100 on 50 pixels is 48 pixels tall.
    EXPECT_EQ(canvas.pixel(120 - 4 * 5, 50 - 48), colours()[kColourWarning]);
    EXPECT_EQ(canvas.pixel(120 - 4 * 5, 50 - 49), colours()[kColourBackground]);

    // Limits are settings.
    g.settings.highLimit = 99;
    g.settings.mediumLimit = 97;
    RecordingCanvas again(200, 100);
    drawGraph(again, {0, 0, 120, 50}, g.meter);
    EXPECT_EQ(again.pixel(120 - 4, 49), colours()[kColourWarning]);
    EXPECT_EQ(again.pixel(120 - 4 * 5, 49), colours()[kColourNormal]);
}

TEST(drawGraph, gridLinesAtQuartersAndEveryFifthColumn)
{
    Graph g;
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, {0, 0, 120, 50}, g.meter);
    ASSERT_GE(canvas.lines.size(), 9u);
    EXPECT_EQ(canvas.lines[0].y1, 37); // 50 * 3 / 4
    EXPECT_EQ(canvas.lines[1].y1, 25);
    EXPECT_EQ(canvas.lines[2].y1, 12);
    EXPECT_EQ(canvas.lines[0].x1, 0);
    EXPECT_EQ(canvas.lines[0].x2, 120);
    const int expectedX[] = {99, 79, 59, 39, 19, -1};
    for (int n = 0; n < 6; ++n) {
        const LineCall& l = canvas.lines[3 + static_cast<std::size_t>(n)];
        EXPECT_EQ(l.x1, expectedX[n]);
        EXPECT_EQ(l.x2, expectedX[n]);
        EXPECT_EQ(l.y1, 0);
        EXPECT_EQ(l.y2, 50);
        EXPECT_EQ(l.colour, colours()[kColourGrid]);
    }
    EXPECT_EQ(canvas.pixel(99, 10), colours()[kColourGrid]);
    EXPECT_EQ(canvas.pixel(98, 10), colours()[kColourBackground]);
}

TEST(drawGraph, narrowGraphClipsTheOldestVisibleColumnAndStops)
{
    Graph g;
    g.meter.graphOptions().setDrawAverage(true);
    for (int i = 0; i < 30; ++i)
        g.meter.addSample(i < 5 ? 100 : 50, 0); // the 5 oldest are 100, the rest 50
    // W = 98: 24 whole columns, the 25th cut to 1 pixel at the left edge.
    RecordingCanvas canvas(200, 100);
    const Rect r{10, 0, 108, 50};
    drawGraph(canvas, r, g.meter);
    EXPECT_EQ(canvas.pixel(10, 49), colours()[kColourNormal]); // the cut column, 1 px wide
    EXPECT_EQ(canvas.pixel(9, 49), RecordingCanvas::kUnpainted);
    EXPECT_EQ(canvas.countInRow(49, r.left, r.right, colours()[kColourNormal]), 24 * 3 + 1);
    // Average over the 25 columns walked (all 50): 25 px above the base.
    int averageLines = 0;
    for (const LineCall& l : canvas.lines)
        if (l.colour == colours()[kColourAverage]) {
            ++averageLines;
            EXPECT_EQ(l.y1, 50 - 25);
        }
    EXPECT_EQ(averageLines, 1);
}

TEST(drawGraph, zeroColumnsPastTheLeftEdgeAreWalkedInABarGraph)
{
    // W = 62: pitch 4, 15 whole columns, the 16th cut to 1 pixel at the left edge.
    const Rect r{0, 0, 62, 50};
    const auto averageY = [](const RecordingCanvas& c) {
        int y = 0;
        for (const LineCall& l : c.lines)
            if (l.colour == colours()[kColourAverage])
                y = l.y1;
        return y;
    };

    // The cut column and all older ones are 0: a zero column draws nothing, so it
    // never meets the left edge and the walk counts every column, 1500 / 30 = 50.
    Graph zeros;
    zeros.meter.graphOptions().setDrawAverage(true);
    for (int i = 0; i < 30; ++i)
        zeros.meter.addSample(i < 15 ? 0 : 100, 0);
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, r, zeros.meter);
    EXPECT_EQ(averageY(canvas), 50 - 25);
    EXPECT_EQ(canvas.countInRow(49, 0, 62, colours()[kColourHigh]), 15 * 3);
    // The walk past the edge draws no grid line over what lies left of the graph.
    for (const LineCall& l : canvas.lines)
        EXPECT_GE(l.x1, r.left - 1);

    // A non-zero column further out, wholly left of the graph, ends the walk before
    // its sample is added: 1500 / 16 walked columns = 93.75 -> 94, 47 px.
    Graph beyond;
    beyond.meter.graphOptions().setDrawAverage(true);
    for (int i = 0; i < 30; ++i)
        beyond.meter.addSample(i == 13 ? 100 : i < 15 ? 0 : 100, 0);
    RecordingCanvas stopped(200, 100);
    drawGraph(stopped, r, beyond.meter);
    EXPECT_EQ(averageY(stopped), 50 - 47);

    // A non-zero cut column is drawn 1 pixel wide and ends the walk after it:
    // 1600 / 16 = 100, on the top row, so no line.
    Graph cut;
    cut.meter.graphOptions().setDrawAverage(true);
    for (int i = 0; i < 30; ++i)
        cut.meter.addSample(i < 14 ? 0 : 100, 0);
    RecordingCanvas clipped(200, 100);
    drawGraph(clipped, r, cut.meter);
    EXPECT_EQ(clipped.pixel(0, 49), colours()[kColourHigh]);
    EXPECT_EQ(clipped.pixel(-1, 49), RecordingCanvas::kUnpainted);
    EXPECT_EQ(averageY(clipped), 0);
}

TEST(drawGraph, averageLineAndItsVisibility)
{
    struct Case {
        std::initializer_list<std::uint32_t> samples;
        int expectedY; // 0: not drawn
    };
    // Scale 100 on H = 50. Zero samples count toward the divisor of 30.
    const Case cases[] = {
        {{100, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60,
          60,  60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60, 60},
         50 - 30},           // avg 1840 / 30 = 61.3 -> 61; 61 * 50 / 100 = 30.5 -> 30 px
        {{100, 3}, 0},       // avg 3: within a pixel of the base
        {{100, 30}, 50 - 2}, // avg (100 + 30) / 30 = 4.3 -> 4 -> 2 px
    };
    for (const Case& c : cases) {
        Graph g;
        g.feed(c.samples);
        RecordingCanvas canvas(200, 100);
        drawGraph(canvas, {0, 0, 120, 50}, g.meter);
        int found = 0;
        for (const LineCall& l : canvas.lines)
            if (l.colour == colours()[kColourAverage] && l.y1 == l.y2) {
                found = l.y1;
                EXPECT_EQ(l.x1, 0);
                EXPECT_EQ(l.x2, 120);
            }
        EXPECT_EQ(found, c.expectedY);
    }

    // Every sample at full scale: the average sits on the top row and is left out.
    Graph full;
    for (int i = 0; i < 30; ++i)
        full.meter.addSample(100, 0);
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, {0, 0, 120, 50}, full.meter);
    EXPECT_EQ(countLinesOf(canvas, colours()[kColourAverage], true), 0);

    // Switched off.
    Graph off;
    off.feed({100, 60});
    off.meter.graphOptions().setDrawAverage(false);
    RecordingCanvas none(200, 100);
    drawGraph(none, {0, 0, 120, 50}, off.meter);
    EXPECT_EQ(countLinesOf(none, colours()[kColourAverage], true), 0);
}

TEST(drawGraph, lineGraphUsesAShorterBaseAndDrawsZeros)
{
    Graph g;
    g.meter.graphOptions().setLineGraph(true);
    g.meter.graphOptions().setDrawAverage(false);
    g.feed({100, 0, 100});
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, {0, 0, 120, 51}, g.meter); // base 50, H 50
    std::vector<LineCall> path;
    for (const LineCall& l : canvas.lines)
        if (l.colour == colours()[kColourNormal])
            path.push_back(l);
    // 30 points, 29 segments, newest first; points at x + b / 2.
    ASSERT_EQ(path.size(), 29u);
    EXPECT_EQ(path[0].x1, 116 + 1);
    EXPECT_EQ(path[0].y1, 0); // 100 of 100: the top
    EXPECT_EQ(path[0].x2, 112 + 1);
    EXPECT_EQ(path[0].y2, 50); // a zero sits on the base
    EXPECT_EQ(path[1].y2, 0);
    EXPECT_EQ(path[28].y2, 50);
    EXPECT_EQ(path[28].x2, 0 + 1);
    // No bars in a line graph.
    for (const auto& f : canvas.fills)
        EXPECT_EQ(f.colour, colours()[kColourBackground]);
}

TEST(drawGraph, zeroScaleDrawsAnEmptyGraph)
{
    AppSettings settings;
    PageFileGraphMeter page(settings);
    page.addSample(500, 0); // a total of 0: scale 0
    ASSERT_EQ(page.scale(), 0u);
    RecordingCanvas canvas(200, 100);
    drawGraph(canvas, {0, 0, 120, 50}, page);
    EXPECT_EQ(canvas.countInRow(49, 0, 120, colours()[kColourNormal]), 0);
    EXPECT_EQ(canvas.countInRow(49, 0, 120, colours()[kColourHigh]), 0);
}

TEST(paintGraphMeter, fullPaintAndTickRedraw)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    cpu.setClientSize(200, 70);
    cpu.fitTextFormat(FixedWidthMeasurer());
    cpu.addSample(50, 100);

    RecordingCanvas full(200, 70);
    cpu.paint(full, false);
    // Frame: strip filled with the face colour, outer sunken, inner raised, sunken box.
    ASSERT_EQ(full.frames.size(), 3u);
    EXPECT_EQ(full.fills[0].rect, (Rect{0, 0, 189, 70}));
    EXPECT_EQ(full.frames[0].rect, (Rect{0, 0, 189, 70}));
    EXPECT_EQ(full.frames[0].topLeft, cpu.frameColours().shadow);
    EXPECT_EQ(full.frames[1].rect, (Rect{1, 1, 188, 69}));
    EXPECT_EQ(full.frames[1].topLeft, cpu.frameColours().highlight);
    // Graph box: C = (3,3)-(186,67) with the text strip of 13 + 2 below.
    EXPECT_EQ(full.frames[2].rect, (Rect{3, 3, 186, 52}));
    EXPECT_EQ(full.frames[2].topLeft, cpu.frameColours().shadow);
    EXPECT_EQ(full.pixel(4, 4), colours()[kColourBackground]); // inner graph from (4,4)
    EXPECT_EQ(full.pixel(182, 49), colours()[kColourNormal]);  // newest column: 178..182
    ASSERT_EQ(full.texts.size(), 1u);
    EXPECT_EQ(full.texts[0].text, "CPU: 50% (average 1%)");
    EXPECT_EQ(full.texts[0].rect, (Rect{3, 53, 186, 67}));
    EXPECT_EQ(full.texts[0].align, TextAlign::Centre);

    RecordingCanvas tick(200, 70);
    cpu.paint(tick, true);
    EXPECT_TRUE(tick.frames.empty());
    EXPECT_EQ(tick.fills[0].rect, (Rect{3, 53, 186, 67})); // only the text strip is erased
    EXPECT_EQ(tick.fills[0].colour, cpu.frameColours().face);
    EXPECT_EQ(tick.pixel(0, 0), RecordingCanvas::kUnpainted);

    settings.textAlign = TextAlign::Left;
    RecordingCanvas left(200, 70);
    cpu.paint(left, false);
    EXPECT_EQ(left.texts[0].rect, (Rect{4, 53, 185, 67}));
    EXPECT_EQ(left.texts[0].align, TextAlign::Left);
}

TEST(paintGraphMeter, layersGiveTheFullPaintsPicture)
{
    struct Case {
        const char* what;
        int width;
        bool lineGraph;
        bool average;
        TextAlign align;
    };
    // 200: W = 180, 30 whole columns; 150: W = 130, the oldest column cut; 90: W = 70,
    // the walk goes past the edge over zeros.
    const Case cases[] = {
        {"bar", 200, false, true, TextAlign::Centre},
        {"line", 200, true, true, TextAlign::Left},
        {"cut bar", 150, false, true, TextAlign::Right},
        {"cut line", 150, true, false, TextAlign::Centre},
        {"narrow bar", 90, false, true, TextAlign::Centre},
    };
    const std::uint32_t samples[] = {0,  0, 0,  40, 95, 100, 20, 0,  3,  89, 60, 60, 0, 75, 10,
                                     99, 0, 50, 50, 1,  0,   0,  30, 88, 91, 97, 5,  0, 70, 45};
    for (const Case& c : cases) {
        AppSettings settings;
        settings.textAlign = c.align;
        CpuMeter cpu(settings);
        cpu.graphOptions().setLineGraph(c.lineGraph);
        cpu.graphOptions().setDrawAverage(c.average);
        cpu.setClientSize(c.width, 70);
        cpu.fitTextFormat(FixedWidthMeasurer());
        for (std::uint32_t v : samples)
            cpu.addSample(v, 100);

        RecordingCanvas full(c.width, 70);
        cpu.paint(full, false);
        RecordingCanvas layered(c.width, 70);
        cpu.paintStatic(layered);
        cpu.paintDynamic(layered);
        int differing = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < c.width; ++x)
                differing += full.pixel(x, y) != layered.pixel(x, y);
        EXPECT_EQ(differing, 0) << c.what;
        ASSERT_EQ(layered.texts.size(), 1u) << c.what;
        EXPECT_EQ(layered.texts[0].rect, full.texts[0].rect) << c.what;
        EXPECT_EQ(layered.texts[0].text, full.texts[0].text) << c.what;
        // The sample's layer draws no background and no frame: only what changes.
        RecordingCanvas dynamic(c.width, 70);
        cpu.paintDynamic(dynamic);
        EXPECT_TRUE(dynamic.frames.empty()) << c.what;
        for (const auto& f : dynamic.fills)
            EXPECT_NE(f.colour, settings.colours[kColourBackground]) << c.what;
    }

    // A scale of 0: both give the empty graph.
    AppSettings settings;
    PageFileGraphMeter page(settings);
    page.setClientSize(200, 70);
    page.addSample(500, 0);
    RecordingCanvas full(200, 70);
    page.paint(full, false);
    RecordingCanvas layered(200, 70);
    page.paintStatic(layered);
    page.paintDynamic(layered);
    for (int y = 0; y < 70; y += 3)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(full.pixel(x, y), layered.pixel(x, y)) << x << "," << y;
}
