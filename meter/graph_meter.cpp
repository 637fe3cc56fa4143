#include "meter/graph_meter.h"

#include "common/numtext/numtext.h"
#include "meter/measure/pdh_counter.h"
#include "meter/render.h"

#include <algorithm>
#include <cstdio>

namespace {

// The candidate tables are fixed texts of this file, never user input.
template <typename... Args> std::string formatText(const char* format, Args... args)
{
    char buffer[256];
    const int n = std::snprintf(buffer, sizeof buffer, format, args...);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(n));
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// One source of defaults: the options table of the kinds.
template <typename T> std::unique_ptr<T> defaultOptions(MeterKind kind)
{
    return std::unique_ptr<T>(
        static_cast<T*>(makeMeterOptions(kind, PlatformFamily::NT).release()));
}

} // namespace

GraphMeter::GraphMeter(MeterKind kind, std::unique_ptr<GraphOptions> options,
                       const AppSettings& settings)
    : Meter(kind, std::move(options), settings)
{
}

std::uint32_t GraphMeter::scaleMaximum(std::uint32_t) const
{
    if (graphOptions().autoScale())
        return std::max(minimumScale(), largestInHistory());
    return highest();
}

TextFormatList GraphMeter::formatList() const
{
    return {{"%s"}, 0};
}

std::string GraphMeter::sampleText(const char* format) const
{
    return formatText(format, "888,888");
}

std::string GraphMeter::textFormat() const
{
    if (!textFormat_.empty())
        return textFormat_;
    return formatPrefix() + formatList().formats.back();
}

std::string GraphMeter::meterText() const
{
    return formatText(textFormat().c_str(), formatThousands(current(), true).c_str());
}

void GraphMeter::fitTextFormat(const TextMeasurer& measurer)
{
    const TextFormatList list = formatList();
    if (list.formats.empty())
        return;
    const std::size_t first = settings().flag(Booleans::kLeaveOutAverage)
                                  ? std::min(list.firstWithoutAverage, list.formats.size() - 1)
                                  : 0;
    const int available = graphRect(true).width();

    const char* chosen = list.formats.back();
    for (std::size_t i = first; i < list.formats.size(); ++i) {
        if (measurer.measureText(sampleText(list.formats[i])).cx < available) {
            chosen = list.formats[i];
            break;
        }
    }
    textFormat_ = formatPrefix() + chosen;
}

void GraphMeter::paint(Canvas& canvas, bool tickRedraw)
{
    paintGraphMeter(canvas, *this, tickRedraw);
}

void GraphMeter::paintStatic(Canvas& canvas) const
{
    paintGraphMeterStatic(canvas, *this);
}

void GraphMeter::paintDynamic(Canvas& canvas) const
{
    paintGraphMeterDynamic(canvas, *this);
}

void PercentGraphMeter::sample()
{
    const std::int32_t value = counter() != nullptr ? counter()->value() : 0;
    addSample(static_cast<std::uint32_t>(value), 100);
}

std::uint32_t PercentGraphMeter::scaleMaximum(std::uint32_t) const
{
    return 100;
}

TextFormatList PercentGraphMeter::formatList() const
{
    return {{": %d%% (average %d%%)", ": %d%% (avg. %d%%)", ": %d%% (%d%%)", ": %d%%"}, 3};
}

std::string PercentGraphMeter::sampleText(const char* format) const
{
    return formatText(format, 100, 100);
}

std::string PercentGraphMeter::meterText() const
{
    return formatText(textFormat().c_str(), static_cast<int>(current()),
                      static_cast<int>(average()));
}

CpuMeter::CpuMeter(const AppSettings& settings)
    : PercentGraphMeter(MeterKind::Cpu, defaultOptions<GraphOptions>(MeterKind::Cpu), settings)
{
}

Cpu1Meter::Cpu1Meter(const AppSettings& settings)
    : PercentGraphMeter(MeterKind::Cpu1, defaultOptions<GraphOptions>(MeterKind::Cpu1), settings)
{
}

Cpu2Meter::Cpu2Meter(const AppSettings& settings)
    : PercentGraphMeter(MeterKind::Cpu2, defaultOptions<GraphOptions>(MeterKind::Cpu2), settings)
{
}

void MemoryGraphMeter::sample()
{
    const MemoryReading reading = memoryReading(counter(), resource());
    addSample(reading.usedKB, reading.totalKB);
}

std::uint32_t MemoryGraphMeter::scaleMaximum(std::uint32_t ceiling) const
{
    if (graphOptions().autoScale())
        return std::max(minimumScale(), largestInHistory());
    return ceiling;
}

