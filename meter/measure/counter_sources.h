#pragma once
// The program's sources: an external source and a local source for each of the two
// usage timers, and the memory cache they share. Counters join the pair of their
// meter's timer; a timer's tick collects its pair.
#include "meter/measure/counter_source.h"
#include "meter/measure/memory_status_cache.h"

#include <memory>

class CounterSources {
public:
    // The two external sources are both query sources (NT family) or both
    // statistics sources (Windows 9x).
    CounterSources(std::unique_ptr<CounterSource> external1,
                   std::unique_ptr<CounterSource> external2, MemoryStatusReader& memory);
    ~CounterSources();
    CounterSources(const CounterSources&) = delete;
    CounterSources& operator=(const CounterSources&) = delete;

    // The second external source is only tried when the first succeeds; on failure
    // the program cannot measure anything and should not start.
    bool initialize();

    // Timer 2 for meters of the second timer, anything else is the first.
    void attach(MeterCounter& counter, int timer);
    // External 1, local 1, external 2, local 2.
    void startAll();
    // One tick of a timer: its pair collects, then the memory cache goes stale.
    void collect(int timer);
    // Same order as starting; every list is emptied.
    void stopAll();

    MemoryStatusCache& memoryCache() { return *memory_; }
    CounterSource& external(int timer) { return timer == 2 ? *external2_ : *external1_; }
    CounterSource& local(int timer) { return timer == 2 ? *local2_ : *local1_; }

private:
    std::unique_ptr<CounterSource> external1_;
    std::unique_ptr<CounterSource> external2_;
    std::unique_ptr<CounterSource> local1_;
    std::unique_ptr<CounterSource> local2_;
    std::unique_ptr<MemoryStatusCache> memory_;
};
