// The query source against the system's own performance data library.
#include "meter/measure/memory_status_win.h"
#include "meter/measure/pdh_counter.h"
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/pdh_query_source.h"
#include "meter/measure/platform_facts_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

CounterEnvironment thisComputer()
{
    CounterEnvironment env;
    env.facts = readPlatformFacts();
    return env;
}

} // namespace

TEST(SystemPlatformFacts, anNTFamilySystem)
{
    const PlatformFacts facts = readPlatformFacts();
    EXPECT_TRUE(facts.isNT);
    EXPECT_TRUE(facts.isNT5);
}

TEST(SystemPdh, readsProcessorAndUptimeAndZeroForAMissingCounter)
{
    CounterEnvironment env = thisComputer();
    env.facts.counterLanguage = kLanguageEnglish;
    CounterLibraryLoader& loader = processCounterLibraryLoader();
    {
        PdhQuerySource source(loader, env);
        ASSERT_TRUE(source.Initialize());
        EXPECT_GE(loader.useCount(), 1);

        PdhCounter cpu(PdhCounterKind::Cpu);
        PdhCounter uptime(PdhCounterKind::Uptime);
        // The disk counter does not exist here: it must be left out quietly.
        PdhCounter missing(PdhCounterKind::Disk);
        source.attach(cpu);
        source.attach(uptime);
        source.attach(missing);
        ASSERT_TRUE(source.start());
        EXPECT_NE(source.query(), nullptr);
        EXPECT_EQ(cpu.addedPath(), "\\Processor(_Total)\\% Processor Time");
        EXPECT_EQ(uptime.addedPath(), "\\System\\System Up Time");
        EXPECT_FALSE(missing.isAdded());

        // A rate needs two collections.
        source.collect();
        Sleep(200);
        source.collect();
        EXPECT_GE(cpu.value(), 0);
        EXPECT_LE(cpu.value(), 100);
        // Seconds since the system started: at least since this prefix's server did.
        EXPECT_GT(uptime.value(), 0);
        EXPECT_EQ(missing.value(), 0);

        source.stop();
        EXPECT_EQ(source.query(), nullptr);
        EXPECT_FALSE(cpu.isAdded());
    }
    EXPECT_EQ(loader.useCount(), 0);
    EXPECT_EQ(loader.library(), nullptr);
}

TEST(SystemMemoryStatus, reportsUsedWithinTotal)
{
    SystemMemoryStatus reader;
    MemoryStatusCache cache(reader);
    cache.Sample();
    EXPECT_GT(cache.totalPhysicalKB(), 0u);
    EXPECT_GT(cache.usedPhysicalKB(), 0u);
    EXPECT_LE(cache.usedPhysicalKB(), cache.totalPhysicalKB());
    EXPECT_LE(cache.usedPageFileKB(), cache.totalPageFileKB());

    // The figures agree with the extended status, which is not capped.
    MEMORYSTATUSEX ex{};
    ex.dwLength = sizeof ex;
    ASSERT_TRUE(GlobalMemoryStatusEx(&ex));
    EXPECT_EQ(cache.totalPhysicalKB(), static_cast<std::uint32_t>((ex.ullTotalPhys + 512) / 1024));
}
