#pragma once
// Connects the meters to the counter sources: which counter each meter samples, and
// the restart that attaches the counters of the active meters and starts the sources.
#include "meter/measure/counter_environment.h"
#include "meter/measure/counter_sources.h"
#include "meter/measure/tick_clock.h"
#include "meter/meter.h"

#include <vector>

// Gives a processor, memory, network or disk meter its counter: the shared memory cache
// for the memory kinds, a counter of its own for the others. Other kinds are left as
// they are.
void bindMeterCounter(Meter& meter, CounterSources& sources, const PlatformFacts& facts,
                      const TickClock& clock);

// Stops every source, then attaches the counter of every active meter (in the order
// given, after its prepareCounters()) to its timer's pair, re-enumerates the network
// interfaces on the NT family (library: the loaded helper library, or nullptr) and
// starts the sources.
void restartCounters(const std::vector<Meter*>& meters, CounterSources& sources,
                     CounterEnvironment& environment, CounterLibrary* library);
