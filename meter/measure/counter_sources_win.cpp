#include "meter/measure/counter_sources_win.h"

#include "meter/measure/memory_status_win.h"
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/pdh_query_source.h"
#include "meter/measure/perf_stats.h"
#include "meter/measure/perf_stats_registry_win.h"

namespace {

std::unique_ptr<CounterSource> makeExternalSource(const CounterEnvironment& environment)
{
    static DynDataPerfStats dynData;
    if (environment.facts.isNT)
        return std::make_unique<PdhQuerySource>(processCounterLibraryLoader(), environment);
    return std::make_unique<PerfStatsSource>(dynData);
}

} // namespace

std::unique_ptr<CounterSources> createCounterSources(const CounterEnvironment& environment)
{
    static SystemMemoryStatus memory;
    auto first = makeExternalSource(environment);
    auto second = makeExternalSource(environment);
    auto sources = std::make_unique<CounterSources>(std::move(first), std::move(second), memory);
    if (!sources->initialize())
        return nullptr;
    return sources;
}
