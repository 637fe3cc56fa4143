#pragma once
// Per-meter options, kept as the exact bytes of the stored record so that what is
// loaded is saved again byte for byte, padding included. Every field is read and
// written little-endian at its fixed offset.
#include "meter/meter_kind.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr std::uint16_t kMeterOptionsVersion = 2;
constexpr std::size_t kMeterOptionsHeadSize = 16;

class MeterOptions {
public:
    // The bare 16-byte head: uptime meters and placeholders.
    MeterOptions(MeterKind kind, bool active);
    virtual ~MeterOptions() = default;

    virtual std::unique_ptr<MeterOptions> clone() const;
    // Takes over the other holder's record; both must be of the same layout.
    void copyFrom(const MeterOptions& other);
    std::size_t recordSize() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // The rule for a stored record: exact size, version 2 and this holder's kind.
    // Takes the record and returns true, or leaves everything as it was.
    bool acceptStored(const std::uint8_t* data, std::size_t size);

    // Text of the "Other" column of the meter list.
    virtual std::string otherText() const;

    std::uint16_t version() const { return u16(0); }
    int kindValue() const { return i32(4); }
    MeterKind kind() const { return static_cast<MeterKind>(i32(4)); }
    bool active() const { return u8(8) != 0; }
    void setActive(bool on) { setU8(8, on); }
    bool collapsed() const { return u8(9) != 0; }
    void setCollapsed(bool on) { setU8(9, on); }
    bool trayIcon() const { return u8(10) != 0; }
    void setTrayIcon(bool on) { setU8(10, on); }
    bool logToFile() const { return u8(11) != 0; }
    void setLogToFile(bool on) { setU8(11, on); }
    int timer() const { return i32(12); }
    void setTimer(int timer) { setI32(12, timer); }

protected:
    MeterOptions(MeterKind kind, std::size_t size, bool active, bool trayIcon);

    std::uint8_t u8(std::size_t at) const { return bytes_[at]; }
    void setU8(std::size_t at, std::uint8_t v) { bytes_[at] = v; }
    std::uint16_t u16(std::size_t at) const;
    void setU16(std::size_t at, std::uint16_t v);
    std::uint32_t u32(std::size_t at) const;
    void setU32(std::size_t at, std::uint32_t v);
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    void setI32(std::size_t at, std::int32_t v) { setU32(at, static_cast<std::uint32_t>(v)); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Graph meters (20 bytes; the network and disk records extend it).
class GraphOptions : public MeterOptions {
public:
    GraphOptions(MeterKind kind, bool active, bool trayIcon, bool autoScale);
    std::unique_ptr<MeterOptions> clone() const override;

    bool drawAverage() const { return u8(16) != 0; }
    void setDrawAverage(bool on) { setU8(16, on); }
    bool autoScale() const { return u8(17) != 0; }
    void setAutoScale(bool on) { setU8(17, on); }
    int height() const { return u8(18); }
    void setHeight(int pixels) { setU8(18, static_cast<std::uint8_t>(pixels)); }
    bool lineGraph() const { return u8(19) != 0; }
    void setLineGraph(bool on) { setU8(19, on); }

protected:
    GraphOptions(MeterKind kind, std::size_t size, bool active, bool trayIcon, bool autoScale);
};

// Network graph (32 bytes).
class NetworkOptions : public GraphOptions {
public:
    explicit NetworkOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    // -1: the default interface.
    int interfaceIndex() const { return i32(20); }
    void setInterfaceIndex(int index) { setI32(20, index); }
    bool showBits() const { return u8(24) != 0; }
    void setShowBits(bool on) { setU8(24, on); }
    // Bytes per second; 0 = none.
    std::uint32_t maximumValue() const { return u32(28); }
    void setMaximumValue(std::uint32_t v) { setU32(28, v); }
};

// Disk graph (24 bytes).
class DiskOptions : public GraphOptions {
public:
    explicit DiskOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    bool showBits() const { return u8(20) != 0; }
    void setShowBits(bool on) { setU8(20, on); }
};

// Page-file and physical-memory information tables (20 bytes).
class MemoryInfoOptions : public MeterOptions {
public:
    MemoryInfoOptions(MeterKind kind, bool active);
    std::unique_ptr<MeterOptions> clone() const override;
    std::string otherText() const override;

    bool showKB() const { return u8(16) != 0; }
    void setShowKB(bool on) { setU8(16, on); }
    bool showMB() const { return u8(17) != 0; }
    void setShowMB(bool on) { setU8(17, on); }
    bool showPercent() const { return u8(18) != 0; }
    void setShowPercent(bool on) { setU8(18, on); }
};

// Process list (28 bytes).
class ProcessOptions : public MeterOptions {
public:
    explicit ProcessOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    int maxProcesses() const { return u8(16); }
    void setMaxProcesses(int n) { setU8(16, static_cast<std::uint8_t>(n)); }
    bool showIdle() const { return u8(17) != 0; }
    void setShowIdle(bool on) { setU8(17, on); }
    bool showZeroUsage() const { return u8(18) != 0; }
    void setShowZeroUsage(bool on) { setU8(18, on); }
    bool showTotalTime() const { return u8(19) != 0; }
    void setShowTotalTime(bool on) { setU8(19, on); }
    bool useGraphColours() const { return u8(20) != 0; }
    void setUseGraphColours(bool on) { setU8(20, on); }
    // 0 processor share, 1 name, 2 memory, 3 total processor time.
    int sortOrder() const { return i32(24); }
    void setSortOrder(int order) { setI32(24, order); }
};

// Drive space (20 bytes).
class DriveOptions : public MeterOptions {
public:
    explicit DriveOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    // A log record every this many drive updates.
    int logInterval() const { return u8(16); }
    void setLogInterval(int n) { setU8(16, static_cast<std::uint8_t>(n)); }
};

// System resources (20 bytes).
class ResourcesOptions : public MeterOptions {
public:
    explicit ResourcesOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    bool showFree() const { return u8(16) != 0; }
    void setShowFree(bool on) { setU8(16, on); }
};

// Ping (1620 bytes): a time-out and 20 host slots of 80 bytes.
class PingOptions : public MeterOptions {
public:
    static constexpr int kHostSlots = 20;
    static constexpr std::size_t kHostSlotSize = 80;

    explicit PingOptions(bool active);
    std::unique_ptr<MeterOptions> clone() const override;

    std::uint32_t timeout() const { return u32(16); }
    void setTimeout(std::uint32_t ms) { setU32(16, ms); }
    // The text of one slot, up to its terminating zero (or the slot's end).
    std::string host(int slot) const;
    // Stores at most 79 characters so the slot stays terminated.
    void setHost(int slot, const std::string& name);
    // The slots up to the first empty one.
    std::vector<std::string> hostList() const;
};

// The defaults of a kind as the main window constructs its meters; a placeholder
// kind gets the bare head with active = 0.
std::unique_ptr<MeterOptions> makeMeterOptions(MeterKind kind, PlatformFamily family);
