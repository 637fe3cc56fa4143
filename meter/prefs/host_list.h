#pragma once
// The "Hosts" page's list: the ping meter's host names in order, the selected one, and
// what its buttons may do.
#include "meter/meter_options.h"

#include <string>
#include <vector>

class HostList {
public:
    static constexpr int kMostHosts = PingOptions::kHostSlots;
    // A slot holds the name and its terminating zero.
    static constexpr std::size_t kLongestName = PingOptions::kHostSlotSize - 1;

    explicit HostList(const PingOptions& options);

    const std::vector<std::string>& names() const { return names_; }
    // -1: nothing selected.
    int selection() const { return selection_; }
    void select(int index);

    bool canAdd() const { return static_cast<int>(names_.size()) < kMostHosts; }
    bool canRemove() const { return selection_ >= 0; }
    bool canMoveUp() const { return selection_ > 0; }
    bool canMoveDown() const
    {
        return selection_ >= 0 && selection_ + 1 < static_cast<int>(names_.size());
    }

    // Appends a name and selects it; false (nothing added) when the list is full or the
    // name is empty or longer than a slot holds.
    bool add(const std::string& name);
    // Deletes the selected name and selects the one now in its place, or the last.
    void removeSelected();
    // Swap the selected name with its neighbour; the selection moves with it.
    void moveSelectedUp();
    void moveSelectedDown();

    // Clears the 20 slots and copies the names in, in list order.
    void store(PingOptions& options) const;

private:
    std::vector<std::string> names_;
    int selection_ = -1;
};
