#include "meter/gdi_canvas.h"

#include <algorithm>
#include <cstddef>

HFONT meterFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

FontHandle createBoldMeterFont()
{
    LOGFONTA font{};
    GetObjectA(meterFont(), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectA(&font));
}

namespace {

constexpr std::size_t kMeasuredKept = 8;

Size measureIn(HDC dc, const std::string& s)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    return {size.cx, size.cy};
}

} // namespace

GdiCanvas::GdiCanvas(HDC dc, PixelBuffer pixels) : dc_(dc), pixels_(pixels), savedState_(SaveDC(dc))
{
}

void GdiCanvas::flush()
{
    if (gdiPending_) {
        GdiFlush();
        gdiPending_ = false;
    }
}

void GdiCanvas::writePixels(const Rect& r, ColorRef colour)
{
    const int left = std::max(r.left, 0);
    const int top = std::max(r.top, 0);
    const int right = std::min(r.right, pixels_.cx);
    const int bottom = std::min(r.bottom, pixels_.cy);
    if (left >= right || top >= bottom)
        return;
    flush();
    // A DIB pixel is 0x00RRGGBB, a colour reference 0x00BBGGRR.
    const std::uint32_t pixel =
        (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = pixels_.bits + static_cast<std::size_t>(y) * pixels_.cx;
        std::fill(row + left, row + right, pixel);
    }
}

GdiCanvas::~GdiCanvas()
{
    // Restoring deselects our pens and font before they are deleted.
    if (savedState_ != 0)
        RestoreDC(dc_, savedState_);
}

void GdiCanvas::setBackground(ColorRef colour)
{
    if (haveBackground_ && background_ == colour)
        return;
    SetBkColor(dc_, colour);
    haveBackground_ = true;
    background_ = colour;
}

void GdiCanvas::fillRect(const Rect& r, ColorRef colour)
{
    if (pixels_.bits != nullptr) {
        writePixels(r, colour);
        return;
    }
    // An opaque empty text fills without a brush.
    const RECT rect{r.left, r.top, r.right, r.bottom};
    setBackground(colour);
    ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    gdiPending_ = true;
}

void GdiCanvas::draw3dRect(const Rect& r, ColorRef topLeft, ColorRef bottomRight)
{
    const int cx = r.width();
    const int cy = r.height();
    fillRect({r.left, r.top, r.left + cx - 1, r.top + 1}, topLeft);
    fillRect({r.left, r.top, r.left + 1, r.top + cy - 1}, topLeft);
    fillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    fillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

void GdiCanvas::selectPen(ColorRef colour)
{
    HPEN pen = nullptr;
    for (const auto& [c, owned] : pens_)
        if (c == colour)
            pen = owned.get();
    if (pen == nullptr) {
        pens_.emplace_back(colour, PenHandle(CreatePen(PS_SOLID, 1, colour)));
        pen = pens_.back().second.get();
    }
    if (pen != pen_) {
        SelectObject(dc_, pen);
        pen_ = pen;
    }
}

void GdiCanvas::line(int x1, int y1, int x2, int y2, ColorRef colour)
{
    // A level or upright one-pixel line is the rectangle of its pixels, the end
    // point left out.
    if (pixels_.bits != nullptr && (x1 == x2 || y1 == y2)) {
        if (y1 == y2)
            writePixels({x1 < x2 ? x1 : x2 + 1, y1, x1 < x2 ? x2 : x1 + 1, y1 + 1}, colour);
        else
            writePixels({x1, y1 < y2 ? y1 : y2 + 1, x1 + 1, y1 < y2 ? y2 : y1 + 1}, colour);
        return;
    }
    selectPen(colour);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    gdiPending_ = true;
}

void GdiCanvas::polyline(const std::vector<Point>& points, ColorRef colour)
{
    if (points.size() < 2)
        return;
    std::vector<POINT> gdiPoints;
    gdiPoints.reserve(points.size());
    for (const Point& p : points)
        gdiPoints.push_back({p.x, p.y});
    selectPen(colour);
    Polyline(dc_, gdiPoints.data(), static_cast<int>(gdiPoints.size()));
    gdiPending_ = true;
}

HFONT GdiCanvas::fontFor(FontWeight weight) const
{
    if (weight == FontWeight::Normal)
        return meterFont();
    if (!bold_)
        bold_ = createBoldMeterFont();
    return bold_.get();
}

void GdiCanvas::selectFont(FontWeight weight) const
{
    HFONT font = fontFor(weight);
    if (font != font_) {
        SelectObject(dc_, font);
        font_ = font;
    }
}

void GdiCanvas::text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
                     FontWeight weight)
{
    selectFont(weight);
    if (!transparent_) {
        SetBkMode(dc_, TRANSPARENT);
        transparent_ = true;
    }
    if (!haveTextColour_ || textColour_ != colour) {
        SetTextColor(dc_, colour);
        haveTextColour_ = true;
        textColour_ = colour;
    }
    RECT rect{r.left, r.top, r.right, r.bottom};
    const UINT horizontal = align == TextAlign::Left    ? DT_LEFT
                            : align == TextAlign::Right ? DT_RIGHT
                                                        : DT_CENTER;
    DrawTextA(dc_, s.c_str(), static_cast<int>(s.size()), &rect,
              horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    gdiPending_ = true;
}

Size GdiCanvas::measureText(const std::string& s, FontWeight weight) const
{
    for (const Measured& m : measured_)
        if (m.weight == weight && m.text == s)
            return m.size;
    selectFont(weight);
    const Size size = measureIn(dc_, s);
    Measured entry{s, weight, size};
    if (measured_.size() < kMeasuredKept) {
        measured_.push_back(std::move(entry));
    } else {
        measured_[nextMeasured_] = std::move(entry);
        nextMeasured_ = (nextMeasured_ + 1) % kMeasuredKept;
    }
    return size;
}

Size GdiTextMeasurer::measureText(const std::string& s, FontWeight weight) const
{
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    if (weight == FontWeight::Bold) {
        FontHandle bold = createBoldMeterFont();
        SelectedObject selected(dc.get(), bold.get());
        return measureIn(dc.get(), s);
    }
    SelectedObject selected(dc.get(), meterFont());
    return measureIn(dc.get(), s);
}
