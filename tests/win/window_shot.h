#pragma once
#include "common/win/gdi.h"
#include "meter/gdi_canvas.h"
#include "meter/meter.h"

#include <vector>

// The pixels of a bitmap, row by row from the top, as colour references.
inline std::vector<COLORREF> pixelsOf(HBITMAP bitmap, int cx, int cy)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bgr(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy));
    WindowDC screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(cy), bgr.data(), &info, DIB_RGB_COLORS);
    std::vector<COLORREF> pixels;
    pixels.reserve(bgr.size());
    for (DWORD p : bgr)
        pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    return pixels;
}

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
        size_ = {r.right, r.bottom};
    }
    COLORREF pixel(int x, int y) const
    {
        SelectedObject selected(dc_.get(), bitmap_.get());
        return GetPixel(dc_.get(), x, y);
    }
    std::vector<COLORREF> pixels() const { return pixelsOf(bitmap_.get(), size_.cx, size_.cy); }

private:
    MemoryDC dc_{nullptr};
    BitmapHandle bitmap_;
    SIZE size_{};
};

// A meter painted the direct way, as a window was painted before it kept pictures off
// screen: a full paint, then each tick's redraw, straight onto one device context
// (here a bitmap's, so that nothing else draws over it).
class DirectPicture {
public:
    DirectPicture(int cx, int cy) { resize(cx, cy); }
    // A new, blank bitmap.
    void resize(int cx, int cy)
    {
        WindowDC screen(nullptr);
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), cx, cy));
        size_ = {cx, cy};
    }
    void paint(Meter& meter, bool tickRedraw)
    {
        SelectedObject selected(dc_.get(), bitmap_.get());
        GdiCanvas canvas(dc_.get());
        meter.paint(canvas, tickRedraw);
    }
    COLORREF pixel(int x, int y) const
    {
        SelectedObject selected(dc_.get(), bitmap_.get());
        return GetPixel(dc_.get(), x, y);
    }
    std::vector<COLORREF> pixels() const { return pixelsOf(bitmap_.get(), size_.cx, size_.cy); }

private:
    MemoryDC dc_{nullptr};
    BitmapHandle bitmap_;
    SIZE size_{};
};
