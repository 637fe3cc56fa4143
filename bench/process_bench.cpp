// One sample of the process meter's counter: read every followed process's two
// counters, read and parse the process list, follow it (about one process in twenty
// replaced since the last tick), sort it and build the rows. The performance data
// library is a lean stand-in so that the figures are the counter's own work.
#include "meter/measure/pdh_query_source.h"
#include "meter/measure/process_list_counter.h"
#include "meter/measure/process_rows.h"
#include "tests/native/perf_data_builder.h"
#include "tests/native/scripted_counter_library.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Handles are numbers; every read answers at once with a figure derived from them.
class LeanLibrary : public CounterLibrary {
public:
    PdhStatus openQuery(PdhQueryHandle* query) override
    {
        *query = &token_;
        return kPdhOk;
    }
    PdhStatus addCounter(PdhQueryHandle, const char*, PdhCounterHandle* counter) override
    {
        *counter = reinterpret_cast<PdhCounterHandle>(++handles_);
        return kPdhOk;
    }
    bool hasAddEnglishCounter() const override { return false; }
    PdhStatus addEnglishCounter(PdhQueryHandle, const char*, PdhCounterHandle*) override
    {
        return static_cast<PdhStatus>(0xC0000BB9u);
    }
    PdhStatus collectQueryData(PdhQueryHandle) override { return kPdhOk; }
    PdhStatus formattedLong(PdhCounterHandle counter, std::int32_t* value) override
    {
        *value = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(counter) * 7 % 101);
        return kPdhOk;
    }
    PdhStatus formattedLarge(PdhCounterHandle counter, std::int64_t* value) override
    {
        *value = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(counter)) << 16;
        return kPdhOk;
    }
    PdhStatus enumObjectItems(const char*, const char*, char*, std::uint32_t*, char*,
                              std::uint32_t*, std::uint32_t, std::uint32_t) override
    {
        return static_cast<PdhStatus>(0x800007D0u);
    }
    PdhStatus removeCounter(PdhCounterHandle) override { return kPdhOk; }
    PdhStatus closeQuery(PdhQueryHandle) override { return kPdhOk; }

private:
    int token_ = 0;
    std::uintptr_t handles_ = 0;
};

class BlockReader : public PerfDataReader {
public:
    std::vector<std::uint8_t> block;

    std::vector<char> englishCounterNames() override
    {
        const std::string names("230\0Process\0"
                                "784\0ID Process\0\0",
                                28);
        return {names.begin(), names.end()};
    }
    Status performanceData(const std::string&, std::uint8_t* buffer, std::uint32_t* size) override
    {
        if (block.size() > *size)
            return Status::MoreData;
        std::memcpy(buffer, block.data(), block.size());
        *size = static_cast<std::uint32_t>(block.size());
        return Status::Ok;
    }
};

class NoTimes : public ProcessTimes {
public:
    bool totalSeconds(std::uint32_t, std::uint32_t*) override { return false; }
};

// A system of n processes: about a third share a name, as service hosts do.
class ProcessWorld {
public:
    explicit ProcessWorld(int n)
    {
        for (int i = 0; i < n; ++i)
            processes_.push_back(make());
    }
    // Ends one process in twenty and starts as many.
    void turnOver()
    {
        const std::size_t count = processes_.size() / 20;
        for (std::size_t k = 0; k < count; ++k) {
            seed_ = seed_ * 1103515245u + 12345u;
            processes_[(seed_ >> 8) % processes_.size()] = make();
        }
    }
    std::vector<std::uint8_t> block()
    {
        std::vector<PerfInstanceSpec> instances = processes_;
        instances.push_back({u"_Total", 0});
        return builder_.processes(instances);
    }

private:
    PerfInstanceSpec make()
    {
        const std::uint32_t pid = nextPid_ += 4;
        const std::string name = pid % 3 == 0 ? "svchost" : "program" + std::to_string(pid % 997);
        return {std::u16string(name.begin(), name.end()), pid};
    }

    std::vector<PerfInstanceSpec> processes_;
    PerfDataBuilder builder_;
    std::uint32_t nextPid_ = 0;
    std::uint32_t seed_ = 1;
};

void processSample(benchmark::State& state)
{
    LeanLibrary library;
    ScriptedLibraryPlatform platform(library);
    CounterLibraryLoader loader(platform);
    CounterEnvironment environment;
    environment.facts.isNT = true;
    environment.facts.isNT5 = true;
    PdhQuerySource source(loader, environment);
    source.Initialize();

    ProcessWorld world(static_cast<int>(state.range(0)));
    BlockReader reader;
    reader.block = world.block();
    NoTimes times;
    ProcessListCounter counter(reader, times);
    counter.setOptions({false, false, ProcessSortOrder::CpuUsage});
    source.attach(counter);
    source.start();
    std::vector<ProcessRow> rows;
    for (auto _ : state) {
        state.PauseTiming();
        world.turnOver();
        reader.block = world.block();
        state.ResumeTiming();
        source.collect(); // the counters read, the list followed and sorted
        buildProcessRows(counter.processes(), {8, false, true}, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["followed"] = static_cast<double>(counter.processes().size());
}

} // namespace

BENCHMARK(processSample)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
