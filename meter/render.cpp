#include "meter/render.h"

#include "meter/graph_meter.h"

#include <algorithm>
#include <cmath>

void paintGraphMeter(Canvas& canvas, const GraphMeter& meter, bool tickRedraw)
{
    meter.drawFrame(canvas, tickRedraw);

    const std::string text = meter.meterText();
    const int textHeight = canvas.measureText(text).cy;
    const Rect c = meter.graphRect(true);
    const Rect g{c.left, c.top, c.right, c.bottom - textHeight - 2};
    Rect t{c.left, g.bottom + 1, c.right, c.bottom};

    if (tickRedraw)
        canvas.fillRect(t, meter.frameColours().face);
    else
        canvas.draw3dRect(g, meter.frameColours().shadow, meter.frameColours().highlight);

    drawGraph(canvas, {g.left + 1, g.top + 1, g.right - 2, g.bottom - 2}, meter);

    const TextAlign align = meter.settings().textAlign;
    if (align != TextAlign::Centre) {
        t.left += 1;
        t.right -= 1;
    }
    canvas.text(t, text, align, kMeterTextColour);
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

} // namespace

void drawGraph(Canvas& canvas, const Rect& r, const GraphMeter& meter)
{
    const AppSettings& settings = meter.settings();
    const GraphColours& colours = settings.colours;
    const GraphOptions& options = meter.graphOptions();
    const bool lineGraph = options.lineGraph();
    const std::uint32_t scale = meter.scale();

    canvas.fillRect(r, colours[kColourBackground]);
    const GraphGeometry geo = geometryOf(r, lineGraph);
    if (geo.h <= 0 || r.width() <= 0)
        return;

    for (int quarter : {3, 2, 1})
        canvas.line(r.left, r.top + geo.h * quarter / 4, r.right, r.top + geo.h * quarter / 4,
                    colours[kColourGrid]);

    // A scale of 0 (a resource whose total is 0) draws an empty graph.
    if (scale == 0)
        return;

    const double k = static_cast<double>(geo.h) / scale;
    std::uint64_t drawnSum = 0;
    int count = 0;
    bool havePoint = false;
    int lastX = 0;
    int lastY = 0;

    for (int i = 0; i < Meter::kHistoryLength; ++i) {
        int x = r.right - geo.pitch * (i + 1);
        int width = geo.bar;
        // A column wholly left of the graph is not walked; one cut by the left edge is
        // drawn narrowed and ends the walk.
        if (x + width <= r.left)
            break;
        const bool lastVisible = x < r.left;
        if (lastVisible) {
            width = x + width - r.left;
            x = r.left;
        }

        const std::uint32_t v = std::min(meter.history(i), scale);
        if (v > 0 || lineGraph) {
            drawnSum += v;
            const int u = static_cast<int>(std::floor(v * k + 0.5));
            if (u > 0 || lineGraph) {
                if (lineGraph) {
                    const int px = x + width / 2;
                    const int py = geo.base - u;
                    if (havePoint)
                        canvas.line(lastX, lastY, px, py, colours[kColourNormal]);
                    havePoint = true;
                    lastX = px;
                    lastY = py;
                } else {
                    const int pct = u * 100 / geo.h;
                    const ColorRef colour = pct >= settings.highLimit     ? colours[kColourHigh]
                                            : pct >= settings.mediumLimit ? colours[kColourWarning]
                                                                          : colours[kColourNormal];
                    canvas.fillRect({x, geo.base - u, x + width, geo.base}, colour);
                }
            }
        }
        count = i + 1;
        if (lastVisible)
            break;
        if (i % 5 == 4) {
            const int gridX = r.right - geo.pitch * (i + 1) - 1;
            canvas.line(gridX, r.top, gridX, geo.base, colours[kColourGrid]);
        }
    }

    if (options.drawAverage() && count > 0) {
        const std::uint64_t avg = (drawnSum * 10 / static_cast<std::uint64_t>(count) + 5) / 10;
        const std::uint64_t offset =
            (avg * static_cast<std::uint64_t>(geo.h) * 10 + 5) / scale / 10;
        const long long y = static_cast<long long>(geo.base) - static_cast<long long>(offset);
        if (r.top + 1 < y && y < geo.base - 1)
            canvas.line(r.left, static_cast<int>(y), r.right, static_cast<int>(y),
                        colours[kColourAverage]);
    }
}
