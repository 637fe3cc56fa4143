#pragma once
// The fourteen meter kinds and their fixed facts. A kind is stored in every options
// record, carried by the move messages, one less than its tray icon identifier and
// the unit of the stored meter order, so its numbers never change.
#include <array>
#include <cstddef>

enum class MeterKind : int {
    Cpu = 0,
    PageFile = 1,
    PageFileGraph = 2,
    NetGraph = 3,
    DiskGraph = 4,
    Drive = 5,
    PhysMemGraph = 6,
    PhysMem = 7,
    Cpu1 = 8,
    Cpu2 = 9,
    Process = 10,
    Uptime = 11,
    Ping = 12,
    Resources = 13,
};

constexpr int kMeterKindCount = 14;

enum class PlatformFamily { Win9x, NT };

struct MeterKindInfo {
    MeterKind kind;
    const char* shortName;
    const char* longName;
    const char* windowName; // window name given at creation
    const char* className;  // the meter class that serves the kind
    int trayIconBase;       // first of 15 level icons; 0 when the kind has none
    const char* trayName;
    bool defaultActive;
    int defaultPosition;
    bool ntOnly;    // a placeholder on the Windows 9x family
    bool win9xOnly; // a placeholder on the NT family
    std::size_t recordSize;
};

const MeterKindInfo& meterKindInfo(MeterKind kind);

// Every kind in kind order, for walks over the table.
const std::array<MeterKindInfo, kMeterKindCount>& meterKindTable();

bool isValidMeterKind(int value);

// Whether the platform cannot supply the kind, so a placeholder stands in for it.
bool isPlaceholderKind(MeterKind kind, PlatformFamily family);

// The display name of a placeholder meter.
inline constexpr const char* kPlaceholderName = "Dummy";