std::uint32_t MemoryGraphMeter::percentOfScale() const
{
    if (scale() == 0)
        return 0;
    // In 64 bits: a current value above about 4 GB times 1000 overflows 32.
    const std::uint64_t permille = static_cast<std::uint64_t>(current()) * 1000 / scale();
    return static_cast<std::uint32_t>((permille + 5) / 10);
}

std::string MemoryGraphMeter::meterText() const
{
    return formatText(textFormat().c_str(), formatThousands(current(), true).c_str(),
                      formatKBtoUnit(true, current()).c_str(), static_cast<int>(percentOfScale()));
}

std::string MemoryGraphMeter::sampleText(const char* format) const
{
    return formatText(format, "888,888", "888.8", 88);
}

PageFileGraphMeter::PageFileGraphMeter(const AppSettings& settings)
    : MemoryGraphMeter(MeterKind::PageFileGraph,
                       defaultOptions<GraphOptions>(MeterKind::PageFileGraph), settings)
{
}

TextFormatList PageFileGraphMeter::formatList() const
{
    return {{"Page File: %sKB / %sMB (%d%%)", "Pg. File: %sKB / %sMB (%d%%)",
             "Page File: %sKB / %sMB", "Pg. File: %sKB / %sMB", "Page File: %sKB", "Pg. File: %sKB",
             "P.File: %sKB"},
            2};
}

PhysMemGraphMeter::PhysMemGraphMeter(const AppSettings& settings)
    : MemoryGraphMeter(MeterKind::PhysMemGraph,
                       defaultOptions<GraphOptions>(MeterKind::PhysMemGraph), settings)
{
}

TextFormatList PhysMemGraphMeter::formatList() const
{
    return {{"Physical Memory: %sKB / %sMB (%d%%)", "Physical Mem: %sKB / %sMB (%d%%)",
             "Phys.Mem: %sKB / %sMB (%d%%)", "Physical Memory: %sKB / %sMB",
             "Physical Mem: %sKB / %sMB", "Phys.Mem: %sKB / %sMB", "Physical Memory: %sKB",
             "Physical Mem: %sKB", "Phys.Mem: %sKB", "P.Mem: %sKB"},
            3};
}

void ThroughputGraphMeter::sample()
{
    const std::int32_t value = counter() != nullptr ? counter()->value() : 0;
    addSample(static_cast<std::uint32_t>(value), 0);
}

std::string ThroughputGraphMeter::meterText() const
{
    std::uint32_t now = current();
    std::uint32_t avg = average();
    char unit = 'B';
    if (showBits()) {
        now <<= 3;
        avg <<= 3;
        unit = 'b';
    }
    return formatText(textFormat().c_str(), formatKilo(now, now < 1024000).c_str(), unit,
                      formatKilo(avg, avg < 1024000).c_str(), unit);
}

std::string ThroughputGraphMeter::sampleText(const char* format) const
{
    return formatText(format, "18,888", 'B', "8,888", 'B');
}

NetworkGraphMeter::NetworkGraphMeter(const AppSettings& settings)
    : ThroughputGraphMeter(MeterKind::NetGraph, defaultOptions<NetworkOptions>(MeterKind::NetGraph),
                           settings)
{
}

std::uint32_t NetworkGraphMeter::minimumScale() const
{
    const std::uint32_t maximum = networkOptions().maximumValue();
    return maximum != 0 ? maximum : 1024;
}

void NetworkGraphMeter::prepareCounters()
{
    if (auto* network = dynamic_cast<NetworkPdhCounter*>(counter()))
        network->setInterfaceIndex(networkOptions().interfaceIndex());
}

TextFormatList NetworkGraphMeter::formatList() const
{
    return {{"Network: %sK%c/sec (average %sK%c/sec)", "Network: %sK%c/sec (%sK%c/sec)",
             "Net: %sK%c/sec (%sK%c/sec)", "N: %sK%c/sec (%sK%c/sec)", "N: %sK%c/s (%sK%c/s)",
             "Network: %sK%c/sec", "Net: %sK%c/sec", "Net: %sK%c/s", "N: %sK%c/s"},
            5};
}

DiskGraphMeter::DiskGraphMeter(const AppSettings& settings)
    : ThroughputGraphMeter(MeterKind::DiskGraph, defaultOptions<DiskOptions>(MeterKind::DiskGraph),
                           settings)
{
}

TextFormatList DiskGraphMeter::formatList() const
{
    return {{"Disk: %sK%c/sec (average %sK%c/sec)", "Disk: %sK%c/sec (%sK%c/sec)",
             "Disk: %sK%c/s (%sK%c/s)", "D: %sK%c/s (%sK%c/s)", "Disk: %sK%c/sec", "Disk: %sK%c/s",
             "D: %sK%c/sec", "D: %sK%c/s"},
            4};
}
