#include "meter/meter_options.h"

#include <algorithm>
#include <cstring>

MeterOptions::MeterOptions(MeterKind kind, bool active)
    : MeterOptions(kind, kMeterOptionsHeadSize, active, false)
{
}

MeterOptions::MeterOptions(MeterKind kind, std::size_t size, bool active, bool trayIcon)
    : bytes_(size, 0)
{
    setU16(0, kMeterOptionsVersion);
    setI32(4, static_cast<int>(kind));
    setActive(active);
    setTrayIcon(trayIcon);
    setTimer(1);
}

std::unique_ptr<MeterOptions> MeterOptions::clone() const
{
    return std::make_unique<MeterOptions>(*this);
}

void MeterOptions::copyFrom(const MeterOptions& other)
{
    if (other.bytes_.size() == bytes_.size())
        bytes_ = other.bytes_;
}

bool MeterOptions::acceptStored(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr || size != bytes_.size() || size < kMeterOptionsHeadSize)
        return false;
    const std::uint16_t storedVersion = static_cast<std::uint16_t>(data[0] | data[1] << 8);
    const std::uint32_t storedKind = static_cast<std::uint32_t>(data[4]) | data[5] << 8 |
                                     data[6] << 16 | static_cast<std::uint32_t>(data[7]) << 24;
    if (storedVersion != kMeterOptionsVersion || storedKind != u32(4))
        return false;
    std::memcpy(bytes_.data(), data, size);
    return true;
}

std::string MeterOptions::otherText() const
{
    return trayIcon() ? "tray icon" : "";
}

std::uint16_t MeterOptions::u16(std::size_t at) const
{
    return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
}

