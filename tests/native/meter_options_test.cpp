#include "meter/meter_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

TEST(meterKindTable, positionsAndPlaceholders)
{
    std::set<int> positions;
    for (const MeterKindInfo& info : meterKindTable())
        positions.insert(info.defaultPosition);
    EXPECT_EQ(positions.size(), 14u);
    EXPECT_EQ(*positions.begin(), 0);
    EXPECT_EQ(*positions.rbegin(), 13);

    for (int k = 0; k < kMeterKindCount; ++k) {
        const auto kind = static_cast<MeterKind>(k);
        const bool nt = isPlaceholderKind(kind, PlatformFamily::NT);
        const bool w9x = isPlaceholderKind(kind, PlatformFamily::Win9x);
        EXPECT_EQ(nt, kind == MeterKind::Resources) << k;
        EXPECT_EQ(w9x,
                  kind == MeterKind::Cpu1 || kind == MeterKind::Cpu2 || kind == MeterKind::Process)
            << k;
        EXPECT_EQ(meterKindInfo(kind).kind, kind);
    }
    EXPECT_FALSE(isValidMeterKind(14));
    EXPECT_FALSE(isValidMeterKind(-1));
}

TEST(meterOptions, recordSizesFollowTheKind)
{
    const std::size_t expected[kMeterKindCount] = {20, 20, 20, 32, 24, 20,   20,
                                                   20, 20, 20, 28, 16, 1620, 20};
    for (int k = 0; k < kMeterKindCount; ++k) {
        // NT builds every kind but the resources meter for real.
        const auto nt = makeMeterOptions(static_cast<MeterKind>(k), PlatformFamily::NT);
        if (k == static_cast<int>(MeterKind::Resources))
            EXPECT_EQ(nt->recordSize(), 16u);
        else
            EXPECT_EQ(nt->recordSize(), expected[k]) << k;
        EXPECT_EQ(meterKindInfo(static_cast<MeterKind>(k)).recordSize, expected[k]) << k;
    }
    EXPECT_EQ(makeMeterOptions(MeterKind::Resources, PlatformFamily::Win9x)->recordSize(), 20u);
}

