#pragma once
// What the drive meter asks of the system about volumes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class DriveType { Unknown, NoRoot, Removable, Fixed, Remote, CdRom, RamDisk };

struct DiskSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytesForCaller = 0;
    std::uint64_t totalFreeBytes = 0;
};

class VolumeSystem {
public:
    virtual ~VolumeSystem() = default;
    // Nothing when the volume cannot be reached.
    virtual std::optional<DiskSpace> diskSpace(const std::string& path) = 0;
    // The label of the volume at a drive root; nothing when it cannot be read.
    virtual std::optional<std::string> volumeLabel(const std::string& root) = 0;
    // The roots of the logical drives ("C:\"), in the system's order.
    virtual std::vector<std::string> logicalDrives() = 0;
    virtual DriveType driveType(const std::string& root) = 0;
};
