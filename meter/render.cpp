#include "meter/render.h"

#include "meter/graph_meter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Where a graph meter's parts go: the graph box g, the text strip t under it and the
// graph R inside the box.
struct GraphBoxes {
    Rect box;
    Rect textStrip;
    Rect graph;
};

GraphBoxes boxesOf(const GraphMeter& meter, int textHeight)
{
    const Rect c = meter.graphRect(true);
    GraphBoxes b;
    b.box = {c.left, c.top, c.right, c.bottom - textHeight - 2};
    b.textStrip = {c.left, b.box.bottom + 1, c.right, c.bottom};
    b.graph = {b.box.left + 1, b.box.top + 1, b.box.right - 2, b.box.bottom - 2};
    return b;
}

void drawMeterText(Canvas& canvas, const GraphMeter& meter, Rect t, const std::string& text)
{
    const TextAlign align = meter.settings().textAlign;
    if (align != TextAlign::Centre) {
        t.left += 1;
        t.right -= 1;
    }
    canvas.text(t, text, align, kMeterTextColour);
}

void drawGraphStatic(Canvas& canvas, const Rect& r, const GraphMeter& meter);
void drawGraphDynamic(Canvas& canvas, const Rect& r, const GraphMeter& meter);

} // namespace

void paintGraphMeter(Canvas& canvas, const GraphMeter& meter, bool tickRedraw)
{
    meter.drawFrame(canvas, tickRedraw);

    const std::string text = meter.meterText();
    const GraphBoxes b = boxesOf(meter, canvas.measureText(text).cy);
    if (tickRedraw)
        canvas.fillRect(b.textStrip, meter.frameColours().face);
    else
        canvas.draw3dRect(b.box, meter.frameColours().shadow, meter.frameColours().highlight);
    drawGraph(canvas, b.graph, meter);
    drawMeterText(canvas, meter, b.textStrip, text);
}

void paintGraphMeterStatic(Canvas& canvas, const GraphMeter& meter)
{
    meter.drawFrame(canvas, false);
    const GraphBoxes b = boxesOf(meter, canvas.measureText(meter.meterText()).cy);
    canvas.draw3dRect(b.box, meter.frameColours().shadow, meter.frameColours().highlight);
    drawGraphStatic(canvas, b.graph, meter);
}

void paintGraphMeterDynamic(Canvas& canvas, const GraphMeter& meter)
{
    const std::string text = meter.meterText();
    const GraphBoxes b = boxesOf(meter, canvas.measureText(text).cy);
    drawGraphDynamic(canvas, b.graph, meter);
    drawMeterText(canvas, meter, b.textStrip, text);
}

namespace {

struct GraphGeometry {
    int base;  // the y that a value of 0 sits on
    int h;     // pixels for the full scale
    int pitch; // column pitch
    int bar;   // column width
};

GraphGeometry geometryOf(const Rect& r, bool lineGraph)
{
    GraphGeometry geo;
    geo.base = lineGraph ? r.bottom - 1 : r.bottom;
    geo.h = geo.base - r.top;
    const int w = r.width();
    geo.pitch = std::max(4, (w + 29) / 30);
    geo.bar = geo.pitch <= 9 ? geo.pitch - 1 : geo.pitch - 2;
    return geo;
}

// What the walk over the history found for one column.
struct Column {
    Rect bar;              // the filled part of a bar graph's column; empty when none
    ColorRef colour = 0;   // of the bar
    bool hasPoint = false; // a line graph's point (px, py)
    int px = 0;
    int py = 0;
    bool gridAfter = false; // a vertical grid line follows at gridX
    int gridX = 0;
};

struct GraphWalk {
    std::vector<Column> columns; // newest first, as far as the walk went
    std::optional<int> averageY; // where the average line goes, when it is drawn
};

// Only whole columns get the grid line after them: one past the left edge would draw
// it over the box around the graph.
bool gridAfterColumn(const Rect& r, const GraphGeometry& geo, int i)
{
    return i % 5 == 4 && r.right - geo.pitch * (i + 1) >= r.left;
}

int gridXAfterColumn(const Rect& r, const GraphGeometry& geo, int i)
{
    return r.right - geo.pitch * (i + 1) - 1;
}

// Walks the 30 columns from the newest. Samples that draw nothing in a bar graph (0,
// or too small for a pixel) never meet the left edge, so the walk goes on past it and
// counts them toward the average's divisor; the first column that draws and is cut
// by the edge is drawn narrowed and ends the walk, and one wholly left of the graph
// ends it before its sample is added.
GraphWalk walkGraph(const Rect& r, const GraphGeometry& geo, const GraphMeter& meter)
{
    const AppSettings& settings = meter.settings();
    const GraphColours& colours = settings.colours;
    const GraphOptions& options = meter.graphOptions();
    const bool lineGraph = options.lineGraph();
    const std::uint32_t scale = meter.scale();
    const double k = static_cast<double>(geo.h) / scale;

    GraphWalk walk;
    std::uint64_t drawnSum = 0;
    int count = 0;
    for (int i = 0; i < Meter::kHistoryLength; ++i) {
        int x = r.right - geo.pitch * (i + 1);
        int width = geo.bar;
        bool lastVisible = false;
        Column column;

        const std::uint32_t v = std::min(meter.history(i), scale);
        if (v > 0 || lineGraph) {
            const int u = static_cast<int>(std::floor(v * k + 0.5));
            if (u > 0 || lineGraph) {
                if (x < r.left) {
                    width = x + width - r.left;
                    if (width <= 0)
                        break;
                    x = r.left;
                    lastVisible = true;
                }
                if (lineGraph) {
                    column.hasPoint = true;
                    column.px = x + width / 2;
                    column.py = geo.base - u;
                } else {
                    const int pct = u * 100 / geo.h;
                    column.colour = pct >= settings.highLimit     ? colours[kColourHigh]
                                    : pct >= settings.mediumLimit ? colours[kColourWarning]
                                                                  : colours[kColourNormal];
                    column.bar = {x, geo.base - u, x + width, geo.base};
                }
            }
            drawnSum += v;
        }
        if (!lastVisible && gridAfterColumn(r, geo, i)) {
            column.gridAfter = true;
            column.gridX = gridXAfterColumn(r, geo, i);
        }
        walk.columns.push_back(column);
        count = i + 1;
        if (lastVisible)
            break;
    }

    if (options.drawAverage() && count > 0) {
        const std::uint64_t avg = (drawnSum * 10 / static_cast<std::uint64_t>(count) + 5) / 10;
        const std::uint64_t offset =
            (avg * static_cast<std::uint64_t>(geo.h) * 10 + 5) / scale / 10;
        const long long y = static_cast<long long>(geo.base) - static_cast<long long>(offset);
        if (r.top + 1 < y && y < geo.base - 1)
            walk.averageY = static_cast<int>(y);
    }
    return walk;
}

// The background and the three level lines; false when the graph has no room.
bool drawGraphGround(Canvas& canvas, const Rect& r, const GraphGeometry& geo,
                     const GraphColours& colours)
{
    canvas.fillRect(r, colours[kColourBackground]);
    if (geo.h <= 0 || r.width() <= 0)
        return false;
    for (int quarter : {3, 2, 1})
        canvas.line(r.left, r.top + geo.h * quarter / 4, r.right, r.top + geo.h * quarter / 4,
                    colours[kColourGrid]);
    return true;
}

} // namespace

