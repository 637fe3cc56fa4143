#include "meter/measure/counter_sources.h"
#include "tests/native/pdh_rig.h"

#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;

class RecordingSource : public CounterSource {
public:
    RecordingSource(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    bool initializeSucceeds = true;
    bool beginStartSucceeds = true;

    bool Initialize() override { return note("Initialize"), initializeSucceeds; }
    bool BeginStart() override { return note("BeginStart"), beginStartSucceeds; }
    void EndStart() override { note("EndStart"); }
    void BeginCollect() override { note("BeginCollect"); }
    void EndCollect() override { note("EndCollect"); }
    void BeginStop() override { note("BeginStop"); }
    void EndStop() override { note("EndStop"); }

private:
    void note(const char* what) { log_.push_back(name_ + "." + what); }
    std::string name_;
    Log& log_;
};

class RecordingCounter : public MeterCounter {
public:
    RecordingCounter(std::string name, Log& log, bool local = false)
        : name_(std::move(name)), log_(log), local_(local)
    {
    }
    bool IsLocal() const override { return local_; }
    bool Start() override { return note("Start"), false; }
    void Sample() override { note("Sample"); }
    void Stop() override { note("Stop"); }

private:
    void note(const char* what) { log_.push_back(name_ + "." + what); }
    std::string name_;
    Log& log_;
    bool local_;
};

class CountingMemory : public MemoryStatusReader {
public:
    int reads = 0;
    MemoryStatusBytes read() override
    {
        ++reads;
        return {};
    }
};

} // namespace