void MeterOptions::setU16(std::size_t at, std::uint16_t v)
{
    bytes_[at] = static_cast<std::uint8_t>(v);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t MeterOptions::u32(std::size_t at) const
{
    return static_cast<std::uint32_t>(bytes_[at]) |
           static_cast<std::uint32_t>(bytes_[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes_[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes_[at + 3]) << 24;
}

void MeterOptions::setU32(std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

GraphOptions::GraphOptions(MeterKind kind, bool active, bool trayIcon, bool autoScale)
    : GraphOptions(kind, 20, active, trayIcon, autoScale)
{
}

GraphOptions::GraphOptions(MeterKind kind, std::size_t size, bool active, bool trayIcon,
                           bool autoScale)
    : MeterOptions(kind, size, active, trayIcon)
{
    setDrawAverage(true);
    setAutoScale(autoScale);
    setHeight(70);
    setLineGraph(false);
}

std::unique_ptr<MeterOptions> GraphOptions::clone() const
{
    return std::make_unique<GraphOptions>(*this);
}

NetworkOptions::NetworkOptions(bool active)
    : GraphOptions(MeterKind::NetGraph, 32, active, false, true)
{
    setInterfaceIndex(-1);
}

std::unique_ptr<MeterOptions> NetworkOptions::clone() const
{
    return std::make_unique<NetworkOptions>(*this);
}

DiskOptions::DiskOptions(bool active) : GraphOptions(MeterKind::DiskGraph, 24, active, false, true)
{
}

std::unique_ptr<MeterOptions> DiskOptions::clone() const
{
    return std::make_unique<DiskOptions>(*this);
}

MemoryInfoOptions::MemoryInfoOptions(MeterKind kind, bool active)
    : MeterOptions(kind, 20, active, false)
{
    setShowKB(true);
    setShowMB(true);
    setShowPercent(true);
}

std::unique_ptr<MeterOptions> MemoryInfoOptions::clone() const
{
    return std::make_unique<MemoryInfoOptions>(*this);
}

std::string MemoryInfoOptions::otherText() const
{
    std::string units;
    const auto add = [&units](bool on, const char* unit) {
        if (!on)
            return;
        if (!units.empty())
            units += ", ";
        units += unit;
    };
    add(showMB(), "MB");
    add(showKB(), "KB");
    add(showPercent(), "%");

    std::string text = MeterOptions::otherText();
    if (!units.empty())
        text += (text.empty() ? "" : ", ") + units;
    return text;
}

ProcessOptions::ProcessOptions(bool active) : MeterOptions(MeterKind::Process, 28, active, false)
{
    setMaxProcesses(4);
}

std::unique_ptr<MeterOptions> ProcessOptions::clone() const
{
    return std::make_unique<ProcessOptions>(*this);
}

DriveOptions::DriveOptions(bool active) : MeterOptions(MeterKind::Drive, 20, active, false)
{
    setLogInterval(3);
}

std::unique_ptr<MeterOptions> DriveOptions::clone() const
{
    return std::make_unique<DriveOptions>(*this);
}

ResourcesOptions::ResourcesOptions(bool active)
    : MeterOptions(MeterKind::Resources, 20, active, false)
{
    setShowFree(true);
}

std::unique_ptr<MeterOptions> ResourcesOptions::clone() const
{
    return std::make_unique<ResourcesOptions>(*this);
}

PingOptions::PingOptions(bool active) : MeterOptions(MeterKind::Ping, 1620, active, false)
{
    setTimeout(750);
    setHost(0, "127.0.0.1");
}

std::unique_ptr<MeterOptions> PingOptions::clone() const
{
    return std::make_unique<PingOptions>(*this);
}

std::string PingOptions::host(int slot) const
{
    if (slot < 0 || slot >= kHostSlots)
        return {};
    const std::size_t at = 20 + static_cast<std::size_t>(slot) * kHostSlotSize;
    const auto begin = bytes().begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = begin + static_cast<std::ptrdiff_t>(kHostSlotSize);
    return std::string(begin, std::find(begin, end, std::uint8_t{0}));
}

void PingOptions::setHost(int slot, const std::string& name)
{
    if (slot < 0 || slot >= kHostSlots)
        return;
    const std::size_t at = 20 + static_cast<std::size_t>(slot) * kHostSlotSize;
    const std::size_t n = std::min(name.size(), kHostSlotSize - 1);
    for (std::size_t i = 0; i < kHostSlotSize; ++i)
        setU8(at + i, i < n ? static_cast<std::uint8_t>(name[i]) : 0);
}

std::vector<std::string> PingOptions::hostList() const
{
    std::vector<std::string> hosts;
    for (int slot = 0; slot < kHostSlots; ++slot) {
        std::string name = host(slot);
        if (name.empty())
            break;
        hosts.push_back(std::move(name));
    }
    return hosts;
}

std::unique_ptr<MeterOptions> makeMeterOptions(MeterKind kind, PlatformFamily family)
{
    if (isPlaceholderKind(kind, family))
        return std::make_unique<MeterOptions>(kind, false);

    const bool active = meterKindInfo(kind).defaultActive;
    switch (kind) {
    case MeterKind::Cpu:
    case MeterKind::Cpu1:
    case MeterKind::Cpu2:
        // The processor graphs start with their tray icon; no graph of the built-in
        // set starts auto-scaled.
        return std::make_unique<GraphOptions>(kind, active, true, false);
    case MeterKind::PageFileGraph:
    case MeterKind::PhysMemGraph:
        return std::make_unique<GraphOptions>(kind, active, false, false);
    case MeterKind::NetGraph:
        return std::make_unique<NetworkOptions>(active);
    case MeterKind::DiskGraph:
        return std::make_unique<DiskOptions>(active);
    case MeterKind::PageFile:
    case MeterKind::PhysMem:
        return std::make_unique<MemoryInfoOptions>(kind, active);
    case MeterKind::Process:
        return std::make_unique<ProcessOptions>(active);
    case MeterKind::Drive:
        return std::make_unique<DriveOptions>(active);
    case MeterKind::Resources:
        return std::make_unique<ResourcesOptions>(active);
    case MeterKind::Ping:
        return std::make_unique<PingOptions>(active);
    case MeterKind::Uptime:
        break;
    }
    return std::make_unique<MeterOptions>(kind, active);
}