void drawGraph(Canvas& canvas, const Rect& r, const GraphMeter& meter)
{
    const GraphColours& colours = meter.settings().colours;
    const GraphGeometry geo = geometryOf(r, meter.graphOptions().lineGraph());
    if (!drawGraphGround(canvas, r, geo, colours))
        return;
    // A scale of 0 (a resource whose total is 0) draws an empty graph.
    if (meter.scale() == 0)
        return;

    const GraphWalk walk = walkGraph(r, geo, meter);
    const Column* previous = nullptr;
    for (const Column& column : walk.columns) {
        if (column.bar.width() > 0)
            canvas.fillRect(column.bar, column.colour);
        if (column.hasPoint) {
            // The newest point starts the path, every later one continues it.
            if (previous != nullptr)
                canvas.line(previous->px, previous->py, column.px, column.py,
                            colours[kColourNormal]);
            previous = &column;
        }
        if (column.gridAfter)
            canvas.line(column.gridX, r.top, column.gridX, geo.base, colours[kColourGrid]);
    }
    if (walk.averageY)
        canvas.line(r.left, *walk.averageY, r.right, *walk.averageY, colours[kColourAverage]);
}

namespace {

// Background and grid: bars never cover a vertical grid line (it lies in the gap
// between two columns), and the line and the average are drawn over the grid in a
// full paint too, so the grid can lie under everything a sample draws.
void drawGraphStatic(Canvas& canvas, const Rect& r, const GraphMeter& meter)
{
    const GraphColours& colours = meter.settings().colours;
    const GraphGeometry geo = geometryOf(r, meter.graphOptions().lineGraph());
    if (!drawGraphGround(canvas, r, geo, colours))
        return;
    if (meter.scale() == 0)
        return;
    for (int i = 0; i < Meter::kHistoryLength; ++i)
        if (gridAfterColumn(r, geo, i)) {
            const int x = gridXAfterColumn(r, geo, i);
            canvas.line(x, r.top, x, geo.base, colours[kColourGrid]);
        }
}

// The bars of one colour in one call, the line as one path.
void drawGraphDynamic(Canvas& canvas, const Rect& r, const GraphMeter& meter)
{
    const GraphColours& colours = meter.settings().colours;
    const GraphGeometry geo = geometryOf(r, meter.graphOptions().lineGraph());
    if (geo.h <= 0 || r.width() <= 0 || meter.scale() == 0)
        return;

    const GraphWalk walk = walkGraph(r, geo, meter);
    std::vector<Point> path;
    for (const Column& column : walk.columns)
        if (column.hasPoint)
            path.push_back({column.px, column.py});
    if (path.size() > 1)
        canvas.polyline(path, colours[kColourNormal]);
    std::vector<ColorRef> done;
    for (const int role : {kColourNormal, kColourWarning, kColourHigh}) {
        const ColorRef colour = colours[role];
        if (std::find(done.begin(), done.end(), colour) != done.end())
            continue; // a scheme may give two limits one colour
        done.push_back(colour);
        std::vector<Rect> bars;
        for (const Column& column : walk.columns)
            if (column.bar.width() > 0 && column.colour == colour)
                bars.push_back(column.bar);
        if (!bars.empty())
            canvas.fillRects(bars, colour);
    }
    if (walk.averageY)
        canvas.line(r.left, *walk.averageY, r.right, *walk.averageY, colours[kColourAverage]);
}

} // namespace
