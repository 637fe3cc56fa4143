#pragma once
// Volume queries through the system's disk-space, volume-information and drive calls.
#include "meter/volumes/volume_system.h"

class WinVolumeSystem : public VolumeSystem {
public:
    std::optional<DiskSpace> diskSpace(const std::string& path) override;
    std::optional<std::string> volumeLabel(const std::string& root) override;
    std::vector<std::string> logicalDrives() override;
    DriveType driveType(const std::string& root) override;
};
