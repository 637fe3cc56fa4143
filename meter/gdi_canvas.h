#pragma once
// The canvas and text measurer over GDI. A GdiCanvas lives for one paint: the pens and
// the bold font it creates are released, and the DC's state restored, when it ends.
#include "common/win/gdi.h"
#include "meter/canvas.h"

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
    void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) override;
    void line(int x1, int y1, int x2, int y2, ColorRef colour) override;
    void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
              FontWeight weight) override;
    Size measureText(const std::string& s, FontWeight weight) const override;

private:
    HPEN penFor(ColorRef colour);
    HFONT fontFor(FontWeight weight) const;

    HDC dc_;
    int savedState_;
    std::vector<std::pair<ColorRef, PenHandle>> pens_;
    mutable FontHandle bold_;
};

// Measures in the meter font on a screen-compatible DC.
class GdiTextMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string& s, FontWeight weight) const override;
};
