#pragma once
// How long the system has been running, as one line of text.
#include "meter/measure/meter_counter.h"
#include "meter/volumes/text_line_meter.h"

#include <cstdint>
#include <functional>
#include <string>

// "Uptime: h:mm:ss", with "1 day, " or "n days, " before the hours once there are days.
std::string uptimeText(std::uint32_t seconds);

class UptimeMeter : public TextLineMeter {
public:
    explicit UptimeMeter(const AppSettings& settings);

    // The text follows the counter; there is no history to keep.
    void sample() override;
    std::string meterText() const override;
};

// Uptime from the system's 32-bit millisecond tick, for systems without an uptime
// performance counter; the figure starts again after about 49.7 days.
class TickUptimeCounter : public MeterCounter {
public:
    explicit TickUptimeCounter(std::function<std::uint32_t()> tickCount);

    bool IsLocal() const override { return true; }
    bool Start() override { return true; }
    void Sample() override;
    void Stop() override {}

private:
    std::function<std::uint32_t()> tickCount_;
};
