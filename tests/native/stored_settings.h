#pragma once
// What the settings tests and the settings fuzz targets share: a window's worth of meter
// records for the store to load into and save from, and the names of every value the
// loader reads.
#include "meter/settings_store.h"

#include <memory>
#include <string>
#include <vector>

// The placement, the meter order and one default record per kind, viewed together as
// the store takes them.
struct StoredWindow {
    WindowPlacement placement;
    MeterOrder order = MeterOrder::defaultOrder();
    std::vector<std::unique_ptr<MeterOptions>> owned;
    WindowAndMeters view{};

    explicit StoredWindow(PlatformFamily family)
    {
        view.placement = &placement;
        view.order = &order;
        view.family = family;
        for (int k = 0; k < kMeterKindCount; ++k) {
            owned.push_back(makeMeterOptions(static_cast<MeterKind>(k), family));
            view.options[static_cast<std::size_t>(k)] = owned.back().get();
        }
    }
};

// Every value name the settings' loader reads, with the numbered volume values of the
// first `volumes` volumes.
inline std::vector<std::string> settingsValueNames(int volumes)
{
    std::vector<std::string> names = {"X",
                                      "Y",
                                      "CX",
                                      "CY",
                                      "Meter Order",
                                      "Booleans",
                                      "Remote Computer",
                                      "Log Files Folder",
                                      "Log File Buffer",
                                      "Timer Times",
                                      "Drive Update Time",
                                      "UsageMeterUpdateTime",
                                      "Column Order",
                                      "Column Positions",
                                      "Num Drives Displayed",
                                      "Volume Warning Sound",
                                      "Colors",
                                      "Volume Count",
                                      "Bar Graph Limits",
                                      "Volume Alert Exe",
                                      "Volume Alert Options",
                                      "Hot Key",
                                      "Text Align"};
    for (int i = 0; i < kMeterKindCount; ++i)
        names.push_back("Meter Options " + std::to_string(i));
    for (int i = 0; i < volumes; ++i)
        for (const char* stem : {"Volume ", "User Name ", "Volume Warning ", "Volume In ToolTip "})
            names.push_back(stem + std::to_string(i));
    return names;
}
