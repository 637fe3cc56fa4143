#pragma once
#include "common/win/gdi.h"

// A screenshot of a window: its image copied into a bitmap of our own, read back
// pixel by pixel. (Under Wine the X screen is updated asynchronously, so the window's
// own surface is the image to check.)
class WindowShot {
public:
    explicit WindowShot(HWND hwnd)
    {
        RECT r;
        GetClientRect(hwnd, &r);
        WindowDC source(hwnd);
        bitmap_.reset(CreateCompatibleBitmap(source.get(), r.right, r.bottom));
        SelectedObject selected(dc_.get(), bitmap_.get());
        BitBlt(dc_.get(), 0, 0, r.right, r.bottom, source.get(), 0, 0, SRCCOPY);
    }
    COLORREF pixel(int x, int y) const
    {
        SelectedObject selected(dc_.get(), bitmap_.get());
        return GetPixel(dc_.get(), x, y);
    }

private:
    MemoryDC dc_{nullptr};
    BitmapHandle bitmap_;
};
