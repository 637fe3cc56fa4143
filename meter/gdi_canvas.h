#pragma once
// The canvas and text measurer over GDI. A GdiCanvas may serve one paint or, on a
// device context of its own, many: it keeps its pens (one per colour) and what it last
// selected and set, so that drawing costs as few GDI calls as it can. When it ends,
// the pens and bold font are released and the DC's state is restored.
#include "common/win/gdi.h"
#include "meter/canvas.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The system's default GUI font, and a bold variant of it created on demand.
HFONT meterFont();
FontHandle createBoldMeterFont();

// The pixels of a 32-bit top-down DIB section selected into the canvas's DC.
struct PixelBuffer {
    std::uint32_t* bits = nullptr;
    int cx = 0;
    int cy = 0;
};

class GdiCanvas : public Canvas {
public:
    // With `pixels`, rectangles and straight level or upright lines are written into
    // the bitmap directly: every GDI call costs about as much as the pixels it draws
    // (one to two microseconds under Wine), a bar graph is thirty rectangles, and
    // these shapes come out the same either way.
    explicit GdiCanvas(HDC dc, PixelBuffer pixels = {});
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void fillRect(const Rect& r, ColorRef colour) override;
    void draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight) override;
    void line(int x1, int y1, int x2, int y2, ColorRef colour) override;
    void polyline(const std::vector<Point>& points, ColorRef colour) override;
    void text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
              FontWeight weight) override;
    // The last few texts measured are remembered: a meter measures the same ones on
    // every tick.
    Size measureText(const std::string& s, FontWeight weight) const override;

    // Lets GDI finish what it was given, before the bitmap's pixels are read or
    // written directly.
    void flush();

private:
    struct Measured {
        std::string text;
        FontWeight weight;
        Size size;
    };

    void selectPen(ColorRef colour);
    void selectFont(FontWeight weight) const;
    void setBackground(ColorRef colour);
    void writePixels(const Rect& r, ColorRef colour);
    HFONT fontFor(FontWeight weight) const;

    HDC dc_;
    PixelBuffer pixels_;
    int savedState_;
    bool gdiPending_ = false; // GDI drew since the last flush
    std::vector<std::pair<ColorRef, PenHandle>> pens_;
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
