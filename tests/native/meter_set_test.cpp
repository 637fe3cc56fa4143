#include "meter/meter_set.h"

#include "volume_fakes.h"

#include <gtest/gtest.h>

namespace {

class NoResources : public FreeResourcesQuery {
public:
    int freePercent(ResourceHeap) override { return 0; }
};

struct Services {
    FakeVolumeSystem volumes;
    RecordingAlerts alerts;
    RecordingTray tray;
    NoResources resources;
    MeterSetServices get() { return {volumes, alerts, tray, resources}; }
};

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

TEST(meterSet, kindsNotOfferedYetKeepTheirRecordButStayOff)
{
    AppSettings settings;
    Services services;
    MeterSet set(settings, PlatformFamily::NT, services.get());
    Meter& ping = set.byKind(MeterKind::Ping);
    EXPECT_FALSE(isAvailableKind(MeterKind::Ping));
    EXPECT_EQ(ping.options().recordSize(), 1620u);
    auto stored = ping.options().bytes();
    stored[8] = 1; // stored as active by some other version
    stored[20] = 'x';
    ASSERT_TRUE(ping.options().acceptStored(stored.data(), stored.size()));
    EXPECT_EQ(ping.options().bytes(), stored); // saved back unchanged
}
