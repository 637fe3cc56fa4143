#include "meter/volumes/drive_meter.h"

#include "meter/volumes/log_file.h"

#include <algorithm>

void applyDefaultVolumes(AppSettings& settings, VolumeSystem& system)
{
    if (!settings.volumes.empty())
        return;
    settings.volumes = defaultVolumeList(system);
    settings.numDrivesDisplayed = static_cast<std::uint32_t>(settings.volumes.size());
}

DriveMeter::DriveMeter(const AppSettings& settings, VolumeSystem& system, AlertActions& actions,
                       TrayNotifier& notifier)
    : Meter(MeterKind::Drive,
            std::make_unique<DriveOptions>(meterKindInfo(MeterKind::Drive).defaultActive),
            settings),
      system_(system), actions_(actions), notifier_(notifier)
{
}

DriveMeter::~DriveMeter() = default;

void DriveMeter::setTrayCallback(std::uintptr_t window, std::uint32_t message)
{
    trayWindow_ = window;
    trayMessage_ = message;
    for (auto& icon : volumeIcons_)
        if (icon)
            icon->setCallback(window, message);
}

bool DriveMeter::advanceLogCount(bool manual)
{
    if (manual || !options().logToFile() || log() == nullptr)
        return false;
    if (++logCount_ < driveOptions().logInterval())
        return false;
    logCount_ = 0;
    return true;
}

void DriveMeter::syncVolumeStates()
{
    // A state belongs to a path; an edited list starts the changed volumes afresh.
    const auto& volumes = settings().volumes;
    states_.resize(volumes.size());
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        if (states_[i].path != volumes[i].path)
            states_[i] = VolumeState{volumes[i].path};
    }
    volumeIcons_.resize(volumes.size());
    for (std::size_t i = 0; i < volumes.size(); ++i)
        if (!volumes[i].inToolTip)
            volumeIcons_[i].reset();
}

std::size_t DriveMeter::update(bool manual)
{
    rows_.clear();
    const bool logged = advanceLogCount(manual);
    syncVolumeStates();

    const bool force = manual || settings().flag(Booleans::kRetryFailedVolumes);
    const std::string separator = logSeparator(settings());
    std::vector<std::string> dropped;
    const auto& volumes = settings().volumes;
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const std::string name = volumeDisplayName(volumes[i], system_);
        const std::optional<VolumeSpace> space =
            queryVolumeSpace(volumes[i], states_[i], force, system_);
        if (!space) {
            if (settings().flag(Booleans::kShowUnavailableVolumes))
                rows_.push_back(unavailableDriveRow(i, name));
            continue;
        }
        if (space->newlyBelow)
            dropped.push_back(name);
        rows_.push_back(driveRow(settings(), i, name, *space));
        if (logged)
            log()->appendLine(driveLogLine(settings(), name, *space, separator));
        if (volumes[i].inToolTip)
            showVolumeIcon(i, name, *space, manual);
    }
    runVolumeAlert(settings(), dropped, actions_);

    return static_cast<std::size_t>(
        std::count_if(volumeIcons_.begin(), volumeIcons_.end(),
                      [](const auto& icon) { return icon && icon->inTray(); }));
}

void DriveMeter::showVolumeIcon(std::size_t index, const std::string& name,
                                const VolumeSpace& space, bool manual)
{
    auto& icon = volumeIcons_[index];
    // A manual update puts a queried volume's icon in afresh; a volume whose query
    // failed keeps the icon it had.
    if (icon && manual)
        icon->remove();
    if (!icon) {
        icon = std::make_unique<CTrayIcon>(notifier_,
                                           kVolumeTrayIdBase + static_cast<std::uint32_t>(index));
        icon->setCallback(trayWindow_, trayMessage_);
    }
    const bool showsFree = settings().flag(Booleans::kVolumeShowsRemaining);
    icon->show(volumeTrayIcon(space.usedPercent(), showsFree, space.below),
               volumeTrayTip(name, space.freeBytes));
}

void DriveMeter::removeVolumeIcons()
{
    for (auto& icon : volumeIcons_)
        if (icon)
            icon->remove();
}

std::size_t DriveMeter::visibleVolumeCount() const
{
    if (settings().flag(Booleans::kShowUnavailableVolumes))
        return settings().volumes.size();
    // Volumes not yet asked count as reachable.
    const auto& volumes = settings().volumes;
    std::size_t visible = 0;
    for (std::size_t i = 0; i < volumes.size(); ++i)
        if (i >= states_.size() || states_[i].path != volumes[i].path || !states_[i].failed)
            ++visible;
    return visible;
}

std::optional<std::string> DriveMeter::commandPath(std::size_t row) const
{
    if (row >= rows_.size() || rows_[row].failed)
        return std::nullopt;
    const std::size_t volume = rows_[row].volume;
    if (volume >= settings().volumes.size())
        return std::nullopt;
    return settings().volumes[volume].path;
}
