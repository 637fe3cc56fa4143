#pragma once
// The volume information dialog's rules: when OK is allowed, what it refuses and the
// volume it makes of the fields.
#include "meter/app_settings.h"

#include <optional>
#include <string>

constexpr std::size_t kVolumePathMost = 60;
constexpr long kWarningLevelMost = 99999;
// The level a new volume's dialog offers.
constexpr std::uint32_t kDefaultWarningLevel = 1024;
// Shown in the path field of a new volume, as an example of a network volume.
inline constexpr const char* kExampleVolumePath = "\\\\server\\";

struct VolumeInfoFields {
    std::string path;
    std::string name;
    bool warn = false;
    std::string level; // as typed
};

VolumeInfoFields volumeInfoFields(const WatchedVolume& volume);

inline bool volumeInfoOkEnabled(const std::string& path)
{
    return !path.empty();
}

enum class VolumeInfoProblem { None, PathTooLong, LevelOutOfRange };

// The level is read only while its box is checked: a disabled field refuses nothing.
VolumeInfoProblem checkVolumeInfo(const VolumeInfoFields& fields);

// The volume of valid fields: the path ends in "\"; a checked box with level 0 means
// no warning. `base` keeps what the dialog does not edit (the tray choice).
WatchedVolume volumeOf(const VolumeInfoFields& fields, const WatchedVolume& base);
