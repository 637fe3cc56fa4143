// The process counter's readers against the system: the performance data block layout
// the parser assumes, the English counter names, the raw performance data and the
// process times.
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/pdh_query_source.h"
#include "meter/measure/perf_data_reader_win.h"
#include "meter/measure/platform_facts_win.h"
#include "meter/measure/process_times_win.h"

#include <windows.h>

#include <winperf.h>

#include <cstddef>

#include <gtest/gtest.h>

TEST(processPerfLayout, matchesTheSystemRecords)
{
    using namespace PerfLayout;
    EXPECT_EQ(offsetof(PERF_DATA_BLOCK, TotalByteLength), kBlockTotalLength);
    EXPECT_EQ(offsetof(PERF_DATA_BLOCK, HeaderLength), kBlockHeaderLength);
    EXPECT_EQ(offsetof(PERF_DATA_BLOCK, NumObjectTypes), kBlockObjectCount);
    EXPECT_EQ(sizeof(PERF_DATA_BLOCK), kBlockSize);
    EXPECT_EQ(offsetof(PERF_OBJECT_TYPE, DefinitionLength), kObjectDefinitionLength);
    EXPECT_EQ(offsetof(PERF_OBJECT_TYPE, HeaderLength), kObjectHeaderLength);
    EXPECT_EQ(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex), kObjectNameIndex);
    EXPECT_EQ(offsetof(PERF_OBJECT_TYPE, NumCounters), kObjectCounterCount);
    EXPECT_EQ(offsetof(PERF_OBJECT_TYPE, NumInstances), kObjectInstanceCount);
    EXPECT_EQ(sizeof(PERF_OBJECT_TYPE), kObjectSize);
    EXPECT_EQ(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex), kCounterNameIndex);
    EXPECT_EQ(offsetof(PERF_COUNTER_DEFINITION, CounterSize), kCounterSizeField);
    EXPECT_EQ(offsetof(PERF_COUNTER_DEFINITION, CounterOffset), kCounterOffset);
    EXPECT_EQ(sizeof(PERF_COUNTER_DEFINITION), kCounterSize);
    EXPECT_EQ(offsetof(PERF_INSTANCE_DEFINITION, NameOffset), kInstanceNameOffset);
    EXPECT_EQ(offsetof(PERF_INSTANCE_DEFINITION, NameLength), kInstanceNameLength);
    EXPECT_EQ(sizeof(PERF_INSTANCE_DEFINITION), kInstanceSize);
    EXPECT_EQ(sizeof(PERF_COUNTER_BLOCK), kCounterBlockSize);
    EXPECT_EQ(PERF_NO_INSTANCES, kNoInstances);
}

TEST(processRegistryReader, readsTheEnglishNamesAsAList)
{
    RegistryPerfDataReader reader;
    const std::vector<char> names = reader.englishCounterNames();
    // The system's list, whatever it holds, ends inside the bytes returned.
    ASSERT_FALSE(names.empty());
    EXPECT_FALSE(terminatedMultiString(names.data(), names.size()).empty());
}

TEST(processRegistryReader, performanceDataNeverReportsMoreThanTheBuffer)
{
    RegistryPerfDataReader reader;
    std::vector<std::uint8_t> buffer(ProcessListCounter::kInitialBufferSize, 0);
    auto size = static_cast<std::uint32_t>(buffer.size());
    const PerfDataReader::Status status = reader.performanceData("230", buffer.data(), &size);
    if (status == PerfDataReader::Status::Ok) {
        EXPECT_LE(size, buffer.size());
    }
    if (status == PerfDataReader::Status::Failed) {
        EXPECT_EQ(size, 0u);
    }
}

TEST(processCounterOnTheSystem, followsNothingWhereThereIsNoProcessData)
{
    CounterEnvironment env;
    env.facts = readPlatformFacts();
    PdhQuerySource source(processCounterLibraryLoader(), env);
    ASSERT_TRUE(source.Initialize());
    RegistryPerfDataReader reader;
    SystemProcessTimes times;
    ProcessListCounter counter(reader, times, narrowToAnsiCodePage);
    counter.setOptions({true, true, ProcessSortOrder::CpuUsage});
    source.attach(counter);
    ASSERT_TRUE(source.start());
    source.collect();
    source.collect();
    // This system's performance data has no process object: no rows, and no fault.
    EXPECT_TRUE(counter.processes().empty());
    source.stop();
}

TEST(processSystemTimes, countsThisProcessInWholeSeconds)
{
    SystemProcessTimes times;
    std::uint32_t seconds = 99;
    ASSERT_TRUE(times.totalSeconds(GetCurrentProcessId(), &seconds));
    const std::uint32_t before = seconds;
    // Work until the next whole second of processor time is counted; the wall-clock
    // guard only keeps a broken system from holding the suite.
    const DWORD start = GetTickCount();
    volatile std::uint32_t spin = 0;
    while (seconds == before && GetTickCount() - start < 30000) {
        for (int i = 0; i < 1000000; ++i)
            spin = spin + static_cast<std::uint32_t>(i);
        ASSERT_TRUE(times.totalSeconds(GetCurrentProcessId(), &seconds));
    }
    EXPECT_EQ(seconds, before + 1);
}

TEST(processSystemTimes, aProcessThatCannotBeOpenedHasNoFigure)
{
    SystemProcessTimes times;
    std::uint32_t seconds = 7;
    // Process ids are multiples of four: this one never names a process.
    EXPECT_FALSE(times.totalSeconds(0xFFFFFFFDu, &seconds));
    EXPECT_EQ(seconds, 7u);
}
