#pragma once
// A preferences sheet over fresh settings with two volumes, every meter's options and
// a sink that records what the sheet hands over.
#include "meter/prefs/config_sheet.h"
#include "sheet_driver.h"

#include <memory>
#include <vector>

namespace sheet_test {

// Page indexes with the "Remote Computer" page present.
constexpr int kOptionsPage = 0;
constexpr int kDisplayPage = 1;
constexpr int kVolumesPage = 2;
constexpr int kMetersPage = 3;
constexpr int kMeterOptionsPage = 4;
constexpr int kTimesPage = 5;
constexpr int kLogsPage = 6;
constexpr int kComputerPage = 7;
constexpr int kRenewoPage = 8;
constexpr int kAboutPage = 9;

struct RecordingSink : PreferencesSink {
    void applyPreferences(const AppSettings& settings, const OptionsList& options) override
    {
        applied.push_back(settings);
        diskActive.push_back(options[static_cast<std::size_t>(MeterKind::DiskGraph)]->active());
        cpuLineGraph.push_back(
            static_cast<const GraphOptions&>(*options[static_cast<std::size_t>(MeterKind::Cpu)])
                .lineGraph());
    }
    std::vector<AppSettings> applied;
    std::vector<bool> diskActive;
    std::vector<bool> cpuLineGraph;
};

struct Rig {
    Rig()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        settings.resetDefaults("C:\\Brellix\\");
        settings.volumes = {{"C:\\", "System", 0xFFFFFFFFu, false}, {"D:\\", "Data", 2048, true}};
        settings.numDrivesDisplayed = 2;
        for (int k = 0; k < kMeterKindCount; ++k) {
            owned.push_back(makeMeterOptions(static_cast<MeterKind>(k), PlatformFamily::NT));
            table[static_cast<std::size_t>(k)] = owned.back().get();
        }
        facts.meters = {{MeterKind::Cpu, "CPU", true},
                        {MeterKind::NetGraph, "Network", true},
                        {MeterKind::DiskGraph, "Disk", true}};
    }

    // Runs the sheet on `firstPage` while `script` drives it.
    void run(int firstPage, const std::function<void(HWND)>& script)
    {
        CConfigSheet sheet(settings, table, facts, sink);
        Driver driver(kPreferencesCaption, script);
        sheet.run(nullptr, firstPage);
        missed = driver.missed();
    }

    AppSettings settings;
    std::vector<std::unique_ptr<MeterOptions>> owned;
    MeterOptionsTable table{};
    SheetFacts facts;
    RecordingSink sink;
    bool missed = false;
};

} // namespace sheet_test
