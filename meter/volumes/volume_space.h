#pragma once
// One configured volume: its name on screen, its space and whether it is below its
// warning level, and the pictures that show its fill level.
#include "meter/app_settings.h"
#include "meter/volumes/volume_system.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr std::uint32_t kNoWarning = 0xFFFFFFFFu;

// Images of the list's strip: fill levels 0..20, the same in warning colour from 21.
constexpr int kFillLevels = 20;
constexpr int kWarningImageOffset = 21;
constexpr int kUnavailableImage = 42;
constexpr int kWarningMarkImage = 43;
constexpr int kNoImage = -1;

// Tray icons of volumes: empty, 16 normal levels, 16 warning levels.
constexpr int kVolumeIconEmpty = 135;
constexpr int kVolumeIconWarningOffset = 16;

// What the drive meter remembers of a volume between updates.
struct VolumeState {
    std::string path; // the volume this state belongs to
    bool failed = false;
    bool wasBelow = false;
};

struct VolumeSpace {
    double freeMB = 0;
    double usedMB = 0;
    double totalMB = 0;
    std::uint64_t freeBytes = 0;
    bool below = false;
    bool newlyBelow = false;

    // Used space as a share of the total; a volume of no size counts as empty.
    double usedFraction() const { return totalMB > 0 ? usedMB / totalMB : 0.0; }
    double usedPercent() const { return usedFraction() * 100; }
};

// The friendly name; else "label (C)" for a drive, or the share name for a share.
std::string volumeDisplayName(const WatchedVolume& volume, VolumeSystem& system);

// Queries the volume's space and carries its failed and below marks. Without force, a
// volume that failed before is not asked again.
std::optional<VolumeSpace> queryVolumeSpace(const WatchedVolume& volume, VolumeState& state,
                                            bool force, VolumeSystem& system);

// Every fixed or removable drive after A: and B:, or C:\ when there is none.
std::vector<WatchedVolume> defaultVolumeList(VolumeSystem& system);

// List image for a fill fraction: round(fraction x 20), in warning colour when below.
int fillImage(double fraction, bool below);

// Tray icon of a volume: level round(used percent x 0.16) of 16, or its complement when
// the picture shows free space.
int volumeTrayIcon(double usedPercent, bool showsFree, bool below);

// "name  n MB free".
std::string volumeTrayTip(const std::string& displayName, std::uint64_t freeBytes);
