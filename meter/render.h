#pragma once
// Drawing of graph meters: the graph box with its text strip, and the 30 columns with
// grid, limit colours and average line.
#include "meter/canvas.h"

class GraphMeter;

// Colour of a graph meter's text: the device context's default.
constexpr ColorRef kMeterTextColour = rgb(0, 0, 0);

// The whole graph meter: frame, graph box, graph and text. On a tick redraw only the
// text strip and the graph are drawn again.
void paintGraphMeter(Canvas& canvas, const GraphMeter& meter, bool tickRedraw);

// The columns of the history, newest at the right, inside r.
void drawGraph(Canvas& canvas, const Rect& r, const GraphMeter& meter);

// The same picture as a full paint in two layers. The first holds what only the size,
// options, colours and font change: frame, graph box, graph background and grid. The
// second, drawn over it, what every sample changes: bars or line, average line, text.
void paintGraphMeterStatic(Canvas& canvas, const GraphMeter& meter);
void paintGraphMeterDynamic(Canvas& canvas, const GraphMeter& meter);
