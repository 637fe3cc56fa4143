#pragma once
// A canvas for tests: records every call and also paints into a pixel grid with the
// same rules as GDI (right and bottom edges exclusive, lines without their end point),
// so tests can ask both "what was drawn" and "what colour is this pixel".
#include "meter/canvas.h"

#include <cstdlib>
#include <string>
#include <vector>

struct TextCall {
    Rect rect;
    std::string text;
    TextAlign align;
    ColorRef colour;
    FontWeight weight;
};

struct LineCall {
    int x1, y1, x2, y2;
    ColorRef colour;
};

class RecordingCanvas : public Canvas {
public:
    static constexpr ColorRef kUnpainted = 0xFF000000u;
    static constexpr int kCharWidth = 6;
    static constexpr int kTextHeight = 13;

    RecordingCanvas(int width = 400, int height = 200)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width * height), kUnpainted)
    {
    }

    Size measureText(const std::string& s, FontWeight = FontWeight::Normal) const override
    {
        return {static_cast<int>(s.size()) * kCharWidth, kTextHeight};
    }

    void fillRect(const Rect& r, ColorRef colour) override
    {
        fills.push_back({r, colour});
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                set(x, y, colour);
    }

    void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) override
    {
        frames.push_back({r, topLeft, bottomRight});
        for (int x = r.left; x < r.right; ++x) {
            set(x, r.top, topLeft);
            set(x, r.bottom - 1, bottomRight);
        }
        for (int y = r.top; y < r.bottom; ++y) {
            set(r.left, y, topLeft);
            set(r.right - 1, y, bottomRight);
        }
        // The corner where the two colours meet belongs to the bottom-right edge.
        set(r.right - 1, r.top, bottomRight);
        set(r.left, r.bottom - 1, bottomRight);
    }

    void line(int x1, int y1, int x2, int y2, ColorRef colour) override
    {
        lines.push_back({x1, y1, x2, y2, colour});
        // Bresenham without the end point.
        int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
        int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
        int err = dx + dy;
        int x = x1, y = y1;
        while (x != x2 || y != y2) {
            set(x, y, colour);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }

    void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
              FontWeight weight) override
    {
        texts.push_back({r, s, align, colour, weight});
    }

    ColorRef pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return kUnpainted;
        return pixels_[static_cast<std::size_t>(y * width_ + x)];
    }

    // Number of pixels of a colour in row y between x0 (inclusive) and x1 (exclusive).
    int countInRow(int y, int x0, int x1, ColorRef colour) const
    {
        int n = 0;
        for (int x = x0; x < x1; ++x)
            n += pixel(x, y) == colour;
        return n;
    }

    struct Fill {
        Rect rect;
        ColorRef colour;
    };
    struct Frame {
        Rect rect;
        ColorRef topLeft, bottomRight;
    };
    std::vector<Fill> fills;
    std::vector<Frame> frames;
    std::vector<LineCall> lines;
    std::vector<TextCall> texts;

private:
    void set(int x, int y, ColorRef colour)
    {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            pixels_[static_cast<std::size_t>(y * width_ + x)] = colour;
    }

    int width_;
    int height_;
    std::vector<ColorRef> pixels_;
};

// Measures with a fixed width per character, like the recording canvas.
class FixedWidthMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string& s, FontWeight = FontWeight::Normal) const override
    {
        return {static_cast<int>(s.size()) * RecordingCanvas::kCharWidth,
                RecordingCanvas::kTextHeight};
    }
};
