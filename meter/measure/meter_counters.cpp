#include "meter/measure/meter_counters.h"

#include "meter/measure/counter_paths.h"
#include "meter/measure/pdh_counter.h"
#include "meter/measure/perf_stats.h"

namespace {

std::unique_ptr<MeterCounter> ntCounter(MeterKind kind)
{
    switch (kind) {
    case MeterKind::Cpu:
        return std::make_unique<PdhCounter>(PdhCounterKind::Cpu);
    case MeterKind::Cpu1:
        return std::make_unique<PdhCounter>(PdhCounterKind::Cpu1);
    case MeterKind::Cpu2:
        return std::make_unique<PdhCounter>(PdhCounterKind::Cpu2);
    case MeterKind::DiskGraph:
        return std::make_unique<PdhCounter>(PdhCounterKind::Disk);
    case MeterKind::NetGraph:
        return std::make_unique<NetworkPdhCounter>();
    default:
        return nullptr;
    }
}

std::unique_ptr<MeterCounter> statisticsCounter(MeterKind kind, const TickClock& clock)
{
    using namespace CounterPathId;
    switch (kind) {
    case MeterKind::Cpu:
        return std::make_unique<PerfStatsCounter>(std::vector<int>{kCpu9x}, clock);
    case MeterKind::NetGraph:
        return std::make_unique<PerfStatsCounter>(
            std::vector<int>{kNetworkReads9x, kNetworkWrites9x}, clock);
    case MeterKind::DiskGraph:
        return std::make_unique<PerfStatsCounter>(std::vector<int>{kDiskReads9x, kDiskWrites9x},
                                                  clock);
    default:
        return nullptr;
    }
}

} // namespace

std::unique_ptr<MeterCounter> makeMeterCounter(MeterKind kind, const PlatformFacts& facts,
                                               const TickClock& clock)
{
    return facts.isNT ? ntCounter(kind) : statisticsCounter(kind, clock);
}
