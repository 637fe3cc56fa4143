#include "meter/meter_kind.h"

namespace {

using K = MeterKind;

// clang-format off
constexpr std::array<MeterKindInfo, kMeterKindCount> kTable{{
    {K::Cpu,           "CPU",        "CPU Graph",           "CPU",             "CpuMeter",           168, "CPU",        true,   2, false, false, 20},
    {K::PageFile,      "Page File",  "Page File",           "Page File",       "PageFileMeter",      200, "Page File",  true,   5, false, false, 20},
    {K::PageFileGraph, "Page File",  "Page File Graph",     "MemGraph",        "PageFileGraphMeter", 200, "Page File",  true,   6, false, false, 20},
    {K::NetGraph,      "Net Graph",  "Network Graph",       "NetworkGraph",    "NetworkGraphMeter",  215, "Network",    false,  9, false, false, 32},
    {K::DiskGraph,     "Disk",       "Disk Graph",          "DiskGraph",       "DiskGraphMeter",     230, "Disk",       false, 10, false, false, 24},
    {K::Drive,         "Drive Space","Drive Space",         "DriveMeter",      "DriveMeter",           0, "Drive Space",true,   1, false, false, 20},
    {K::PhysMemGraph,  "Phys. Mem.", "Physical Mem. Graph", "PhyMemGraph",     "PhysMemGraphMeter",  185, "Phys. Mem.", true,   8, false, false, 20},
    {K::PhysMem,       "Phys. Mem.", "Physical Memory",     "Physical Memory", "PhysMemMeter",       185, "Phys. Mem.", true,   7, false, false, 20},
    {K::Cpu1,          "CPU 1",      "CPU 1 Graph",         "CPU 1",           "Cpu1Meter",          168, "CPU 1",      false,  3, true,  false, 20},
    {K::Cpu2,          "CPU 2",      "CPU 2 Graph",         "CPU 2",           "Cpu2Meter",          168, "CPU 2",      false,  4, true,  false, 20},
    {K::Process,       "Processes",  "Processes",           "ProcessMeter",    "ProcessMeter",         0, "Processes",  false, 11, true,  false, 28},
    {K::Uptime,        "Uptime",     "Uptime",              "Uptime",          "UptimeMeter",          0, "Uptime",     true,   0, false, false, 16},
    {K::Ping,          "Ping",       "Ping",                "PingMeter",       "PingMeter",            0, "Ping",       false, 12, false, false, 1620},
    {K::Resources,     "Resources",  "Resources",           "Resources",       "ResourcesMeter",     245, "Resources",  true,  13, false, true,  20},
}};
// clang-format on

} // namespace

const std::array<MeterKindInfo, kMeterKindCount>& meterKindTable()
{
    return kTable;
}

const MeterKindInfo& meterKindInfo(MeterKind kind)
{
    return kTable[static_cast<std::size_t>(kind)];
}

bool isValidMeterKind(int value)
{
    return value >= 0 && value < kMeterKindCount;
}

bool isPlaceholderKind(MeterKind kind, PlatformFamily family)
{
    const MeterKindInfo& info = meterKindInfo(kind);
    return family == PlatformFamily::NT ? info.win9xOnly : info.ntOnly;
}
