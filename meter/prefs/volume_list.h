#pragma once
// The "Volumes" page's list: the watched volumes in order, the selection, the number
// the drive meter shows without scrolling, and which buttons apply.
#include "meter/app_settings.h"

#include <string>
#include <vector>

// The drive meter watches at most this many volumes.
constexpr std::size_t kMaxWatchedVolumes = 256;

// "below 1024MB", or empty for a volume without a warning.
std::string warningLevelText(const WatchedVolume& volume);

class VolumeList {
public:
    explicit VolumeList(const AppSettings& settings);

    const std::vector<WatchedVolume>& volumes() const { return volumes_; }
    int selection() const { return selection_; }
    void select(int index);
    // 0 only when there are no volumes.
    std::uint32_t displayed() const { return displayed_; }
    // A typed or spun number, held to 1..count.
    void setDisplayed(long number);
    void setInTray(std::size_t index, bool on);
    bool touched() const { return touched_; }

    // False when the list is full.
    bool add(const WatchedVolume& volume);
    void replaceSelected(const WatchedVolume& volume);
    void removeSelected();
    void moveSelectedUp();
    void moveSelectedDown();

    bool canEditOrRemove() const { return selection_ >= 0; }
    bool canMoveUp() const { return selection_ > 0; }
    bool canMoveDown() const
    {
        return selection_ >= 0 && static_cast<std::size_t>(selection_) + 1 < volumes_.size();
    }
    // The number-displayed spin control has a range only when there are volumes.
    bool displayedEnabled() const { return !volumes_.empty(); }

    // Writes the list, the tray choices and the number displayed, when touched.
    void store(AppSettings& settings) const;

private:
    // A number that showed every volume keeps showing every volume.
    void countChanged(std::size_t before);

    std::vector<WatchedVolume> volumes_;
    int selection_ = -1;
    std::uint32_t displayed_ = 0;
    bool touched_ = false;
};
