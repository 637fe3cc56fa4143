#include "meter/meter_order.h"

#include <algorithm>

MeterOrder::MeterOrder()
{
    for (int i = 0; i < kMeterKindCount; ++i)
        kinds_[static_cast<std::size_t>(i)] = static_cast<MeterKind>(i);
}

MeterOrder MeterOrder::defaultOrder()
{
    using K = MeterKind;
    // Each step moves one kind into its place; Resources, never moved, ends up last.
    static constexpr std::pair<K, int> kSteps[] = {
        {K::Uptime, 0},       {K::Drive, 1},    {K::Cpu, 2},           {K::Cpu1, 3},
        {K::Cpu2, 4},         {K::PageFile, 5}, {K::PageFileGraph, 6}, {K::PhysMem, 7},
        {K::PhysMemGraph, 8}, {K::NetGraph, 9}, {K::DiskGraph, 10},    {K::Process, 11},
        {K::Ping, 12},
    };
    MeterOrder order;
    for (const auto& step : kSteps)
        order.moveKind(step.first, step.second);
    return order;
}

int MeterOrder::positionOf(int kind) const
{
    for (int p = 0; p < kMeterKindCount; ++p)
        if (static_cast<int>(kinds_[static_cast<std::size_t>(p)]) == kind)
            return p;
    return -1;
}

bool MeterOrder::moveKind(int kind, int newPosition)
{
    if (newPosition < 0 || newPosition >= kMeterKindCount || !isValidMeterKind(kind))
        return false;
    const int from = positionOf(kind);
    auto at = [this](int p) { return kinds_.begin() + p; };
    if (from < newPosition)
        std::rotate(at(from), at(from + 1), at(newPosition + 1));
    else if (from > newPosition)
        std::rotate(at(newPosition), at(from), at(from + 1));
    return true;
}

void MeterOrder::applyOrder(const std::array<int, kMeterKindCount>& kinds)
{
    for (int i = 0; i < kMeterKindCount; ++i)
        moveKind(kinds[static_cast<std::size_t>(i)], i);
}

std::array<int, kMeterKindCount> MeterOrder::currentOrder() const
{
    std::array<int, kMeterKindCount> order{};
    for (std::size_t p = 0; p < order.size(); ++p)
        order[p] = static_cast<int>(kinds_[p]);
    return order;
}

namespace {

bool isActive(MeterKind kind, const MeterOptionsTable& options)
{
    const MeterOptions* o = options[static_cast<std::size_t>(kind)];
    return o != nullptr && o->active();
}

} // namespace

bool MeterOrder::isFirstActive(MeterKind kind, const MeterOptionsTable& options) const
{
    auto first = std::find_if(kinds_.begin(), kinds_.end(),
                              [&](MeterKind k) { return isActive(k, options); });
    return first != kinds_.end() && *first == kind;
}

bool MeterOrder::isLastActive(MeterKind kind, const MeterOptionsTable& options) const
{
    auto last = std::find_if(kinds_.rbegin(), kinds_.rend(),
                             [&](MeterKind k) { return isActive(k, options); });
    return last != kinds_.rend() && *last == kind;
}
