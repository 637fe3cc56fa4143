#pragma once
// The meters that have something to sample under Wine: every processor, memory,
// network and disk meter and the uptime. All of them go on usage timer 1, the worst
// case for one tick.
#include "meter/meter_set.h"

#include <array>

inline constexpr std::array<MeterKind, 10> kFeedableKinds{
    MeterKind::Cpu,           MeterKind::Cpu1,    MeterKind::Cpu2,         MeterKind::PageFile,
    MeterKind::PageFileGraph, MeterKind::PhysMem, MeterKind::PhysMemGraph, MeterKind::NetGraph,
    MeterKind::DiskGraph,     MeterKind::Uptime,
};

inline void activateFeedableMeters(MeterSet& meters)
{
    for (MeterKind kind : kFeedableKinds) {
        Meter& meter = meters.byKind(kind);
        meter.options().setActive(true);
        meter.options().setTimer(1);
    }
}
