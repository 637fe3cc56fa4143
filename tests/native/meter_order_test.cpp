#include "meter/meter_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using K = MeterKind;

std::array<int, kMeterKindCount> kinds(std::initializer_list<K> list)
{
    std::array<int, kMeterKindCount> out{};
    std::size_t i = 0;
    for (K k : list)
        out[i++] = static_cast<int>(k);
    return out;
}

bool isPermutation(const std::array<int, kMeterKindCount>& order)
{
    std::array<int, kMeterKindCount> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < kMeterKindCount; ++i)
        if (sorted[static_cast<std::size_t>(i)] != i)
            return false;
    return true;
}

struct Meters {
    std::vector<std::unique_ptr<MeterOptions>> owned;
    MeterOptionsTable table{};

    explicit Meters(PlatformFamily family)
    {
        for (int k = 0; k < kMeterKindCount; ++k) {
            owned.push_back(makeMeterOptions(static_cast<K>(k), family));
            table[static_cast<std::size_t>(k)] = owned.back().get();
        }
    }
    void setActive(K kind, bool on) { table[static_cast<std::size_t>(kind)]->setActive(on); }
};

} // namespace

TEST(MeterOrder, defaultOrderIsTheDocumentedStack)
{
    EXPECT_EQ(MeterOrder::defaultOrder().currentOrder(),
              kinds({K::Uptime, K::Drive, K::Cpu, K::Cpu1, K::Cpu2, K::PageFile, K::PageFileGraph,
                     K::PhysMem, K::PhysMemGraph, K::NetGraph, K::DiskGraph, K::Process, K::Ping,
                     K::Resources}));
    // The kinds table's default positions describe the same order.
    const MeterOrder order = MeterOrder::defaultOrder();
    for (const MeterKindInfo& info : meterKindTable())
        EXPECT_EQ(order.positionOf(info.kind), info.defaultPosition) << info.longName;
}

TEST(MeterOrder, moveKindShiftsTheMetersBetween)
{
    MeterOrder order; // kind order
    EXPECT_TRUE(order.moveKind(K::Cpu, 3));
    EXPECT_EQ(order.currentOrder()[0], static_cast<int>(K::PageFile));
    EXPECT_EQ(order.currentOrder()[2], static_cast<int>(K::NetGraph));
    EXPECT_EQ(order.positionOf(K::Cpu), 3);
    EXPECT_EQ(order.positionOf(K::DiskGraph), 4);

    EXPECT_TRUE(order.moveKind(K::Resources, 0));
    EXPECT_EQ(order.positionOf(K::Resources), 0);
    EXPECT_EQ(order.positionOf(K::PageFile), 1);
    EXPECT_EQ(order.positionOf(K::Ping), 13);

    EXPECT_TRUE(order.moveKind(K::Ping, 13)); // already there
    EXPECT_EQ(order.positionOf(K::Ping), 13);
    EXPECT_TRUE(isPermutation(order.currentOrder()));
}

TEST(MeterOrder, moveKindRefusesValuesOutOfRange)
{
    MeterOrder order = MeterOrder::defaultOrder();
    const auto before = order.currentOrder();
    EXPECT_FALSE(order.moveKind(static_cast<int>(K::Cpu), 14));
    EXPECT_FALSE(order.moveKind(static_cast<int>(K::Cpu), -1));
    EXPECT_FALSE(order.moveKind(14, 0));
    EXPECT_FALSE(order.moveKind(-1, 0));
    EXPECT_EQ(order.currentOrder(), before);
    EXPECT_EQ(order.positionOf(14), -1);
    EXPECT_EQ(order.positionOf(-1), -1);
}

TEST(MeterOrder, applyOrderRestoresASavedOrder)
{
    const auto saved = kinds({K::Ping, K::Resources, K::Cpu2, K::Cpu1, K::Cpu, K::Uptime,
                              K::Process, K::PhysMem, K::PhysMemGraph, K::Drive, K::DiskGraph,
                              K::NetGraph, K::PageFileGraph, K::PageFile});
    MeterOrder order = MeterOrder::defaultOrder();
    order.applyOrder(saved);
    EXPECT_EQ(order.currentOrder(), saved);
}

TEST(MeterOrder, applyOrderOfDamagedDataKeepsEveryKindOnce)
{
    std::array<int, kMeterKindCount> damaged{};
    damaged.fill(static_cast<int>(K::Ping));
    damaged[3] = 99;
    damaged[4] = -7;
    damaged[5] = static_cast<int>(K::Cpu);
    MeterOrder order = MeterOrder::defaultOrder();
    order.applyOrder(damaged);
    EXPECT_TRUE(isPermutation(order.currentOrder()));
    EXPECT_EQ(order.positionOf(K::Ping), 13); // moved to every place in turn, last to 13
}

TEST(MeterOrder, firstAndLastActiveFollowDisplayOrder)
{
    Meters meters(PlatformFamily::NT);
    MeterOrder order = MeterOrder::defaultOrder();
    // NT defaults: Uptime first; Resources is a placeholder, so Phys. Mem. graph is last.
    EXPECT_TRUE(order.isFirstActive(K::Uptime, meters.table));
    EXPECT_FALSE(order.isFirstActive(K::Drive, meters.table));
    EXPECT_TRUE(order.isLastActive(K::PhysMemGraph, meters.table));
    EXPECT_FALSE(order.isLastActive(K::Resources, meters.table));

    meters.setActive(K::Uptime, false);
    meters.setActive(K::Ping, true);
    EXPECT_TRUE(order.isFirstActive(K::Drive, meters.table));
    EXPECT_TRUE(order.isLastActive(K::Ping, meters.table));

    order.moveKind(K::Ping, 0);
    EXPECT_TRUE(order.isFirstActive(K::Ping, meters.table));
    EXPECT_TRUE(order.isLastActive(K::PhysMemGraph, meters.table));
}

TEST(MeterOrder, noActiveMeterIsNeitherFirstNorLast)
{
    Meters meters(PlatformFamily::Win9x);
    for (int k = 0; k < kMeterKindCount; ++k)
        meters.setActive(static_cast<K>(k), false);
    const MeterOrder order = MeterOrder::defaultOrder();
    for (int k = 0; k < kMeterKindCount; ++k) {
        EXPECT_FALSE(order.isFirstActive(static_cast<K>(k), meters.table));
        EXPECT_FALSE(order.isLastActive(static_cast<K>(k), meters.table));
    }
}
