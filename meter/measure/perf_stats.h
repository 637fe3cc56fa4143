#pragma once
// The external source of Windows 9x: the dynamic statistics of the registry. Reading
// a statistic's name under StartStat starts it, under StatData reads it, under
// StopStat stops it.
#include "meter/measure/counter_source.h"
#include "meter/measure/tick_clock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One open key of the statistics tree.
class PerfStatsKey {
public:
    virtual ~PerfStatsKey() = default;
    // Reads a value into buffer (at most *size bytes); *size becomes the length read.
    virtual bool queryValue(const std::string& name, std::uint8_t* buffer, std::uint32_t* size) = 0;
};

// Opens keys below the dynamic-data root for reading.
class PerfStatsReader {
public:
    virtual ~PerfStatsReader() = default;
    // nullptr when the key cannot be opened.
    virtual std::unique_ptr<PerfStatsKey> open(const std::string& path) = 0;
};

class PerfStatsSource : public CounterSource {
public:
    explicit PerfStatsSource(PerfStatsReader& reader) : reader_(reader) {}

    bool Initialize() override { return true; }
    bool BeginStart() override;
    void EndStart() override;
    void BeginCollect() override {}
    void EndCollect() override {}
    void BeginStop() override;
    void EndStop() override;

    // The keys open in each phase, nullptr outside it.
    PerfStatsKey* startKey() const { return startStat_.get(); }
    PerfStatsKey* dataKey() const { return statData_.get(); }
    PerfStatsKey* stopKey() const { return stopStat_.get(); }

private:
    PerfStatsReader& reader_;
    std::unique_ptr<PerfStatsKey> startStat_;
    std::unique_ptr<PerfStatsKey> statData_;
    std::unique_ptr<PerfStatsKey> stopStat_;
};

// Turns a running byte total into bytes per second between two samples.
class ByteRate {
public:
    // The rate since the previous total, rounded half up; 0 for the first sample, or
    // when no time has passed. A total that went backwards (a statistic restarted)
    // reads 0 rather than a huge figure.
    std::int32_t update(std::uint32_t total, std::uint32_t nowMs);

private:
    bool hasPrevious_ = false;
    std::uint32_t previousTotal_ = 0;
    std::uint32_t previousMs_ = 0;
};

// One statistic read as it stands (processor usage), or two whose sum is a running
// byte count sampled as a rate (network, disk).
class PerfStatsCounter : public MeterCounter {
public:
    // Statistic names as string ids: one or two.
    PerfStatsCounter(std::vector<int> nameIds, const TickClock& clock);

    bool Attach(CounterSource* source) override;
    bool IsLocal() const override { return false; }
    bool Start() override;
    void Sample() override;
    void Stop() override;

private:
    std::vector<std::string> names_;
    const TickClock& clock_;
    PerfStatsSource* stats_ = nullptr;
    ByteRate rate_;
};
