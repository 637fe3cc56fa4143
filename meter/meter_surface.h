#pragma once
// A meter window's picture, kept off screen so that the window only ever receives
// finished pictures in one copy: drawing straight on the window shows every step of it.
//
// The picture has two layers (Meter::paintStatic and paintDynamic). The first is kept
// in a bitmap of its own and drawn again only when what it would draw differs (a new
// size, options, colours, frame colours or font measures); on a tick the composed
// picture is the kept layer copied plus what the sample changed. When nothing changed
// at all, nothing is drawn or copied.
#include "common/win/gdi.h"
#include "meter/gdi_canvas.h"
#include "meter/meter.h"
#include "meter/paint_record.h"

#include <memory>

class MeterSurface {
public:
    MeterSurface();
    ~MeterSurface();
    MeterSurface(const MeterSurface&) = delete;
    MeterSurface& operator=(const MeterSurface&) = delete;

    // Brings the picture up to date with the meter at its client size; false when it
    // already showed this (or the meter has no size).
    bool update(const Meter& meter);
    // Copies the area of the picture to the same place on `target`.
    void copyTo(HDC target, const RECT& area) const;

private:
    class Layer;
    void resize(Size size);

    Size size_;
    std::unique_ptr<Layer> static_;
    std::unique_ptr<Layer> composed_;
    PaintRecord staticRecord_;
    PaintRecord dynamicRecord_;
    bool composedValid_ = false;
};
