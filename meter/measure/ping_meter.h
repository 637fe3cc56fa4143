#pragma once
// The ping meter: one row per host with its round trip, or a cross for a host that did
// not answer.
#include "meter/measure/ping_counter.h"
#include "meter/meter.h"

#include <cstdint>
#include <memory>
#include <string>

// "%lums" for an answer, "x  " (an x and two blanks) for none.
std::string pingResultText(std::int32_t roundTrip);

class PingMeter : public Meter {
public:
    // The meter owns its counter.
    PingMeter(const AppSettings& settings, std::unique_ptr<PingCounter> counter);

    PingOptions& pingOptions() { return static_cast<PingOptions&>(options()); }
    const PingOptions& pingOptions() const { return static_cast<const PingOptions&>(options()); }
    const PingCounter& pingCounter() const { return *ping_; }

    bool hasGraphOptions() const override { return false; }
    // Hands the time-out and host list of the options to the counter.
    void prepareCounters() override;
    // The rows follow the counter; there is no history to keep.
    void sample() override;
    // Remembers the height of the meter font's line.
    void fitTextFormat(const TextMeasurer& measurer) override;
    // A row per host and the frame around them.
    int height() const override;
    void paint(Canvas& canvas, bool tickRedraw) override;
    // The host names on the background stay between samples; the figures change.
    void paintStatic(Canvas& canvas) const override;
    void paintDynamic(Canvas& canvas) const override;

private:
    struct Rows {
        Rect inner;
        int figuresRight = 0;
        int textHeight = 0;
    };
    Rows rows(const TextMeasurer& measurer) const;
    void drawHosts(Canvas& canvas) const;
    void drawResults(Canvas& canvas) const;

    PingCounter* ping_;
    int lineHeight_ = 13;
};
