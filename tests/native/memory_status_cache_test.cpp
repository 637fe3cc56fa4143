#include "meter/measure/memory_status_cache.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

namespace {

} // namespace

TEST(kilobytesOf, roundsToTheNearestKilobyte)
{
    EXPECT_EQ(kilobytesOf(0), 0u);
    EXPECT_EQ(kilobytesOf(511), 0u);
    EXPECT_EQ(kilobytesOf(512), 1u);
    EXPECT_EQ(kilobytesOf(1535), 1u);
    EXPECT_EQ(kilobytesOf(1536), 2u);
    EXPECT_EQ(kilobytesOf(0xFFFFFFFFull), 4194304u);
    EXPECT_EQ(kilobytesOf(~0ull), 0xFFFFFFFFu);
}

TEST(MemoryStatusCache, usedIsTotalLessAvailableInKilobytes)
{
    FixedMemory memory;
    memory.status = {600ull << 20, 100ull << 20, 512ull << 20, (512ull << 20) - 300000ull * 1024};
    MemoryStatusCache cache(memory);
    cache.Start();
    cache.Sample();
    EXPECT_EQ(cache.totalPageFileKB(), 614400u);
    EXPECT_EQ(cache.usedPageFileKB(), 512000u);
    EXPECT_EQ(cache.totalPhysicalKB(), 524288u);
    EXPECT_EQ(cache.usedPhysicalKB(), 300000u);
}

TEST(MemoryStatusCache, largeMachinesAreNotCapped)
{
    FixedMemory memory;
    memory.status = {24ull << 30, 8ull << 30, 16ull << 30, 6ull << 30};
    MemoryStatusCache cache(memory);
    cache.Sample();
    EXPECT_EQ(cache.totalPhysicalKB(), 16u << 20);
    EXPECT_EQ(cache.usedPhysicalKB(), 10u << 20);
    EXPECT_EQ(cache.usedPageFileKB(), 16u << 20);
}

TEST(MemoryStatusCache, moreAvailableThanTotalIsNothingUsed)
{
    FixedMemory memory;
    memory.status = {1000ull << 10, 1200ull << 10, 0, 0};
    MemoryStatusCache cache(memory);
    cache.Sample();
    EXPECT_EQ(cache.usedPageFileKB(), 0u);
    EXPECT_EQ(cache.totalPhysicalKB(), 0u);
}

TEST(MemoryStatusCache, readsOnceUntilMarkedStale)
{
    FixedMemory memory;
    memory.status.totalPhysical = 1024;
    MemoryStatusCache cache(memory);
    EXPECT_TRUE(cache.IsLocal());
    cache.Start();
    cache.Sample();
    memory.status.totalPhysical = 2048;
    cache.Sample();
    EXPECT_EQ(memory.reads, 1);
    EXPECT_EQ(cache.totalPhysicalKB(), 1u);
    cache.markStale();
    cache.Sample();
    EXPECT_EQ(memory.reads, 2);
    EXPECT_EQ(cache.totalPhysicalKB(), 2u);
    cache.Start(); // a restart reads afresh too
    cache.Sample();
    EXPECT_EQ(memory.reads, 3);
}
