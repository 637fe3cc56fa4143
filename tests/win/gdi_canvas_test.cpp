#include "meter/gdi_canvas.h"
#include "meter/graph_meter.h"

#include "window_shot.h"

#include <gtest/gtest.h>

namespace {

// A top-level window at a known place on the screen that paints a meter the way the
// program does: in WM_PAINT, through a GdiCanvas.
class TestWindow {
public:
    TestWindow(int x, int y, int cx, int cy)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BrellixCanvasTest";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, x, y,
                                cx, cy, nullptr, nullptr, wc.hInstance, nullptr);
        pump();
    }
    ~TestWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

    // Paints the meter in a real paint cycle and waits until the screen shows it.
    void show(Meter& meter)
    {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&meter));
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        pump();
    }

    static void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* meter = reinterpret_cast<Meter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_PAINT && meter != nullptr) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            {
                GdiCanvas canvas(dc);
                meter->paint(canvas, false);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd_ = nullptr;
};

constexpr int kLeft = 40;
constexpr int kTop = 40;

} // namespace

TEST(gdiCanvas, barGraphInARealWindow)
{
    AppSettings settings;
    CpuMeter cpu(settings);
    TestWindow window(kLeft, kTop, 200, 70);
    ASSERT_NE(window.hwnd(), nullptr);
    cpu.setClientSize(200, 70);
    cpu.fitTextFormat(GdiTextMeasurer());
    for (int i = 0; i < 29; ++i)
        cpu.addSample(20, 100);
    cpu.addSample(100, 100);
    window.show(cpu);
    const WindowShot shot(window.hwnd());

    const GraphColours& colours = settings.colours;
    // Outer frame: shadow on top, face inside, the hide strip untouched (white).
    EXPECT_EQ(shot.pixel(50, 0), cpu.frameColours().shadow);
    EXPECT_EQ(shot.pixel(50, 1), cpu.frameColours().highlight);
    EXPECT_EQ(shot.pixel(50, 2), cpu.frameColours().face);
    EXPECT_EQ(shot.pixel(195, 30), RGB(255, 255, 255));

    // Measure where the text strip put the graph's base.
    const int textHeight = GdiTextMeasurer().measureText(cpu.meterText(), FontWeight::Normal).cy;
    ASSERT_GT(textHeight, 5);
    const int graphBottom = 67 - textHeight - 2; // g.bottom
    const int base = graphBottom - 2;            // R.bottom: bars end at base - 1
    const int right = 186 - 2;                   // R.right
    // W = 180: pitch 6, bar 5. The newest sample (100) is a full-height high bar.
    EXPECT_EQ(shot.pixel(right - 6, base - 1), colours[kColourHigh]);
    EXPECT_EQ(shot.pixel(right - 2, base - 1), colours[kColourHigh]);
    EXPECT_EQ(shot.pixel(right - 1, base - 1), colours[kColourBackground]);
    // The one before is 20%: normal colour near the base, background above it.
    EXPECT_EQ(shot.pixel(right - 12, base - 1), colours[kColourNormal]);
    EXPECT_EQ(shot.pixel(right - 12, 6), colours[kColourBackground]);
    // Vertical grid line after the fifth column.
    EXPECT_EQ(shot.pixel(right - 31, 6), colours[kColourGrid]);
}

TEST(gdiCanvas, lineGraphInARealWindow)
{
    AppSettings settings;
    settings.colours = colourSchemes()[3].colours; // Aqua
    DiskGraphMeter disk(settings);
    disk.graphOptions().setLineGraph(true);
    disk.graphOptions().setDrawAverage(false);
    disk.graphOptions().setAutoScale(false);
    TestWindow window(kLeft, kTop + 100, 200, 70);
    disk.setClientSize(200, 70);
    disk.fitTextFormat(GdiTextMeasurer());
    for (int i = 0; i < 30; ++i)
        disk.addSample(0, 0);
    window.show(disk);
    const WindowShot shot(window.hwnd());

    const GraphColours& colours = settings.colours;
    const int textHeight = GdiTextMeasurer().measureText(disk.meterText(), FontWeight::Normal).cy;
    const int rBottom = 67 - textHeight - 2 - 2;
    const int base = rBottom - 1; // a line graph sits one pixel higher
    const int y = base;
    // All zeros: a flat line on the last row of the graph, background above it; the
    // row below is the gap inside the sunken box.
    EXPECT_EQ(shot.pixel(100, y), colours[kColourNormal]);
    EXPECT_EQ(shot.pixel(100, y - 1), colours[kColourBackground]);
    EXPECT_EQ(shot.pixel(100, y + 1), disk.frameColours().face);
}

TEST(gdiCanvas, boldFontIsWiderThanNormal)
{
    GdiTextMeasurer measurer;
    const Size normal = measurer.measureText("Physical Memory Information", FontWeight::Normal);
    const Size bold = measurer.measureText("Physical Memory Information", FontWeight::Bold);
    EXPECT_GT(normal.cx, 50);
    EXPECT_GE(bold.cx, normal.cx);
    EXPECT_EQ(measurer.measureText("", FontWeight::Normal).cx, 0);
}
