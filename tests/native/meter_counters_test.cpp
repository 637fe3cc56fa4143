#include "meter/graph_meter.h"
#include "meter/measure/counter_sources.h"
#include "meter/measure/meter_counters.h"
#include "meter/measure/perf_stats.h"
#include "recording_canvas.h"
#include "tests/native/pdh_rig.h"

#include <gtest/gtest.h>

namespace {

class StoppedClock : public TickClock {
public:
    std::uint32_t tickCount() const override { return 0; }
};

const PlatformFacts kXp{true, true, kLanguageEnglish};
const PlatformFacts kWin98{false, false, kLanguageNone};

} // namespace

TEST(makeMeterCounter, queryCountersOnNTStatisticsOn9x)
{
    StoppedClock clock;
    const auto cpu = makeMeterCounter(MeterKind::Cpu, kXp, clock);
    ASSERT_NE(dynamic_cast<PdhCounter*>(cpu.get()), nullptr);
    EXPECT_EQ(static_cast<PdhCounter&>(*cpu).kind(), PdhCounterKind::Cpu);
    const auto cpu2 = makeMeterCounter(MeterKind::Cpu2, kXp, clock);
    ASSERT_NE(dynamic_cast<PdhCounter*>(cpu2.get()), nullptr);
    EXPECT_EQ(static_cast<PdhCounter&>(*cpu2).kind(), PdhCounterKind::Cpu2);
    EXPECT_NE(
        dynamic_cast<NetworkPdhCounter*>(makeMeterCounter(MeterKind::NetGraph, kXp, clock).get()),
        nullptr);
    const auto disk = makeMeterCounter(MeterKind::DiskGraph, kXp, clock);
    ASSERT_NE(dynamic_cast<PdhCounter*>(disk.get()), nullptr);
    EXPECT_EQ(static_cast<PdhCounter&>(*disk).kind(), PdhCounterKind::Disk);

    EXPECT_NE(
        dynamic_cast<PerfStatsCounter*>(makeMeterCounter(MeterKind::Cpu, kWin98, clock).get()),
        nullptr);
    EXPECT_NE(
        dynamic_cast<PerfStatsCounter*>(makeMeterCounter(MeterKind::NetGraph, kWin98, clock).get()),
        nullptr);
    EXPECT_EQ(makeMeterCounter(MeterKind::Cpu1, kWin98, clock), nullptr);
    EXPECT_EQ(makeMeterCounter(MeterKind::PhysMemGraph, kXp, clock), nullptr);
}

TEST(NetworkGraphMeter, prepareCountersHandsTheInterfaceToTheCounter)
{
    AppSettings settings;
    NetworkGraphMeter meter(settings);
    PdhRig rig;
    rig.pdh.acceptAll = true;
    rig.env.interfaces.assign({"MS TCP Loopback interface", "first", "second"});
    auto* counter = new NetworkPdhCounter;
    meter.setCounter(counter, true);
    meter.networkOptions().setInterfaceIndex(2);
    meter.prepareCounters();
    EXPECT_EQ(counter->interfaceIndex(), 2);
    rig.start({counter});
    EXPECT_EQ(counter->addedPath(), R"(\Network Interface(second)\Bytes Total/sec)");

    // The Windows 9x counter takes no interface and is left alone.
    StoppedClock clock;
    NetworkGraphMeter old(settings);
    old.setCounter(makeMeterCounter(MeterKind::NetGraph, kWin98, clock).release(), true);
    old.prepareCounters();
    EXPECT_NE(old.counter(), nullptr);
}

TEST(ProcessorMeter, aCounterThatWasNotAddedShowsZeros)
{
    AppSettings settings;
    CpuMeter meter(settings);
    PdhRig rig; // no path exists
    StoppedClock clock;
    meter.setCounter(makeMeterCounter(MeterKind::Cpu, rig.env.facts, clock).release(), true);
    rig.start({meter.counter()});
    meter.setClientSize(400, 70);
    meter.fitTextFormat(FixedWidthMeasurer());
    for (int tick = 0; tick < 3; ++tick) {
        rig.source.collect();
        meter.sample();
    }
    EXPECT_EQ(meter.meterText(), "CPU: 0% (average 0%)");
}

TEST(ThroughputMeters, sampleTheRateOfTheStatistics)
{
    // Windows 9x: the first tick after start reads 0, the next the rate.
    class Clock : public TickClock {
    public:
        std::uint32_t now = 1000;
        std::uint32_t tickCount() const override { return now; }
    } clock;
    class Tree : public PerfStatsReader, public PerfStatsKey {
    public:
        std::uint32_t reads = 0;
        std::unique_ptr<PerfStatsKey> open(const std::string&) override
        {
            return std::make_unique<Forward>(*this);
        }
        bool queryValue(const std::string& name, std::uint8_t* buffer, std::uint32_t* size) override
        {
            const std::uint32_t v = name == "SMBRedir\\BReadsSec" ? reads : 0;
            if (*size < 4)
                return false;
            for (int i = 0; i < 4; ++i)
                buffer[i] = static_cast<std::uint8_t>(v >> (8 * i));
            *size = 4;
            return true;
        }

    private:
        struct Forward : PerfStatsKey {
            explicit Forward(PerfStatsKey& to) : to_(to) {}
            bool queryValue(const std::string& n, std::uint8_t* b, std::uint32_t* s) override
            {
                return to_.queryValue(n, b, s);
            }
            PerfStatsKey& to_;
        };
    } tree;

    AppSettings settings;
    NetworkGraphMeter meter(settings);
    meter.setCounter(makeMeterCounter(MeterKind::NetGraph, kWin98, clock).release(), true);
    PerfStatsSource source(tree);
    source.attach(*meter.counter());
    ASSERT_TRUE(source.start());
    tree.reads = 1000;
    source.collect();
    meter.sample();
    EXPECT_EQ(meter.current(), 0u);
    tree.reads = 151000;
    clock.now = 2000;
    source.collect();
    meter.sample();
    EXPECT_EQ(meter.current(), 150000u);
}
