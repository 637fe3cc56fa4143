#include "meter/prefs/colour_swatch.h"

#include "common/win/gdi.h"

void paintSwatch(HDC dc, const RECT& area, COLORREF colour)
{
    {
        // The pen and brush a fresh device context starts with; an owner-draw DC may
        // come with others selected.
        SelectedObject pen(dc, GetStockObject(BLACK_PEN));
        SelectedObject brush(dc, GetStockObject(WHITE_BRUSH));
        Rectangle(dc, area.left, area.top, area.right, area.bottom);
    }
    RECT inside = area;
    InflateRect(&inside, -1, -1);
    BrushHandle fill(CreateSolidBrush(colour));
    FillRect(dc, &inside, fill.get());
}

void repaintSwatch(HWND swatch)
{
    InvalidateRect(swatch, nullptr, FALSE);
    UpdateWindow(swatch);
}
