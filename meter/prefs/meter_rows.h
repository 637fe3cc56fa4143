#pragma once
// The "Meters" page's list: one row per meter that is not a placeholder, and the
// notices about the NT 4 performance counters.
#include "meter/app_settings.h"
#include "meter/meter_options.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// "Meter", "Hidden", "Freq.", "Graph", "Avg.", "A.Scale", "Height", "Log", "Other".
const std::vector<std::string>& meterColumnHeaders();

struct MeterRowSource {
    MeterKind kind;
    std::string name;
    bool canLog;
    const MeterOptions* options;
};

struct MeterRow {
    MeterKind kind;
    bool active;
    std::array<std::string, 9> texts;
};

MeterRow meterRow(const MeterRowSource& source, const AppSettings& settings);

// The notice the page shows when the user switches the disk or network meter on under
// NT 4 or earlier, once each per opening of the sheet.
class Nt4Notices {
public:
    Nt4Notices(bool isNT, unsigned majorVersion) : applies_(isNT && majorVersion <= 4) {}
    std::optional<std::string> onSwitchedOn(MeterKind kind);

private:
    bool applies_;
    bool diskShown_ = false;
    bool networkShown_ = false;
};

extern const char* const kDiskCountersNotice;
extern const char* const kNetworkCountersNotice;
