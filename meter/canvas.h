#pragma once
// The drawing seam. The meters draw through these few primitives; the program
// implements them with GDI on a device context, the tests with a recorder.
#include "meter/app_settings.h"
#include "meter/colours.h"

#include <cstddef>
#include <string>
#include <vector>

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0; // exclusive, as on Windows
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Rect inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    bool operator==(const Rect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Size {
    int cx = 0;
    int cy = 0;
};

enum class FontWeight { Normal, Bold };

// Measures text in the meter font; what format fitting needs and no more.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual Size measureText(const std::string& text,
                             FontWeight weight = FontWeight::Normal) const = 0;
};

class Canvas : public TextMeasurer {
public:
    virtual void fillRect(const Rect& r, ColorRef colour) = 0;
    // A one-pixel frame just inside r: top and left in topLeft, bottom and right in
    // bottomRight.
    virtual void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) = 0;
    // A one-pixel solid line from (x1, y1) up to but not including (x2, y2).
    virtual void line(int x1, int y1, int x2, int y2, ColorRef colour) = 0;
    // One line of text, transparent background, vertically centred in r.
    virtual void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
                      FontWeight weight = FontWeight::Normal) = 0;

    // Rectangles of one colour that do not overlap one another, in any order. A canvas
    // that can fill them in one go does.
    virtual void fillRects(const std::vector<Rect>& rects, ColorRef colour)
    {
        for (const Rect& r : rects)
            fillRect(r, colour);
    }
    // Connected one-pixel lines through the points, the last point left out, as
    // line() from each point to the next would draw them.
    virtual void polyline(const std::vector<Point>& points, ColorRef colour)
    {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
    }
};
