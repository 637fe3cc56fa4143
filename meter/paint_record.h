#pragma once
// A canvas that keeps what is drawn on it instead of drawing: a picture that can be
// compared with the last one drawn, and drawn on another canvas only when it differs.
#include "meter/canvas.h"

#include <string>
#include <vector>

class PaintRecord : public Canvas {
public:
    // Texts are measured by `measurer`, as the canvas the record is drawn on measures.
    explicit PaintRecord(const TextMeasurer& measurer) : measurer_(&measurer) {}

    void fillRect(const Rect& r, ColorRef colour) override;
    void fillRects(const std::vector<Rect>& rects, ColorRef colour) override;
    void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) override;
    void line(int x1, int y1, int x2, int y2, ColorRef colour) override;
    void polyline(const std::vector<Point>& points, ColorRef colour) override;
    void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
              FontWeight weight) override;
    Size measureText(const std::string& s, FontWeight weight) const override;

    // Draws everything kept, in order, on `canvas`.
    void replay(Canvas& canvas) const;
    bool empty() const { return ops_.empty(); }
    void clear() { ops_.clear(); }

    // The same calls with the same arguments; what was measured does not count.
    bool operator==(const PaintRecord& other) const { return ops_ == other.ops_; }
    bool operator!=(const PaintRecord& other) const { return !(*this == other); }

private:
    enum class Kind { Fill, Fills, Frame3d, Line, Polyline, Text };
    struct Op {
        explicit Op(Kind k) : kind(k) {}
        Kind kind;
        Rect rect;
        ColorRef colour = 0;
        ColorRef colour2 = 0;
        std::vector<Rect> rects;
        std::vector<Point> points;
        std::string text;
        TextAlign align = TextAlign::Centre;
        FontWeight weight = FontWeight::Normal;
        bool operator==(const Op& o) const;
    };

    const TextMeasurer* measurer_;
    std::vector<Op> ops_;
};
