#pragma once
// The Windows 9x statistics keys under HKEY_DYN_DATA, and the system tick clock the
// rates are timed with.
#include "meter/measure/perf_stats.h"

class DynDataPerfStats : public PerfStatsReader {
public:
    std::unique_ptr<PerfStatsKey> open(const std::string& path) override;
};

class SystemTickClock : public TickClock {
public:
    std::uint32_t tickCount() const override;
};
