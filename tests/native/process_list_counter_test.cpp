#include "meter/measure/process_list_counter.h"
#include "tests/native/pdh_rig.h"
#include "tests/native/perf_data_builder.h"
#include "tests/native/process_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string timePath(const std::string& instance)
{
    return "\\Process(" + instance + ")\\% Processor Time";
}
std::string memoryPath(const std::string& instance)
{
    return "\\Process(" + instance + ")\\Working Set";
}

class processListCounter : public ::testing::Test {
protected:
    PdhRig rig;
    ScriptedPerfData data;
    ScriptedTimes times;
    PerfDataBuilder builder;
    ProcessListCounter counter{data, times};

    processListCounter()
    {
        rig.pdh.acceptAll = true;
        data.block = builder.processes(
            {{u"Idle", 0}, {u"svchost", 10}, {u"svchost", 20}, {u"explorer", 30}, {u"_Total", 0}});
    }

    const TrackedProcess* find(std::uint32_t pid) const
    {
        for (const TrackedProcess& p : counter.processes())
            if (p.pid == pid)
                return &p;
        return nullptr;
    }
};

} // namespace

TEST_F(processListCounter, startFollowsEveryProcessButIdleWithBothCounters)
{
    EXPECT_TRUE(rig.start({&counter}));
    EXPECT_EQ(data.requested, "230");
    ASSERT_EQ(counter.processes().size(), 3u);
    EXPECT_EQ(rig.pdh.count("add " + timePath("Svchost")), 1u);
    EXPECT_EQ(rig.pdh.count("add " + memoryPath("Svchost")), 1u);
    EXPECT_EQ(rig.pdh.count("add " + timePath("Svchost#1")), 1u);
    EXPECT_EQ(rig.pdh.count("add " + memoryPath("Explorer")), 1u);
    EXPECT_EQ(rig.pdh.count("add " + timePath("Idle")), 0u);
}

TEST_F(processListCounter, theIdleOptionFollowsProcessZero)
{
    counter.setOptions({true, false, ProcessSortOrder::CpuUsage});
    rig.start({&counter});
    EXPECT_NE(find(0), nullptr);
}

TEST_F(processListCounter, pathsFollowTheSystemLanguage)
{
    PdhRig german(true, kLanguageGerman);
    german.pdh.acceptAll = true;
    ProcessListCounter c(data, times);
    german.start({&c});
    EXPECT_EQ(german.pdh.count("add \\Prozess(Explorer)\\Prozessorzeit (%)"), 1u);
    EXPECT_EQ(german.pdh.count("add \\Prozess(Explorer)\\Arbeitsseiten"), 1u);
}

TEST_F(processListCounter, theInstanceNameIsNeverAFormat)
{
    EXPECT_EQ(fillInstancePath(counterPathText(CounterPathId::kProcessTime), "a%sb%%"),
              "\\Process(a%sb%%)\\% Processor Time");
}

TEST_F(processListCounter, startFailsWithoutNamesOrProcesses)
{
    data.names.clear();
    EXPECT_TRUE(rig.start({&counter}));       // the source itself starts
    EXPECT_TRUE(counter.processes().empty()); // but the counter follows nothing
    EXPECT_FALSE(counter.Start());

    data.names = englishNames();
    data.block.clear(); // what Wine returns: no data at all
    EXPECT_FALSE(counter.Start());
    EXPECT_TRUE(counter.processes().empty());
}

TEST_F(processListCounter, sampleReadsSharesAboveOneProcessorAndLargeWorkingSets)
{
    rig.pdh.values[timePath("Explorer")] = 300;
    rig.pdh.largeValues[memoryPath("Explorer")] = 5LL << 30;
    rig.pdh.values[timePath("Svchost")] = 12;
    rig.pdh.values[memoryPath("Svchost")] = 4096;
    rig.start({&counter});
    rig.source.collect();
    EXPECT_EQ(find(30)->share, 300);
    EXPECT_EQ(find(30)->workingSet, 5ULL << 30);
    EXPECT_EQ(find(10)->share, 12);
    EXPECT_EQ(find(10)->workingSet, 4096u);
}

