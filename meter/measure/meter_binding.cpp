#include "meter/measure/meter_binding.h"

#include "meter/measure/meter_counters.h"

void bindMeterCounter(Meter& meter, CounterSources& sources, const PlatformFacts& facts,
                      const TickClock& clock)
{
    switch (meter.kind()) {
    case MeterKind::PageFile:
    case MeterKind::PageFileGraph:
    case MeterKind::PhysMem:
    case MeterKind::PhysMemGraph:
        meter.setCounter(&sources.memoryCache(), false);
        return;
    default:
        if (auto counter = makeMeterCounter(meter.kind(), facts, clock))
            meter.setCounter(counter.release(), true);
        return;
    }
}

void restartCounters(const std::vector<Meter*>& meters, CounterSources& sources,
                     CounterEnvironment& environment, CounterLibrary* library)
{
    sources.stopAll();
    for (Meter* meter : meters) {
        if (meter == nullptr || meter->isPlaceholder() || !meter->options().active() ||
            meter->counter() == nullptr)
            continue;
        meter->prepareCounters();
        sources.attach(*meter->counter(), meter->options().timer());
    }
    if (environment.facts.isNT && library != nullptr)
        environment.interfaces.rebuild(*library, environment.facts, environment.remote);
    sources.startAll();
}
