#pragma once
// A colour swatch of the colours dialog: an owner-drawn static control.
#include <windows.h>

// A one-pixel frame in the default pen and brush over the whole area, the colour
// inside the frame.
void paintSwatch(HDC dc, const RECT& area, COLORREF colour);

// Repaints a swatch control now, not at the next idle moment.
void repaintSwatch(HWND swatch);
