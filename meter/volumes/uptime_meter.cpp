#include "meter/volumes/uptime_meter.h"

#include <cstdio>
#include <utility>

std::string uptimeText(std::uint32_t seconds)
{
    const unsigned days = seconds / 86400;
    const unsigned hours = seconds / 3600 % 24;
    const unsigned minutes = seconds / 60 % 60;
    const unsigned secs = seconds % 60;
    char text[64];
    if (days == 0)
        std::snprintf(text, sizeof text, "Uptime: %u:%02u:%02u", hours, minutes, secs);
    else if (days == 1)
        std::snprintf(text, sizeof text, "Uptime: 1 day, %u:%02u:%02u", hours, minutes, secs);
    else
        std::snprintf(text, sizeof text, "Uptime: %u days, %u:%02u:%02u", days, hours, minutes,
                      secs);
    return text;
}

UptimeMeter::UptimeMeter(const AppSettings& settings)
    : TextLineMeter(MeterKind::Uptime,
                    std::make_unique<MeterOptions>(MeterKind::Uptime,
                                                   meterKindInfo(MeterKind::Uptime).defaultActive),
                    settings)
{
}

void UptimeMeter::sample()
{
    if (!options().collapsed() && view() != nullptr)
        view()->redrawNow();
}

std::string UptimeMeter::meterText() const
{
    const std::int32_t value = counter() != nullptr ? counter()->value() : 0;
    return uptimeText(static_cast<std::uint32_t>(value));
}

TickUptimeCounter::TickUptimeCounter(std::function<std::uint32_t()> tickCount)
    : tickCount_(std::move(tickCount))
{
}

void TickUptimeCounter::Sample()
{
    setValue(static_cast<std::int32_t>(tickCount_() / 1000));
}
