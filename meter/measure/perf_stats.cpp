#include "meter/measure/perf_stats.h"

#include "meter/measure/counter_paths.h"

#include <limits>

namespace {

// Reading a name is all it takes to start or stop its statistic.
void touch(PerfStatsKey* key, const std::string& name)
{
    if (key == nullptr)
        return;
    std::uint8_t buffer[512];
    std::uint32_t size = sizeof buffer;
    key->queryValue(name, buffer, &size);
}

std::uint32_t readDword(PerfStatsKey* key, const std::string& name)
{
    if (key == nullptr)
        return 0;
    std::uint8_t buffer[4] = {};
    std::uint32_t size = sizeof buffer;
    if (!key->queryValue(name, buffer, &size) || size < sizeof buffer)
        return 0;
    return static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
           static_cast<std::uint32_t>(buffer[2]) << 16 |
           static_cast<std::uint32_t>(buffer[3]) << 24;
}

} // namespace

bool PerfStatsSource::BeginStart()
{
    startStat_ = reader_.open("PerfStats\\StartStat");
    return startStat_ != nullptr;
}

void PerfStatsSource::EndStart()
{
    startStat_.reset();
    statData_ = reader_.open("PerfStats\\StatData");
}

void PerfStatsSource::BeginStop()
{
    statData_.reset();
    stopStat_ = reader_.open("PerfStats\\StopStat");
}

void PerfStatsSource::EndStop()
{
    stopStat_.reset();
}

std::int32_t ByteRate::update(std::uint32_t total, std::uint32_t nowMs)
{
    std::int32_t rate = 0;
    if (hasPrevious_) {
        // Unsigned difference: right across the wrap of the tick count.
        const std::int64_t ms = static_cast<std::uint32_t>(nowMs - previousMs_);
        const std::int64_t bytes =
            static_cast<std::int64_t>(total) - static_cast<std::int64_t>(previousTotal_);
        if (ms > 0 && bytes > 0) {
            // bytes / (ms / 1000) rounded half up, in whole numbers so that every
            // compiler's floating point gives the same figure.
            const std::int64_t perSecond = (bytes * 2000 + ms) / (2 * ms);
            const std::int64_t most = std::numeric_limits<std::int32_t>::max();
            rate = static_cast<std::int32_t>(perSecond < most ? perSecond : most);
        }
    }
    hasPrevious_ = true;
    previousTotal_ = total;
    previousMs_ = nowMs;
    return rate;
}

PerfStatsCounter::PerfStatsCounter(std::vector<int> nameIds, const TickClock& clock) : clock_(clock)
{
    for (int id : nameIds)
        if (const char* name = counterPathText(id))
            names_.emplace_back(name);
}

bool PerfStatsCounter::Attach(CounterSource* source)
{
    MeterCounter::Attach(source);
    stats_ = dynamic_cast<PerfStatsSource*>(source);
    return stats_ != nullptr;
}

bool PerfStatsCounter::Start()
{
    if (stats_ == nullptr || stats_->startKey() == nullptr)
        return false;
    for (const std::string& name : names_)
        touch(stats_->startKey(), name);
    return true;
}

void PerfStatsCounter::Sample()
{
    PerfStatsKey* data = stats_ != nullptr ? stats_->dataKey() : nullptr;
    if (names_.size() == 1) {
        setValue(static_cast<std::int32_t>(readDword(data, names_[0])));
        return;
    }
    std::uint32_t total = 0;
    for (const std::string& name : names_)
        total += readDword(data, name);
    setValue(rate_.update(total, clock_.tickCount()));
}

void PerfStatsCounter::Stop()
{
    if (stats_ == nullptr)
        return;
    for (const std::string& name : names_)
        touch(stats_->stopKey(), name);
}