TEST(meterOptions, defaultRecordsAreByteExact)
{
    const auto cpu = makeMeterOptions(MeterKind::Cpu, PlatformFamily::NT);
    EXPECT_EQ(cpu->bytes(), (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1, 0, 70, 0}));

    const auto net = makeMeterOptions(MeterKind::NetGraph, PlatformFamily::NT);
    EXPECT_EQ(net->bytes(), (Bytes{2, 0, 0,  0, 3,    0,    0,    0,    0, 0, 0, 0, 1, 0, 0, 0,
                                   1, 1, 70, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0}));

    const auto disk = makeMeterOptions(MeterKind::DiskGraph, PlatformFamily::NT);
    EXPECT_EQ(disk->bytes(),
              (Bytes{2, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 70, 0, 0, 0, 0, 0}));

    const auto physGraph = makeMeterOptions(MeterKind::PhysMemGraph, PlatformFamily::NT);
    EXPECT_EQ(physGraph->bytes(),
              (Bytes{2, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 70, 0}));

    const auto pageInfo = makeMeterOptions(MeterKind::PageFile, PlatformFamily::NT);
    EXPECT_EQ(pageInfo->bytes(),
              (Bytes{2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 0}));

    const auto process = makeMeterOptions(MeterKind::Process, PlatformFamily::NT);
    EXPECT_EQ(process->bytes(), (Bytes{2, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 1, 0,
                                       0, 0, 4, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0}));

    const auto drive = makeMeterOptions(MeterKind::Drive, PlatformFamily::NT);
    EXPECT_EQ(drive->bytes(), (Bytes{2, 0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0}));

    const auto uptime = makeMeterOptions(MeterKind::Uptime, PlatformFamily::NT);
    EXPECT_EQ(uptime->bytes(), (Bytes{2, 0, 0, 0, 11, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));

    const auto resources = makeMeterOptions(MeterKind::Resources, PlatformFamily::Win9x);
    EXPECT_EQ(resources->bytes(),
              (Bytes{2, 0, 0, 0, 13, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));

    // A placeholder is the bare head, inactive.
    const auto placeholder = makeMeterOptions(MeterKind::Resources, PlatformFamily::NT);
    EXPECT_EQ(placeholder->bytes(), (Bytes{2, 0, 0, 0, 13, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(meterOptions, pingRecordHoldsTimeoutAndHostSlots)
{
    PingOptions ping(false);
    ASSERT_EQ(ping.recordSize(), 1620u);
    const Bytes& b = ping.bytes();
    EXPECT_EQ(b[16] | b[17] << 8, 750);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[20])), "127.0.0.1");
    EXPECT_TRUE(std::all_of(b.begin() + 100, b.end(), [](std::uint8_t c) { return c == 0; }));

    ping.setHost(1, "example.test");
    ping.setHost(3, "after-a-gap");
    EXPECT_EQ(ping.hostList(), (std::vector<std::string>{"127.0.0.1", "example.test"}));

    // A name longer than a slot keeps the slot terminated and leaves the next alone.
    ping.setHost(2, std::string(200, 'h'));
    EXPECT_EQ(ping.host(2), std::string(79, 'h'));
    EXPECT_EQ(ping.host(3), "after-a-gap");
    EXPECT_EQ(ping.hostList().size(), 4u);

    // A stored slot without its terminating zero is read up to the slot's end.
    Bytes stored = ping.bytes();
    std::fill(stored.begin() + 20, stored.begin() + 100, 'x');
    ASSERT_TRUE(ping.acceptStored(stored.data(), stored.size()));
    EXPECT_EQ(ping.host(0), std::string(80, 'x'));
    EXPECT_EQ(ping.host(20), "");
}

TEST(meterOptions, acceptsOnlyExactSizeVersionAndKind)
{
    NetworkOptions net(false);
    const Bytes before = net.bytes();

    Bytes stored = before;
    stored[8] = 1;     // active
    stored[25] = 0xAB; // padding survives the round trip
    stored[28] = 0x40; // maximum value 0x00001F40 = 8000
    stored[29] = 0x1F;

    Bytes shortRecord(stored.begin(), stored.end() - 1);
    EXPECT_FALSE(net.acceptStored(shortRecord.data(), shortRecord.size()));
    Bytes longRecord = stored;
    longRecord.push_back(0);
    EXPECT_FALSE(net.acceptStored(longRecord.data(), longRecord.size()));
    Bytes version1 = stored;
    version1[0] = 1;
    EXPECT_FALSE(net.acceptStored(version1.data(), version1.size()));
    Bytes otherKind = stored;
    otherKind[4] = 4;
    EXPECT_FALSE(net.acceptStored(otherKind.data(), otherKind.size()));
    Bytes highKindByte = stored;
    highKindByte[7] = 1; // kind 0x01000003 is not kind 3
    EXPECT_FALSE(net.acceptStored(highKindByte.data(), highKindByte.size()));
    EXPECT_FALSE(net.acceptStored(nullptr, 0));
    EXPECT_EQ(net.bytes(), before);

    ASSERT_TRUE(net.acceptStored(stored.data(), stored.size()));
    EXPECT_EQ(net.bytes(), stored);
    EXPECT_TRUE(net.active());
    EXPECT_EQ(net.maximumValue(), 8000u);
    EXPECT_EQ(net.interfaceIndex(), -1);
}

TEST(meterOptions, cloneIsAnIndependentCopyOfTheSameLayout)
{
    NetworkOptions net(true);
    net.setInterfaceIndex(2);
    auto copy = net.clone();
    ASSERT_NE(dynamic_cast<NetworkOptions*>(copy.get()), nullptr);
    EXPECT_EQ(copy->bytes(), net.bytes());

    auto& edited = static_cast<NetworkOptions&>(*copy);
    edited.setShowBits(true);
    edited.setTimer(2);
    EXPECT_FALSE(net.showBits());

    net.copyFrom(edited);
    EXPECT_TRUE(net.showBits());
    EXPECT_EQ(net.timer(), 2);

    // A holder of another layout is not copied over this one.
    DiskOptions disk(true);
    const Bytes diskBefore = disk.bytes();
    disk.copyFrom(net);
    EXPECT_EQ(disk.bytes(), diskBefore);
}

TEST(meterOptions, otherColumnText)
{
    GraphOptions graph(MeterKind::Cpu, true, true, false);
    EXPECT_EQ(graph.otherText(), "tray icon");
    graph.setTrayIcon(false);
    EXPECT_EQ(graph.otherText(), "");

    MemoryInfoOptions mem(MeterKind::PhysMem, true);
    EXPECT_EQ(mem.otherText(), "MB, KB, %");
    mem.setTrayIcon(true);
    EXPECT_EQ(mem.otherText(), "tray icon, MB, KB, %");
    mem.setShowMB(false);
    EXPECT_EQ(mem.otherText(), "tray icon, KB, %");
    mem.setShowKB(false);
    mem.setShowPercent(false);
    EXPECT_EQ(mem.otherText(), "tray icon");
    mem.setTrayIcon(false);
    mem.setShowPercent(true);
    EXPECT_EQ(mem.otherText(), "%");
}
