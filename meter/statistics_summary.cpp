#include "meter/statistics_summary.h"

#include "common/numtext/numtext.h"
#include "meter/meter_set.h"

#include <cmath>
#include <cstdio>

namespace {

std::string percentText(long long percent)
{
    char text[24];
    std::snprintf(text, sizeof text, "%lld%%", percent);
    return text;
}

// Megabytes of a kilobyte count; the count saturates rather than wrapping, so a
// machine beyond 4 TB shows too little, never a small number.
std::string megabytesOfBytes(std::uint64_t bytes)
{
    return formatKBtoUnit(true, kilobytesOf(bytes)) + " MB";
}

std::uint64_t usedOf(std::uint64_t total, std::uint64_t available)
{
    return available < total ? total - available : 0;
}

std::string kilobytesPerSecond(std::uint32_t bytesPerSecond)
{
    return formatFixed(bytesPerSecond / 1024.0, 1, true, true) + " KB/sec";
}

MeterPeak peakOf(MeterSet& meters, MeterKind kind)
{
    Meter& meter = meters.byKind(kind);
    if (!meter.options().active())
        return {};
    return {true, meter.highest()};
}

} // namespace

int percentInUse(std::uint64_t total, std::uint64_t available)
{
    if (total == 0)
        return 0;
    // In floating point: available x 100 overflows 64 bits long before any memory does.
    const double share = static_cast<double>(available) * 100.0 / static_cast<double>(total);
    const double rounded = std::floor(share + 0.5);
    return rounded >= 100.0 ? 0 : static_cast<int>(100.0 - rounded);
}

StatisticsPeaks statisticsPeaks(MeterSet& meters)
{
    StatisticsPeaks peaks;
    peaks.pageFileGraph = peakOf(meters, MeterKind::PageFileGraph);
    peaks.pageFile = peakOf(meters, MeterKind::PageFile);
    peaks.network = peakOf(meters, MeterKind::NetGraph);
    peaks.disk = peakOf(meters, MeterKind::DiskGraph);
    return peaks;
}

StatisticsRows statisticsRows(const StatisticsPeaks& peaks)
{
    return {peaks.pageFileGraph.on || peaks.pageFile.on, peaks.network.on, peaks.disk.on};
}

StatisticsTexts statisticsTexts(const MemoryStatusBytes& memory, const StatisticsPeaks& peaks)
{
    StatisticsTexts t;
    t.memoryLoad = percentText(memory.memoryLoad);

    t.physicalTotal = megabytesOfBytes(memory.totalPhysical);
    t.physicalAvailable = megabytesOfBytes(memory.availablePhysical);
    t.physicalUsed = megabytesOfBytes(usedOf(memory.totalPhysical, memory.availablePhysical));
    t.physicalInUse = percentText(percentInUse(memory.totalPhysical, memory.availablePhysical));

    t.pageFileTotal = megabytesOfBytes(memory.totalPageFile);
    t.pageFileAvailable = megabytesOfBytes(memory.availablePageFile);
    t.pageFileUsed = megabytesOfBytes(usedOf(memory.totalPageFile, memory.availablePageFile));
    t.pageFileInUse = percentText(percentInUse(memory.totalPageFile, memory.availablePageFile));

    // The graph's peak when both page-file meters are on: it samples the same figure.
    const MeterPeak& pageFile = peaks.pageFileGraph.on ? peaks.pageFileGraph : peaks.pageFile;
    t.pageFilePeak =
        pageFile.on ? formatKBtoUnit(true, pageFile.highest) + " MB" : std::string(kMeterNotOn);

    t.networkPeak = peaks.network.on ? kilobytesPerSecond(peaks.network.highest) : kMeterNotOn;

    if (peaks.disk.on) {
        t.diskPeakKB = kilobytesPerSecond(peaks.disk.highest);
        t.diskPeakMB = formatKBtoUnit(false, peaks.disk.highest) + " MB/sec";
    } else {
        t.diskPeakKB = kMeterNotOn;
    }
    return t;
}
