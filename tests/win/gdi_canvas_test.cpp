#include "meter/gdi_canvas.h"
#include "meter/graph_meter.h"
#include "meter/measure/memory_info_meter.h"
#include "meter/meter_pane.h"
#include "meter/shell_tray.h"
#include "meter/volumes/uptime_meter.h"

#include "../native/test_fakes.h"
#include "window_shot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

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

namespace {

// A visible top-level window to hold meter windows.
class Parent {
public:
    Parent()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BrellixSurfaceTest";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, kLeft,
                               kTop, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~Parent() { DestroyWindow(hwnd); }
    HWND hwnd;
};

// The same meter twice: one in a meter window, painted as the program paints it, one
// painted the direct way. Each step feeds both the same sample; then the window's
// picture must equal the direct one pixel for pixel over the meter's strip.
class SurfaceTwin {
public:
    SurfaceTwin(Meter& shown, Meter& reference, int cx, int cy)
        : shown_(shown), reference_(reference), pane_(shown, tray_), direct_(cx, cy)
    {
        pane_.create(parent_.hwnd, 0);
        // The window takes the system's button colours.
        reference_.setFrameColours(shown_.frameColours());
        resize(cx, cy);
        pane_.activate();
        pump();
    }

    // Sizes both; the direct picture is painted in full, as after a resize.
    void resize(int cx, int cy)
    {
        SetWindowPos(pane_.hwnd(), nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        reference_.setClientSize(cx, cy);
        reference_.fitTextFormat(GdiTextMeasurer());
        direct_.resize(cx, cy);
        direct_.paint(reference_, false);
        pump();
    }

    // A sample reaches both; the direct picture takes its tick redraw.
    template <typename Feed> void tick(Feed feed)
    {
        feed(shown_);
        feed(reference_);
        direct_.paint(reference_, true);
        pump();
    }

    void fullPaint()
    {
        direct_.paint(reference_, false);
        pump();
    }

    // Differing pixels over the meter's strip, with the first one described.
    int differences(std::string& first) const
    {
        const Size size = shown_.clientSize();
        const std::vector<COLORREF> shown = WindowShot(pane_.hwnd()).pixels();
        const std::vector<COLORREF> direct = direct_.pixels();
        int n = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx - Meter::kHideStripWidth; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * size.cx + x);
                if (shown[i] != direct[i] && n++ == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, "(%d,%d): %06lx on the window, %06lx direct",
                                  x, y, static_cast<unsigned long>(shown[i]),
                                  static_cast<unsigned long>(direct[i]));
                    first = text;
                }
            }
        return n;
    }

private:
    static void pump() { TestWindow::pump(); }

    Meter& shown_;
    Meter& reference_;
    Parent parent_;
    ShellTrayNotifier tray_{nullptr};
    MeterPane pane_;
    DirectPicture direct_;
};

#define EXPECT_SAME_PICTURE(twin)                                                                  \
    do {                                                                                           \
        std::string first;                                                                         \
        EXPECT_EQ((twin).differences(first), 0) << first;                                          \
    } while (0)

// Samples that reach every limit colour, the average line and zeros.
constexpr std::uint32_t kSamples[] = {5,  95, 100, 0, 40, 89, 97,  60, 60, 3,  0,  71, 100, 12,
                                      50, 50, 0,   0, 99, 91, 8,   30, 65, 77, 0,  45, 88,  96,
                                      2,  55, 0,   0, 0,  20, 100, 35, 90, 10, 66, 43};

} // namespace

TEST(meterSurface, barGraphAfterTicksMatchesTheDirectPaint)
{
    AppSettings settings;
    CpuMeter shown(settings), reference(settings);
    // 222 wide, as the program lays out: the oldest column is cut at the left edge.
    SurfaceTwin twin(shown, reference, 222, 70);
    for (std::uint32_t v : kSamples)
        twin.tick([v](Meter& m) { m.addSample(v, 100); });
    EXPECT_SAME_PICTURE(twin);

    // A new size and a new scheme redraw what is kept between ticks.
    twin.resize(180, 100);
    settings.colours = colourSchemes()[2].colours;
    settings.textAlign = TextAlign::Right;
    twin.tick([](Meter& m) { m.addSample(93, 100); });
    twin.fullPaint();
    EXPECT_SAME_PICTURE(twin);
}

TEST(meterSurface, lineGraphAfterTicksMatchesTheDirectPaint)
{
    AppSettings settings;
    settings.colours = colourSchemes()[3].colours; // Aqua
    DiskGraphMeter shown(settings), reference(settings);
    for (DiskGraphMeter* m : {&shown, &reference}) {
        m->graphOptions().setLineGraph(true);
        m->graphOptions().setAutoScale(true);
    }
    SurfaceTwin twin(shown, reference, 222, 70);
    for (std::uint32_t v : kSamples)
        twin.tick([v](Meter& m) { m.addSample(v * 40, 0); });
    EXPECT_SAME_PICTURE(twin);
}

TEST(meterSurface, memoryTableAfterTicksMatchesTheDirectPaint)
{
    AppSettings settings;
    FixedMemory memory;
    memory.status = {2ull << 30, 1ull << 30, 512ull << 20, 300ull << 20};
    MemoryStatusCache cache(memory);
    PhysMemMeter shown(settings), reference(settings);
    shown.setCounter(&cache, false);
    reference.setCounter(&cache, false);
    shown.fitTextFormat(GdiTextMeasurer());
    SurfaceTwin twin(shown, reference, 260, shown.height());
    for (int i = 0; i < 6; ++i) {
        memory.status.availablePhysical = (300ull - 7 * i) << 20;
        cache.markStale();
        twin.tick([](Meter& m) { m.sample(); });
    }
    EXPECT_SAME_PICTURE(twin);
}

TEST(meterSurface, textMeterAfterTicksMatchesTheDirectPaint)
{
    AppSettings settings;
    settings.colours = colourSchemes()[3].colours; // Aqua
    SettableCounter seconds;
    UptimeMeter shown(settings), reference(settings);
    shown.setCounter(&seconds, false);
    reference.setCounter(&seconds, false);
    shown.fitTextFormat(GdiTextMeasurer());
    SurfaceTwin twin(shown, reference, 222, shown.height());
    for (std::int32_t s : {59, 60, 3599, 86399, 90061, 200000}) {
        seconds.set(s);
        twin.tick([](Meter& m) { m.sample(); });
    }
    EXPECT_SAME_PICTURE(twin);
}
