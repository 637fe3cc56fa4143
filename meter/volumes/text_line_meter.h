#pragma once
// Shared by the one-line text meters (uptime, resources): their height and how the
// line is drawn.
#include "meter/meter.h"

// The line height fitted in the meter font; before any fitting, a usual GUI font's.
class TextLineMeter : public Meter {
public:
    using Meter::Meter;

    bool hasGraphOptions() const override { return false; }
    // Remembers the height of the meter font's line.
    void fitTextFormat(const TextMeasurer& measurer) override;
    int height() const override { return lineHeight_ + 14; }
    void paint(Canvas& canvas, bool tickRedraw) override;
    void paintStatic(Canvas& canvas) const override;
    void paintDynamic(Canvas& canvas) const override;

    virtual std::string meterText() const = 0;

private:
    Rect innerRect() const;
    void drawBackground(Canvas& canvas) const;
    void drawLine(Canvas& canvas) const;

    int lineHeight_ = 13;
};
