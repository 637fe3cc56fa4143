#include "meter/graph_meter.h"
#include "meter/measure/memory_info_meter.h"
#include "meter/measure/meter_binding.h"
#include "tests/native/pdh_rig.h"

#include <gtest/gtest.h>

namespace {

class StoppedClock : public TickClock {
public:
    std::uint32_t tickCount() const override { return 0; }
};

class HalfUsed : public MemoryStatusReader {
public:
    int reads = 0;
    MemoryStatusBytes read() override
    {
        ++reads;
        return {2048ull << 10, 1024ull << 10, 4096ull << 10, 1024ull << 10};
    }
};

// The program's sources on an English Windows XP with a scripted helper library.
struct Program {
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform{pdh};
    CounterLibraryLoader loader{platform};
    CounterEnvironment env;
    HalfUsed memory;
    StoppedClock clock;
    CounterSources sources{std::make_unique<PdhQuerySource>(loader, env),
                           std::make_unique<PdhQuerySource>(loader, env), memory};
    AppSettings settings;

    Program()
    {
        env.facts = {true, true, kLanguageEnglish};
        EXPECT_TRUE(sources.initialize());
    }
};

} // namespace

TEST(bindMeterCounter, memoryMetersShareTheCacheOthersOwnTheirCounter)
{
    Program p;
    PhysMemGraphMeter graph(p.settings);
    PageFileMeter table(p.settings);
    CpuMeter cpu(p.settings);
    Cpu2Meter cpu2(p.settings);
    for (Meter* m : std::initializer_list<Meter*>{&graph, &table, &cpu, &cpu2})
        bindMeterCounter(*m, p.sources, p.env.facts, p.clock);
    EXPECT_EQ(graph.counter(), &p.sources.memoryCache());
    EXPECT_EQ(table.counter(), &p.sources.memoryCache());
    ASSERT_NE(dynamic_cast<PdhCounter*>(cpu2.counter()), nullptr);
    EXPECT_EQ(static_cast<PdhCounter*>(cpu2.counter())->kind(), PdhCounterKind::Cpu2);
    EXPECT_NE(cpu.counter(), cpu2.counter());
}

TEST(restartCounters, attachesActiveMetersEnumeratesThenStarts)
{
    Program p;
    p.pdh.acceptAll = true;
    p.pdh.instances[""] = {"MS TCP Loopback interface", "Ethernet", "Wireless"};
    p.pdh.values[R"(\Processor(_Total)\% Processor Time)"] = 12;
    p.pdh.values[R"(\Network Interface(Wireless)\Bytes Total/sec)"] = 5000;

    CpuMeter cpu(p.settings);
    NetworkGraphMeter net(p.settings);
    DiskGraphMeter disk(p.settings); // inactive by default
    PhysMemGraphMeter memGraph(p.settings);
    PhysMemMeter memTable(p.settings);
    net.options().setActive(true);
    net.options().setTimer(2);
    net.networkOptions().setInterfaceIndex(2);
    std::vector<Meter*> meters{&cpu, &memTable, &memGraph, &net, &disk};
    for (Meter* m : meters)
        bindMeterCounter(*m, p.sources, p.env.facts, p.clock);

    restartCounters(meters, p.sources, p.env, p.loader.library());
    const std::vector<std::string> expected = {
        "enum  Network Interface 200 0 sizing",
        "enum  Network Interface 200 0 filling",
        "open",
        R"(add \Processor(_Total)\% Processor Time)",
        "open",
        R"(add \Network Interface(Wireless)\Bytes Total/sec)",
    };
    EXPECT_EQ(p.pdh.calls, expected);
    EXPECT_EQ(p.env.interfaces.defaultIndex(), 1);
    EXPECT_EQ(p.sources.local(1).counters().size(), 2u);

    p.sources.collect(1);
    p.sources.collect(2);
    for (Meter* m : meters)
        m->sample();
    EXPECT_EQ(cpu.current(), 12u);
    EXPECT_EQ(net.current(), 5000u);
    EXPECT_EQ(memGraph.current(), 3072u);
    EXPECT_EQ(memTable.current(), 3072u);
    EXPECT_EQ(p.memory.reads, 1);

    // A restart closes both queries and attaches afresh, not twice.
    p.pdh.calls.clear();
    restartCounters(meters, p.sources, p.env, p.loader.library());
    EXPECT_EQ(p.pdh.count("close"), 2u);
    EXPECT_EQ(p.pdh.count("open"), 2u);
    EXPECT_EQ(p.sources.external(1).counters().size(), 1u);
    EXPECT_EQ(p.sources.local(1).counters().size(), 2u);
}

TEST(restartCounters, windows9xNeitherEnumeratesNorNeedsTheLibrary)
{
    Program p;
    p.env.facts = {false, false, kLanguageNone};
    p.pdh.instances[""] = {"Ethernet"};
    CpuMeter cpu(p.settings);
    bindMeterCounter(cpu, p.sources, p.env.facts, p.clock);
    restartCounters({&cpu}, p.sources, p.env, p.loader.library());
    EXPECT_EQ(p.pdh.count("enum  Network Interface 200 0 sizing"), 0u);
    EXPECT_TRUE(p.env.interfaces.names().empty());
}
