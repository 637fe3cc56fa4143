#include "meter/volumes/volume_space.h"

#include "common/numtext/numtext.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr double kBytesPerMB = 1048576.0;

int roundHalfUp(double x)
{
    return static_cast<int>(std::floor(x + 0.5));
}

} // namespace

std::string volumeDisplayName(const WatchedVolume& volume, VolumeSystem& system)
{
    if (!volume.userName.empty())
        return volume.userName;
    const std::string& path = volume.path;
    if (path.size() >= 2 && path[1] == ':') {
        const std::optional<std::string> label = system.volumeLabel(path);
        if (!label)
            return path;
        return *label + " (" + path[0] + ")";
    }
    // \\computer\share\ shows as its share name.
    const std::size_t slash = path.size() > 2 ? path.find('\\', 2) : std::string::npos;
    if (slash == std::string::npos || slash + 1 >= path.size())
        return {};
    return path.substr(slash + 1, path.size() - slash - 2);
}

std::optional<VolumeSpace> queryVolumeSpace(const WatchedVolume& volume, VolumeState& state,
                                            bool force, VolumeSystem& system)
{
    if (!force && state.failed)
        return std::nullopt;
    const std::optional<DiskSpace> space = system.diskSpace(volume.path);
    if (!space) {
        state.failed = true;
        return std::nullopt;
    }
    state.failed = false;

    VolumeSpace result;
    result.freeBytes = space->totalFreeBytes;
    result.freeMB = static_cast<double>(space->totalFreeBytes) / kBytesPerMB;
    result.totalMB = static_cast<double>(space->totalBytes) / kBytesPerMB;
    result.usedMB = result.totalMB - result.freeMB;
    result.below = volume.warningMB != kNoWarning && volume.warningMB > result.freeMB;
    result.newlyBelow = result.below && !state.wasBelow;
    state.wasBelow = result.below;
    return result;
}

std::vector<WatchedVolume> defaultVolumeList(VolumeSystem& system)
{
    std::vector<WatchedVolume> volumes;
    for (std::string root : system.logicalDrives()) {
        if (root.empty())
            continue;
        root[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
        if (root[0] == 'A' || root[0] == 'B')
            continue;
        const DriveType type = system.driveType(root);
        if (type != DriveType::Fixed && type != DriveType::Removable)
            continue;
        WatchedVolume volume;
        volume.path = withTrailingBackslash(root);
        volumes.push_back(volume);
    }
    if (volumes.empty()) {
        WatchedVolume volume;
        volume.path = "C:\\";
        volumes.push_back(volume);
    }
    return volumes;
}

int fillImage(double fraction, bool below)
{
    const int level = std::clamp(roundHalfUp(fraction * kFillLevels), 0, kFillLevels);
    return below ? level + kWarningImageOffset : level;
}

int volumeTrayIcon(double usedPercent, bool showsFree, bool below)
{
    int level = std::clamp(roundHalfUp(usedPercent * 0.16), 0, 16);
    if (showsFree)
        level = 16 - level;
    // The empty picture has no warning variant.
    if (level == 0)
        return kVolumeIconEmpty;
    return kVolumeIconEmpty + level + (below ? kVolumeIconWarningOffset : 0);
}

std::string volumeTrayTip(const std::string& displayName, std::uint64_t freeBytes)
{
    return displayName + "  " + formatSize(static_cast<double>(freeBytes) / 1024) + " free";
}
