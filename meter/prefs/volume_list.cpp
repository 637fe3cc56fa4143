#include "meter/prefs/volume_list.h"

#include "common/input/range_input.h"

#include <utility>

std::string warningLevelText(const WatchedVolume& volume)
{
    if (volume.warningMB == 0xFFFFFFFFu)
        return {};
    return "below " + std::to_string(volume.warningMB) + "MB";
}

VolumeList::VolumeList(const AppSettings& settings) : volumes_(settings.volumes)
{
    if (volumes_.size() > kMaxWatchedVolumes)
        volumes_.resize(kMaxWatchedVolumes);
    const auto count = static_cast<std::uint32_t>(volumes_.size());
    displayed_ = settings.numDrivesDisplayed == 0 || settings.numDrivesDisplayed > count
                     ? count
                     : settings.numDrivesDisplayed;
}

void VolumeList::select(int index)
{
    selection_ = index >= 0 && static_cast<std::size_t>(index) < volumes_.size() ? index : -1;
}

void VolumeList::setDisplayed(long number)
{
    if (volumes_.empty())
        return;
    displayed_ =
        static_cast<std::uint32_t>(clampToRange(number, 1, static_cast<long>(volumes_.size())));
    touched_ = true;
}

void VolumeList::setInTray(std::size_t index, bool on)
{
    if (index >= volumes_.size() || volumes_[index].inToolTip == on)
        return;
    volumes_[index].inToolTip = on;
    touched_ = true;
}

bool VolumeList::add(const WatchedVolume& volume)
{
    if (volumes_.size() >= kMaxWatchedVolumes)
        return false;
    const std::size_t before = volumes_.size();
    volumes_.push_back(volume);
    countChanged(before);
    selection_ = static_cast<int>(volumes_.size()) - 1;
    touched_ = true;
    return true;
}

void VolumeList::replaceSelected(const WatchedVolume& volume)
{
    if (selection_ < 0)
        return;
    volumes_[static_cast<std::size_t>(selection_)] = volume;
    touched_ = true;
}

void VolumeList::removeSelected()
{
    if (selection_ < 0)
        return;
    const std::size_t before = volumes_.size();
    volumes_.erase(volumes_.begin() + selection_);
    countChanged(before);
    // The volume that took its place, or the new last one.
    if (static_cast<std::size_t>(selection_) >= volumes_.size())
        selection_ = static_cast<int>(volumes_.size()) - 1;
    touched_ = true;
}

void VolumeList::moveSelectedUp()
{
    if (!canMoveUp())
        return;
    const auto at = static_cast<std::size_t>(selection_);
    std::swap(volumes_[at], volumes_[at - 1]);
    --selection_;
    touched_ = true;
}

void VolumeList::moveSelectedDown()
{
    if (!canMoveDown())
        return;
    const auto at = static_cast<std::size_t>(selection_);
    std::swap(volumes_[at], volumes_[at + 1]);
    ++selection_;
    touched_ = true;
}

void VolumeList::countChanged(std::size_t before)
{
    const auto count = static_cast<std::uint32_t>(volumes_.size());
    if (displayed_ == before || displayed_ > count)
        displayed_ = count;
    if (displayed_ == 0 && count > 0)
        displayed_ = count;
}

void VolumeList::store(AppSettings& settings) const
{
    if (!touched_)
        return;
    settings.volumes = volumes_;
    settings.numDrivesDisplayed = displayed_;
}
