#pragma once
// One collection context for a set of counters: a performance data query, the
// Windows 9x statistics keys, or nothing at all for counters that sample themselves.
// The source drives its counters through a fixed protocol: begin, every counter in
// the order attached, end.
#include "meter/measure/meter_counter.h"

#include <vector>

class CounterSource {
public:
    virtual ~CounterSource() = default;

    // Once at start-up.
    virtual bool Initialize() = 0;
    virtual bool BeginStart() = 0;
    virtual void EndStart() = 0;
    virtual void BeginCollect() = 0;
    virtual void EndCollect() = 0;
    virtual void BeginStop() = 0;
    virtual void EndStop() = 0;

    // Appends the counter (not owned: its meter owns it) and hands it this source.
    void attach(MeterCounter& counter);
    // Starts every attached counter. A counter that cannot register keeps sampling 0;
    // only a source that cannot begin fails, and then no counter is started.
    bool start();
    // One collection and a sample of every attached counter.
    void collect();
    // Every counter leaves and the list is emptied.
    void stop();

    const std::vector<MeterCounter*>& counters() const { return counters_; }

private:
    std::vector<MeterCounter*> counters_;
};

// Counters that need no external query.
class LocalSource : public CounterSource {
public:
    bool Initialize() override { return true; }
    bool BeginStart() override { return true; }
    void EndStart() override {}
    void BeginCollect() override {}
    void EndCollect() override {}
    void BeginStop() override {}
    void EndStop() override {}
};
