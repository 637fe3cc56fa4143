#include "meter/meter_surface.h"

#include <algorithm>
#include <cstdint>

// A 32-bit top-down DIB section selected into a memory DC for its whole life, with a
// canvas on it that may write its pixels directly.
class MeterSurface::Layer {
public:
    Layer(HDC screen, Size size) : dc_(screen)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.cx;
        info.bmiHeader.biHeight = -size.cy;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!bitmap_)
            bits = nullptr;
        original_ = SelectObject(dc_.get(), bitmap_.get());
        pixels_ = {static_cast<std::uint32_t*>(bits), size.cx, size.cy};
        canvas_ = std::make_unique<GdiCanvas>(dc_.get(), pixels_);
    }
    ~Layer()
    {
        // The canvas restores the DC first; then the bitmap can leave it.
        canvas_.reset();
        if (original_ != nullptr && original_ != HGDI_ERROR)
            SelectObject(dc_.get(), original_);
    }
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    HDC dc() const { return dc_.get(); }
    GdiCanvas& canvas() { return *canvas_; }

    // Takes the other layer's picture (of the same size) as its own.
    void copyFrom(Layer& other)
    {
        other.canvas_->flush();
        canvas_->flush();
        if (pixels_.bits != nullptr && other.pixels_.bits != nullptr) {
            std::copy(other.pixels_.bits,
                      other.pixels_.bits + static_cast<std::size_t>(pixels_.cx) * pixels_.cy,
                      pixels_.bits);
            return;
        }
        BitBlt(dc(), 0, 0, pixels_.cx, pixels_.cy, other.dc(), 0, 0, SRCCOPY);
    }

private:
    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ original_ = nullptr;
    PixelBuffer pixels_;
    std::unique_ptr<GdiCanvas> canvas_;
};

namespace {

// Measures nothing; stands in until the layers exist.
class NoMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string&, FontWeight) const override { return {}; }
};

const NoMeasurer kNoMeasurer;

} // namespace

MeterSurface::MeterSurface() : staticRecord_(kNoMeasurer), dynamicRecord_(kNoMeasurer)
{
}

MeterSurface::~MeterSurface() = default;

void MeterSurface::resize(Size size)
{
    composed_.reset();
    static_.reset();
    WindowDC screen(nullptr);
    static_ = std::make_unique<Layer>(screen.get(), size);
    composed_ = std::make_unique<Layer>(screen.get(), size);
    size_ = size;
    staticRecord_.clear();
    dynamicRecord_.clear();
    composedValid_ = false;
}

bool MeterSurface::update(const Meter& meter)
{
    const Size size = meter.clientSize();
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    if (!composed_ || size.cx != size_.cx || size.cy != size_.cy)
        resize(size);

    // Records measure as the composed layer draws.
    GdiCanvas& canvas = composed_->canvas();
    PaintRecord kept(canvas);
    // Around the hide button, the window's own background.
    kept.fillRect({0, 0, size.cx, size.cy}, meter.frameColours().face);
    meter.paintStatic(kept);
    bool changed = !composedValid_;
    if (kept != staticRecord_) {
        kept.replay(static_->canvas());
        staticRecord_ = kept;
        changed = true;
    }

    PaintRecord sample(canvas);
    meter.paintDynamic(sample);
    if (!changed && sample == dynamicRecord_)
        return false;
    composed_->copyFrom(*static_);
    sample.replay(canvas);
    dynamicRecord_ = sample;
    composedValid_ = true;
    return true;
}

void MeterSurface::copyTo(HDC target, const RECT& area) const
{
    if (!composed_)
        return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top,
           composed_->dc(), area.left, area.top, SRCCOPY);
}
