#pragma once
// The canvas and text measurer over GDI. A GdiCanvas may serve one paint or, on a
// device context of its own, many: it keeps its pens and brushes (one per colour) and
// what it last selected and set, so that drawing costs as few GDI calls as it can.
// When it ends, the pens, brushes and bold font are released and the DC's state is
// restored.
#include "common/win/gdi.h"
#include "meter/canvas.h"

#include <string>
#include <utility>
#include <vector>

// The system's default GUI font, and a bold variant of it created on demand.
HFONT meterFont();
FontHandle createBoldMeterFont();

class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void fillRect(const Rect& r, ColorRef colour) override;
    // All rectangles of one colour as one region: three calls however many there are.
    void fillRects(const std::vector<Rect>& rects, ColorRef colour) override;
    void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) override;
    void line(int x1, int y1, int x2, int y2, ColorRef colour) override;
    void polyline(const std::vector<Point>& points, ColorRef colour) override;
    void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
              FontWeight weight) override;
    // The last few texts measured are remembered: a meter measures the same ones on
    // every tick.
    Size measureText(const std::string& s, FontWeight weight) const override;

private:
    struct Measured {
        std::string text;
        FontWeight weight;
        Size size;
    };

    void selectPen(ColorRef colour);
    void selectFont(FontWeight weight) const;
    void setBackground(ColorRef colour);
    HBRUSH brushFor(ColorRef colour);
    HFONT fontFor(FontWeight weight) const;

    HDC dc_;
    int savedState_;
    std::vector<std::pair<ColorRef, PenHandle>> pens_;
    std::vector<std::pair<ColorRef, BrushHandle>> brushes_;
    mutable FontHandle bold_;

    // What is selected and set in the DC, as far as this canvas did it.
    HPEN pen_ = nullptr;
    mutable HFONT font_ = nullptr;
    bool haveBackground_ = false;
    ColorRef background_ = 0;
    bool haveTextColour_ = false;
    ColorRef textColour_ = 0;
    bool transparent_ = false;

    mutable std::vector<Measured> measured_;
    mutable std::size_t nextMeasured_ = 0;
};

// Measures in the meter font on a screen-compatible DC.
class GdiTextMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string& s, FontWeight weight) const override;
};
