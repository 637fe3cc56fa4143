#include "meter/prefs/host_list.h"

#include <utility>

HostList::HostList(const PingOptions& options) : names_(options.hostList())
{
}

void HostList::select(int index)
{
    selection_ = index >= 0 && index < static_cast<int>(names_.size()) ? index : -1;
}

bool HostList::add(const std::string& name)
{
    if (!canAdd() || name.empty() || name.size() > kLongestName)
        return false;
    names_.push_back(name);
    selection_ = static_cast<int>(names_.size()) - 1;
    return true;
}

void HostList::removeSelected()
{
    if (!canRemove())
        return;
    names_.erase(names_.begin() + selection_);
    if (selection_ >= static_cast<int>(names_.size()))
        selection_ = static_cast<int>(names_.size()) - 1;
}

void HostList::moveSelectedUp()
{
    if (!canMoveUp())
        return;
    std::swap(names_[static_cast<std::size_t>(selection_)],
              names_[static_cast<std::size_t>(selection_ - 1)]);
    --selection_;
}

void HostList::moveSelectedDown()
{
    if (!canMoveDown())
        return;
    std::swap(names_[static_cast<std::size_t>(selection_)],
              names_[static_cast<std::size_t>(selection_ + 1)]);
    ++selection_;
}

void HostList::store(PingOptions& options) const
{
    for (int slot = 0; slot < kMostHosts; ++slot)
        options.setHost(slot, slot < static_cast<int>(names_.size())
                                  ? names_[static_cast<std::size_t>(slot)]
                                  : std::string());
}
