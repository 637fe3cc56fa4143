#include "meter/gdi_canvas.h"

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

Size measureIn(HDC dc, HFONT font, const std::string& s)
{
    SelectedObject selected(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
    return {size.cx, size.cy};
}

} // namespace

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), savedState_(SaveDC(dc))
{
}

GdiCanvas::~GdiCanvas()
{
    // Restoring deselects our pens and font before they are deleted.
    if (savedState_ != 0)
        RestoreDC(dc_, savedState_);
}

void GdiCanvas::fillRect(const Rect& r, ColorRef colour)
{
    // An opaque empty text fills without creating a brush.
    const RECT rect{r.left, r.top, r.right, r.bottom};
    SetBkColor(dc_, colour);
    ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
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

HPEN GdiCanvas::penFor(ColorRef colour)
{
    for (const auto& [c, pen] : pens_)
        if (c == colour)
            return pen.get();
    pens_.emplace_back(colour, PenHandle(CreatePen(PS_SOLID, 1, colour)));
    return pens_.back().second.get();
}

void GdiCanvas::line(int x1, int y1, int x2, int y2, ColorRef colour)
{
    SelectObject(dc_, penFor(colour));
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

HFONT GdiCanvas::fontFor(FontWeight weight) const
{
    if (weight == FontWeight::Normal)
        return meterFont();
    if (!bold_)
        bold_ = createBoldMeterFont();
    return bold_.get();
}

void GdiCanvas::text(const Rect& r, const std::string& s, TextAlign align, ColorRef colour,
                     FontWeight weight)
{
    SelectObject(dc_, fontFor(weight));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    RECT rect{r.left, r.top, r.right, r.bottom};
    const UINT horizontal = align == TextAlign::Left    ? DT_LEFT
                            : align == TextAlign::Right ? DT_RIGHT
                                                        : DT_CENTER;
    DrawTextA(dc_, s.c_str(), static_cast<int>(s.size()), &rect,
              horizontal | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

Size GdiCanvas::measureText(const std::string& s, FontWeight weight) const
{
    return measureIn(dc_, fontFor(weight), s);
}

Size GdiTextMeasurer::measureText(const std::string& s, FontWeight weight) const
{
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    if (weight == FontWeight::Bold) {
        FontHandle bold = createBoldMeterFont();
        return measureIn(dc.get(), bold.get(), s);
    }
    return measureIn(dc.get(), meterFont(), s);
}