TEST(CounterSource, runsEachPhaseAroundEveryCounterInAttachOrder)
{
    Log log;
    RecordingSource source("s", log);
    RecordingCounter a("a", log);
    RecordingCounter b("b", log);
    source.attach(a);
    source.attach(b);
    EXPECT_EQ(a.source(), &source);

    EXPECT_TRUE(source.start()) << "a counter failing to start does not fail the source";
    source.collect();
    source.stop();
    const Log expected = {"s.BeginStart",   "a.Start",  "b.Start",  "s.EndStart",
                          "s.BeginCollect", "a.Sample", "b.Sample", "s.EndCollect",
                          "s.BeginStop",    "a.Stop",   "b.Stop",   "s.EndStop"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(source.counters().empty());

    log.clear();
    source.collect();
    source.stop();
    EXPECT_TRUE(source.start());
    EXPECT_TRUE(log.empty()) << "a source without counters does nothing";
}

TEST(CounterSource, failedBeginStartsNoCounter)
{
    Log log;
    RecordingSource source("s", log);
    source.beginStartSucceeds = false;
    RecordingCounter a("a", log);
    source.attach(a);
    EXPECT_FALSE(source.start());
    EXPECT_EQ(log, Log{"s.BeginStart"});
}

TEST(CounterSources, routesCountersByTimerAndLocality)
{
    Log log;
    CountingMemory memory;
    auto e1 = std::make_unique<RecordingSource>("e1", log);
    auto e2 = std::make_unique<RecordingSource>("e2", log);
    RecordingSource* ext1 = e1.get();
    RecordingSource* ext2 = e2.get();
    CounterSources sources(std::move(e1), std::move(e2), memory);
    ASSERT_TRUE(sources.initialize());
    EXPECT_EQ(log, (Log{"e1.Initialize", "e2.Initialize"}));

    RecordingCounter cpu("cpu", log);
    RecordingCounter ping("ping", log, true);
    RecordingCounter disk("disk", log);
    sources.attach(cpu, 1);
    sources.attach(ping, 1);
    sources.attach(disk, 2);
    EXPECT_EQ(cpu.source(), ext1);
    EXPECT_EQ(ping.source(), &sources.local(1));
    EXPECT_EQ(disk.source(), ext2);

    log.clear();
    sources.startAll();
    EXPECT_EQ(log, (Log{"e1.BeginStart", "cpu.Start", "e1.EndStart", "ping.Start", "e2.BeginStart",
                        "disk.Start", "e2.EndStart"}));
    log.clear();
    sources.collect(2);
    EXPECT_EQ(log, (Log{"e2.BeginCollect", "disk.Sample", "e2.EndCollect"}));
    log.clear();
    sources.stopAll();
    EXPECT_EQ(log, (Log{"e1.BeginStop", "cpu.Stop", "e1.EndStop", "ping.Stop", "e2.BeginStop",
                        "disk.Stop", "e2.EndStop"}));
}

TEST(CounterSources, secondSourceIsNotInitializedWhenTheFirstFails)
{
    Log log;
    CountingMemory memory;
    auto e1 = std::make_unique<RecordingSource>("e1", log);
    e1->initializeSucceeds = false;
    CounterSources sources(std::move(e1), std::make_unique<RecordingSource>("e2", log), memory);
    EXPECT_FALSE(sources.initialize());
    EXPECT_EQ(log, Log{"e1.Initialize"});
}

TEST(CounterSources, memoryIsReadOncePerTickHoweverManyMetersShareIt)
{
    Log log;
    CountingMemory memory;
    CounterSources sources(std::make_unique<LocalSource>(), std::make_unique<LocalSource>(),
                           memory);
    // A page-file graph and a physical memory table on timer 1, a page-file table on 2.
    MemoryStatusCache& cache = sources.memoryCache();
    sources.attach(cache, 1);
    sources.attach(cache, 1);
    sources.attach(cache, 2);
    sources.startAll();
    EXPECT_EQ(sources.local(1).counters().size(), 2u);

    sources.collect(1);
    EXPECT_EQ(memory.reads, 1);
    sources.collect(1);
    EXPECT_EQ(memory.reads, 2);
    sources.collect(2);
    EXPECT_EQ(memory.reads, 3);
}

TEST(PdhQuerySource, collectsOnceAndClosesItsQuery)
{
    PdhRig rig;
    rig.pdh.acceptAll = true;
    PdhCounter cpu(PdhCounterKind::Cpu);
    PdhCounter disk(PdhCounterKind::Disk);
    PdhCounter uptime(PdhCounterKind::Uptime);
    ASSERT_TRUE(rig.start({&cpu, &disk, &uptime}));
    rig.source.collect();
    EXPECT_EQ(rig.pdh.count("collect"), 1u) << "one collection per source per tick";

    rig.source.stop();
    EXPECT_EQ(rig.pdh.count("close"), 1u);
    EXPECT_EQ(rig.source.query(), nullptr);
    EXPECT_FALSE(cpu.isAdded());
}

TEST(PdhQuerySource, unopenedQueryStartsNothingAndSamplesZero)
{
    PdhRig rig;
    rig.pdh.acceptAll = true;
    rig.pdh.openFails = true;
    PdhCounter cpu(PdhCounterKind::Cpu);
    EXPECT_FALSE(rig.start({&cpu}));
    rig.source.collect();
    EXPECT_EQ(cpu.value(), 0);
    rig.source.stop();
    EXPECT_EQ(rig.pdh.calls, std::vector<std::string>{"open"})
        << "no add, no collection and no close of a query that never opened";
}

TEST(PdhQuerySource, holdsTheLibraryForItsLifetime)
{
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform(pdh);
    CounterLibraryLoader loader(platform);
    CounterEnvironment env;
    {
        PdhQuerySource first(loader, env);
        PdhQuerySource second(loader, env);
        EXPECT_EQ(first.library(), nullptr);
        ASSERT_TRUE(first.Initialize());
        ASSERT_TRUE(second.Initialize());
        EXPECT_TRUE(first.Initialize()) << "initializing again takes no second use";
        EXPECT_EQ(loader.useCount(), 2);
        EXPECT_EQ(platform.loads.size(), 1u);
    }
    EXPECT_EQ(loader.useCount(), 0);
    EXPECT_EQ(platform.frees, 1);
}
