#include "meter/meter_set.h"

#include "meter/graph_meter.h"
#include "meter/measure/memory_info_meter.h"
#include "meter/measure/ping_meter.h"
#include "meter/measure/process_meter.h"
#include "meter/volumes/uptime_meter.h"

namespace {

std::unique_ptr<Meter> makeMeter(MeterKind kind, PlatformFamily family, const AppSettings& settings,
                                 MeterSetServices& services)
{
    if (isPlaceholderKind(kind, family))
        return std::make_unique<PlaceholderMeter>(kind, settings);
    switch (kind) {
    case MeterKind::Cpu:
        return std::make_unique<CpuMeter>(settings);
    case MeterKind::PageFile:
        return std::make_unique<PageFileMeter>(settings);
    case MeterKind::PageFileGraph:
        return std::make_unique<PageFileGraphMeter>(settings);
    case MeterKind::NetGraph:
        return std::make_unique<NetworkGraphMeter>(settings);
    case MeterKind::DiskGraph:
        return std::make_unique<DiskGraphMeter>(settings);
    case MeterKind::Drive:
        return std::make_unique<DriveMeter>(settings, services.volumes, services.alerts,
                                            services.tray);
    case MeterKind::PhysMemGraph:
        return std::make_unique<PhysMemGraphMeter>(settings);
    case MeterKind::PhysMem:
        return std::make_unique<PhysMemMeter>(settings);
    case MeterKind::Cpu1:
        return std::make_unique<Cpu1Meter>(settings);
    case MeterKind::Cpu2:
        return std::make_unique<Cpu2Meter>(settings);
    case MeterKind::Uptime:
        return std::make_unique<UptimeMeter>(settings);
    case MeterKind::Resources:
        return std::make_unique<ResourcesMeter>(
            settings, std::make_unique<ResourcesCounter>(services.resources));
    case MeterKind::Ping:
        return std::make_unique<PingMeter>(settings, std::make_unique<PingCounter>(services.ping));
    case MeterKind::Process:
        return std::make_unique<ProcessMeter>(
            settings, std::make_unique<ProcessListCounter>(services.perfData, services.processTimes,
                                                           services.narrowProcessName));
    }
    return std::make_unique<PlaceholderMeter>(kind, settings);
}

} // namespace

MeterSet::MeterSet(const AppSettings& settings, PlatformFamily family, MeterSetServices services)
    : family_(family), order_(MeterOrder::defaultOrder())
{
    for (int k = 0; k < kMeterKindCount; ++k)
        meters_[static_cast<std::size_t>(k)] =
            makeMeter(static_cast<MeterKind>(k), family, settings, services);
    drive_ = static_cast<DriveMeter*>(meters_[static_cast<std::size_t>(MeterKind::Drive)].get());
}

const std::vector<Meter*>& MeterSet::inDisplayOrder()
{
    displayOrder_.clear();
    for (int p = 0; p < kMeterKindCount; ++p)
        displayOrder_.push_back(&atPosition(p));
    return displayOrder_;
}

MeterOptionsTable MeterSet::optionsTable() const
{
    MeterOptionsTable table{};
    for (int k = 0; k < kMeterKindCount; ++k)
        table[static_cast<std::size_t>(k)] = &meters_[static_cast<std::size_t>(k)]->options();
    return table;
}

bool MeterSet::moveKind(MeterKind kind, int newPosition)
{
    return order_.moveKind(kind, newPosition);
}
