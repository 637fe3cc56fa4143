// The meters sampling through the program's own sources on the running system.
#include "meter/graph_meter.h"
#include "meter/measure/counter_sources_win.h"
#include "meter/measure/memory_info_meter.h"
#include "meter/measure/meter_binding.h"
#include "meter/measure/pdh_counter.h"
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/perf_stats_registry_win.h"
#include "meter/measure/platform_facts_win.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(CounterStack, metersSampleThroughTheSystemsSources)
{
    CounterEnvironment env;
    env.facts = readPlatformFacts();
    SystemTickClock clock;
    AppSettings settings;
    {
        auto sources = createCounterSources(env);
        ASSERT_NE(sources, nullptr);
        CpuMeter cpu(settings);
        NetworkGraphMeter net(settings);
        PhysMemMeter mem(settings);
        net.options().setActive(true);
        mem.options().setTimer(2);
        std::vector<Meter*> meters{&cpu, &net, &mem};
        for (Meter* m : meters)
            bindMeterCounter(*m, *sources, env.facts, clock);

        restartCounters(meters, *sources, env, processCounterLibraryLoader().library());
        // Wine's library lists no network interfaces and has no server counter: the
        // network meter is left without a counter and samples 0.
        const auto* network = dynamic_cast<const NetworkPdhCounter*>(net.counter());
        ASSERT_NE(network, nullptr);
        EXPECT_TRUE(env.interfaces.names().empty());
        EXPECT_FALSE(network->isAdded());
        ASSERT_TRUE(static_cast<const PdhCounter*>(cpu.counter())->isAdded());

        for (int tick = 0; tick < 2; ++tick) {
            Sleep(100);
            sources->collect(1);
            sources->collect(2);
            for (Meter* m : meters)
                m->sample();
        }
        EXPECT_LE(cpu.current(), 100u);
        EXPECT_EQ(net.current(), 0u);
        EXPECT_GT(mem.totalKB(), 0u);
        EXPECT_LE(mem.current(), mem.totalKB());
        sources->stopAll();
    }
    EXPECT_EQ(processCounterLibraryLoader().useCount(), 0) << "the sources gave the library back";
}
