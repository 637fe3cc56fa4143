#include "meter/meter_set.h"

#include "meter/measure/ping_meter.h"
#include "meter/measure/process_meter.h"
#include "meter_set_fakes.h"

#include <gtest/gtest.h>

using namespace meter_set_test;

namespace {

std::vector<std::string> shownNames(MeterSet& set)
{
    std::vector<std::string> names;
    for (Meter* meter : set.inDisplayOrder())
        if (meter->options().active() && !meter->isPlaceholder())
            names.push_back(meter->displayName(false));
    return names;
}

} // namespace

TEST(meterSet, firstStartShowsTheDefaultStack)
{
    AppSettings settings;
    Services services;
    MeterSet nt(settings, PlatformFamily::NT, services.get());
    EXPECT_EQ(shownNames(nt), (std::vector<std::string>{"Uptime", "Drive Space", "CPU Graph",
                                                        "Page File", "Page File Graph",
                                                        "Physical Memory", "Physical Mem. Graph"}));
    EXPECT_TRUE(nt.byKind(MeterKind::Resources).isPlaceholder());
    EXPECT_FALSE(nt.byKind(MeterKind::Cpu1).isPlaceholder());

    MeterSet w9x(settings, PlatformFamily::Win9x, services.get());
    EXPECT_EQ(shownNames(w9x).back(), "Resources");
    EXPECT_TRUE(w9x.byKind(MeterKind::Cpu2).isPlaceholder());
    EXPECT_TRUE(w9x.byKind(MeterKind::Process).isPlaceholder());
}

TEST(meterSet, everyKindOnceAndTheOrderFollowsMoves)
{
    AppSettings settings;
    Services services;
    MeterSet set(settings, PlatformFamily::NT, services.get());
    for (int k = 0; k < kMeterKindCount; ++k)
        EXPECT_EQ(set.byKind(static_cast<MeterKind>(k)).kind(), static_cast<MeterKind>(k));
    EXPECT_EQ(&set.drive(), &set.byKind(MeterKind::Drive));
    EXPECT_EQ(set.inDisplayOrder()[1]->kind(), MeterKind::Drive);

    ASSERT_TRUE(set.moveKind(MeterKind::Drive, 5));
    const std::vector<Meter*>& order = set.inDisplayOrder();
    EXPECT_EQ(order[1]->kind(), MeterKind::Cpu);
    EXPECT_EQ(order[5]->kind(), MeterKind::Drive);

    const MeterOptionsTable table = set.optionsTable();
    EXPECT_EQ(table[static_cast<std::size_t>(MeterKind::NetGraph)]->recordSize(), 32u);
}

TEST(meterSet, processAndPingRecordsStoredActiveComeBackByteForByte)
{
    AppSettings settings;
    Services services;
    MeterSet set(settings, PlatformFamily::NT, services.get());
    for (MeterKind kind : {MeterKind::Process, MeterKind::Ping}) {
        Meter& meter = set.byKind(kind);
        EXPECT_FALSE(meter.isPlaceholder());
        auto stored = meter.options().bytes();
        stored[8] = 1; // active
        stored[20] = 7;
        ASSERT_TRUE(meter.options().acceptStored(stored.data(), stored.size()));
        EXPECT_TRUE(meter.options().active());
        EXPECT_EQ(meter.options().bytes(), stored); // saved back unchanged
    }
    EXPECT_EQ(set.byKind(MeterKind::Process).options().recordSize(), 28u);
    EXPECT_EQ(set.byKind(MeterKind::Ping).options().recordSize(), 1620u);
    EXPECT_NE(dynamic_cast<ProcessMeter*>(&set.byKind(MeterKind::Process)), nullptr);
}

TEST(meterSet, pingMeterTakesItsHostsFromItsStoredRecord)
{
    AppSettings settings;
    Services services;
    MeterSet set(settings, PlatformFamily::NT, services.get());
    auto* ping = dynamic_cast<PingMeter*>(&set.byKind(MeterKind::Ping));
    ASSERT_NE(ping, nullptr);
    ASSERT_NE(ping->counter(), nullptr);
    EXPECT_TRUE(ping->counter()->IsLocal());

    auto stored = ping->options().bytes();
    const char second[] = "localhost";
    std::copy(std::begin(second), std::end(second), stored.begin() + 20 + 80);
    ASSERT_TRUE(ping->options().acceptStored(stored.data(), stored.size()));
    ping->prepareCounters();
    EXPECT_EQ(ping->pingCounter().hosts(), (std::vector<std::string>{"127.0.0.1", "localhost"}));

    // Without a network every host gets its cross, none is left out.
    ping->counter()->Start();
    ping->counter()->Sample();
    EXPECT_EQ(ping->pingCounter().results(), (std::vector<std::int32_t>{-1, -1}));
}
