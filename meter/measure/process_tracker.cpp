#include "meter/measure/process_tracker.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

char lowerChar(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(const std::string& key, const std::string& name)
{
    if (key.size() != name.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (key[i] != lowerChar(name[i]))
            return false;
    return true;
}

void setInstance(TrackedProcess& p, int instance)
{
    p.instance = instance;
    p.sortName = lowerName(p.instanceName());
}

// -1, 0 or 1 for a descending key: the larger value first.
template <typename T> int descending(T a, T b)
{
    return a > b ? -1 : (a < b ? 1 : 0);
}

int byName(const TrackedProcess& a, const TrackedProcess& b)
{
    return a.sortName.compare(b.sortName);
}

int compareIn(ProcessSortOrder order, const TrackedProcess& a, const TrackedProcess& b)
{
    const int share = descending(a.share, b.share);
    const int time = descending(a.totalSeconds, b.totalSeconds);
    const int memory = descending(a.workingSet, b.workingSet);
    int keys[3] = {share, time, memory};
    switch (order) {
    case ProcessSortOrder::Name:
        return byName(a, b);
    case ProcessSortOrder::MemoryUsage:
        keys[0] = memory;
        keys[1] = time;
        keys[2] = share;
        break;
    case ProcessSortOrder::TotalCpuTime:
        keys[0] = time;
        keys[1] = share;
        keys[2] = memory;
        break;
    case ProcessSortOrder::CpuUsage:
        break;
    }
    for (const int k : keys)
        if (k != 0)
            return k;
    return byName(a, b);
}

} // namespace

std::string lowerName(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        c = lowerChar(c);
    return lower;
}

std::string TrackedProcess::instanceName() const
{
    return instance == 0 ? name : name + "#" + std::to_string(instance);
}

ProcessSortOrder processSortOrder(std::int32_t stored)
{
    return stored >= 0 && stored <= 3 ? static_cast<ProcessSortOrder>(stored)
                                      : ProcessSortOrder::CpuUsage;
}

void ProcessTracker::refresh(const std::vector<ProcessIdentity>& current, bool includeIdle,
                             ProcessCounterBinder& binder)
{
    matchCurrent(current);
    endProcesses(binder);
    addNew(current, includeIdle, binder);
}

void ProcessTracker::matchCurrent(const std::vector<ProcessIdentity>& current)
{
    // Index the current list by id; same ids (which a sane block never has) chain back
    // so that the search runs from the end of the list.
    lastWithPid_.clear();
    previousWithPid_.assign(current.size(), kNone);
    for (std::size_t i = 0; i < current.size(); ++i) {
        const auto found = lastWithPid_.find(current[i].pid);
        if (found != lastWithPid_.end()) {
            previousWithPid_[i] = found->second;
            found->second = i;
        } else {
            lastWithPid_.emplace(current[i].pid, i);
        }
    }
    taken_.assign(current.size(), 0);
    ended_.assign(entries_.size(), 0);
    for (std::size_t t = entries_.size(); t-- > 0;) {
        const TrackedProcess& p = entries_[t];
        const auto found = lastWithPid_.find(p.pid);
        std::size_t i = found != lastWithPid_.end() ? found->second : kNone;
        while (i != kNone && (taken_[i] != 0 || !sameName(p.key, current[i].name)))
            i = previousWithPid_[i];
        if (i != kNone)
            taken_[i] = 1; // already followed
        else
            ended_[t] = 1;
    }
}

void ProcessTracker::endProcesses(ProcessCounterBinder& binder)
{
    if (std::find(ended_.begin(), ended_.end(), 1) == ended_.end())
        return;
    // Every process of a name that lost one, in instance order.
    endedGroups_.clear();
    for (std::size_t t = 0; t < entries_.size(); ++t)
        if (ended_[t] != 0)
            endedGroups_[entries_[t].key];
    for (std::size_t t = 0; t < entries_.size(); ++t) {
        const auto group = endedGroups_.find(entries_[t].key);
        if (group != endedGroups_.end())
            group->second.push_back(t);
    }
    for (auto& named : endedGroups_) {
        std::vector<std::size_t>& group = named.second;
        std::stable_sort(group.begin(), group.end(), [this](std::size_t a, std::size_t b) {
            return entries_[a].instance < entries_[b].instance;
        });
        // From the top, so that the positions below an ended one stay put.
        for (std::size_t e = group.size(); e-- > 0;) {
            if (ended_[group[e]] == 0)
                continue;
            // The highest instance name disappears; each one above the ended process
            // moves down one and takes the counters that now carry its name.
            const TrackedProcess& highest = entries_[group.back()];
            binder.removeCounters(highest.timeCounter, highest.memoryCounter);
            for (std::size_t p = group.size() - 1; p > e; --p) {
                TrackedProcess& upper = entries_[group[p]];
                const TrackedProcess& lower = entries_[group[p - 1]];
                upper.timeCounter = lower.timeCounter;
                upper.memoryCounter = lower.memoryCounter;
                setInstance(upper, upper.instance - 1);
            }
            group.erase(group.begin() + static_cast<std::ptrdiff_t>(e));
        }
    }
    std::size_t kept = 0;
    for (std::size_t t = 0; t < entries_.size(); ++t)
        if (ended_[t] == 0) {
            if (kept != t)
                entries_[kept] = std::move(entries_[t]);
            ++kept;
        }
    entries_.resize(kept);
}

void ProcessTracker::addNew(const std::vector<ProcessIdentity>& current, bool includeIdle,
                            ProcessCounterBinder& binder)
{
    bool indexed = false;
    for (std::size_t i = 0; i < current.size(); ++i) {
        if (taken_[i] != 0 || (current[i].pid == 0 && !includeIdle))
            continue;
        if (!indexed) {
            highestInstance_.clear();
            for (const TrackedProcess& p : entries_) {
                int& highest = highestInstance_.emplace(p.key, -1).first->second;
                highest = std::max(highest, p.instance);
            }
            indexed = true;
        }
        TrackedProcess p;
        p.pid = current[i].pid;
        p.name = current[i].name;
        p.key = lowerName(p.name);
        const auto highest = highestInstance_.find(p.key);
        setInstance(p, highest != highestInstance_.end() ? highest->second + 1 : 0);
        if (!binder.addCounters(p.instanceName(), &p.timeCounter, &p.memoryCounter))
            continue;
        highestInstance_[p.key] = p.instance;
        entries_.push_back(std::move(p));
    }
}

void ProcessTracker::sort(ProcessSortOrder order)
{
    std::stable_sort(entries_.begin(), entries_.end(),
                     [order](const TrackedProcess& a, const TrackedProcess& b) {
                         return compareIn(order, a, b) < 0;
                     });
}
