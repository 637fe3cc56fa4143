#include "meter/prefs/volume_info.h"

#include "common/input/range_input.h"

namespace {

constexpr std::uint32_t kNoWarning = 0xFFFFFFFFu;

} // namespace

VolumeInfoFields volumeInfoFields(const WatchedVolume& volume)
{
    VolumeInfoFields f;
    f.path = volume.path;
    f.name = volume.userName;
    f.warn = volume.warningMB != kNoWarning;
    if (f.warn)
        f.level = std::to_string(volume.warningMB);
    return f;
}

VolumeInfoProblem checkVolumeInfo(const VolumeInfoFields& f)
{
    if (f.path.size() > kVolumePathMost)
        return VolumeInfoProblem::PathTooLong;
    if (f.warn && !parseIntegerInRange(f.level, 0, kWarningLevelMost))
        return VolumeInfoProblem::LevelOutOfRange;
    return VolumeInfoProblem::None;
}

WatchedVolume volumeOf(const VolumeInfoFields& f, const WatchedVolume& base)
{
    WatchedVolume volume = base;
    volume.path = withTrailingBackslash(f.path);
    volume.userName = f.name;
    volume.warningMB = kNoWarning;
    if (f.warn) {
        const auto level = parseIntegerInRange(f.level, 0, kWarningLevelMost);
        if (level && *level != 0)
            volume.warningMB = static_cast<std::uint32_t>(*level);
    }
    return volume;
}