TEST_F(processListCounter, eitherReadFailingZeroesBoth)
{
    rig.pdh.values[timePath("Explorer")] = 40; // working set has no value: its read fails
    rig.pdh.values[memoryPath("Svchost")] = 4096;
    rig.start({&counter});
    rig.source.collect();
    EXPECT_EQ(find(30)->share, 0);
    EXPECT_EQ(find(10)->workingSet, 0u);
}

TEST_F(processListCounter, sampleSortsInTheChosenOrder)
{
    rig.pdh.values[timePath("Svchost#1")] = 50;
    rig.pdh.values[memoryPath("Svchost#1")] = 1;
    counter.setOptions({false, false, ProcessSortOrder::CpuUsage});
    rig.start({&counter});
    rig.source.collect();
    EXPECT_EQ(counter.processes().front().pid, 20u);
    counter.setOptions({false, false, ProcessSortOrder::Name});
    rig.source.collect();
    EXPECT_EQ(counter.processes().front().name, "Explorer");
}

TEST_F(processListCounter, processTimesOnlyWhenAskedAndKeptWhenUnreadable)
{
    times.seconds = {{10, 3725}, {30, 7}};
    rig.start({&counter});
    rig.source.collect();
    EXPECT_EQ(find(10)->totalSeconds, 0u);

    counter.setOptions({false, true, ProcessSortOrder::CpuUsage});
    rig.source.collect();
    EXPECT_EQ(find(10)->totalSeconds, 3725u);
    times.seconds.erase(10); // can no longer be opened
    times.seconds[30] = 8;
    rig.source.collect();
    EXPECT_EQ(find(10)->totalSeconds, 3725u);
    EXPECT_EQ(find(30)->totalSeconds, 8u);
}

TEST_F(processListCounter, aFailedReadKeepsEveryProcess)
{
    rig.start({&counter});
    data.fails = true;
    rig.source.collect();
    EXPECT_EQ(counter.processes().size(), 3u);
    EXPECT_TRUE(rig.pdh.removed.empty());
    data.fails = false;
    data.block.clear();
    rig.source.collect();
    EXPECT_EQ(counter.processes().size(), 3u);
}

TEST_F(processListCounter, anEndedProcessLosesTheTopCountersOfItsName)
{
    rig.start({&counter});
    data.block = builder.processes({{u"svchost", 20}, {u"explorer", 30}});
    rig.source.collect();
    EXPECT_EQ(rig.pdh.removed,
              (std::vector<std::string>{timePath("Svchost#1"), memoryPath("Svchost#1")}));
    ASSERT_NE(find(20), nullptr);
    EXPECT_EQ(find(20)->instanceName(), "Svchost");
}

TEST_F(processListCounter, aHalfAddedPairIsTakenOutAgain)
{
    rig.pdh.acceptAll = false;
    rig.pdh.paths = {timePath("Svchost"), memoryPath("Svchost"), timePath("Explorer")};
    rig.start({&counter});
    EXPECT_EQ(counter.processes().size(), 1u);
    EXPECT_EQ(rig.pdh.removed, (std::vector<std::string>{timePath("Explorer")}));
}

TEST_F(processListCounter, theBufferGrowsUntilTheDataFits)
{
    std::vector<PerfInstanceSpec> many;
    for (std::uint32_t i = 1; i <= 3000; ++i)
        many.push_back({u"worker", i});
    data.block = builder.processes(many);
    ASSERT_GT(data.block.size(), ProcessListCounter::kInitialBufferSize);
    rig.start({&counter});
    EXPECT_EQ(counter.processes().size(), 3000u);
    ASSERT_GE(data.offeredSizes.size(), 2u);
    EXPECT_EQ(data.offeredSizes[0], ProcessListCounter::kInitialBufferSize);
    EXPECT_EQ(data.offeredSizes[1],
              ProcessListCounter::kInitialBufferSize + ProcessListCounter::kBufferGrowth);
    EXPECT_GE(data.offeredSizes.back(), data.block.size());
}

TEST_F(processListCounter, stopForgetsTheProcesses)
{
    rig.start({&counter});
    rig.source.stop();
    EXPECT_TRUE(counter.processes().empty());
    rig.source.collect(); // no counters attached any more: nothing to read
}
