#pragma once
// The fourteen meters of the main window, one of each kind, with their display order.
// The set owns the meters; the window owns the set.
#include "meter/measure/ping_network.h"
#include "meter/measure/process_list_counter.h"
#include "meter/meter.h"
#include "meter/meter_order.h"
#include "meter/volumes/drive_meter.h"
#include "meter/volumes/resources_meter.h"

#include <array>
#include <memory>
#include <vector>

struct MeterSetServices {
    VolumeSystem& volumes;
    AlertActions& alerts;
    TrayNotifier& tray;
    FreeResourcesQuery& resources;
    PingNetwork& ping;
    PerfDataReader& perfData;
    ProcessTimes& processTimes;
    NarrowName narrowProcessName; // instance names into the ANSI code page
};

class MeterSet {
public:
    MeterSet(const AppSettings& settings, PlatformFamily family, MeterSetServices services);

    Meter& byKind(MeterKind kind) { return *meters_[static_cast<std::size_t>(kind)]; }
    Meter& atPosition(int position) { return byKind(order_.kindAt(position)); }
    DriveMeter& drive() { return *drive_; }
    MeterOrder& order() { return order_; }
    const MeterOrder& order() const { return order_; }
    PlatformFamily family() const { return family_; }

    // The meters in display order; refreshed whenever the order changes.
    const std::vector<Meter*>& inDisplayOrder();
    MeterOptionsTable optionsTable() const;

    bool moveKind(MeterKind kind, int newPosition);

private:
    PlatformFamily family_;
    std::array<std::unique_ptr<Meter>, kMeterKindCount> meters_;
    DriveMeter* drive_ = nullptr;
    MeterOrder order_;
    std::vector<Meter*> displayOrder_;
};
