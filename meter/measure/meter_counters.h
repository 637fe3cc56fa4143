#pragma once
// Which counter each of the processor, network and disk meters samples: a query
// counter on the NT family, a statistics counter on Windows 9x.
#include "meter/measure/meter_counter.h"
#include "meter/measure/platform_facts.h"
#include "meter/measure/tick_clock.h"
#include "meter/meter_kind.h"

#include <memory>

// A new counter for the meter of that kind to own; nullptr for the kinds that have no
// counter of their own on this platform (the memory meters share the memory cache,
// the processor 1 and 2 meters exist on the NT family only).
std::unique_ptr<MeterCounter> makeMeterCounter(MeterKind kind, const PlatformFacts& facts,
                                               const TickClock& clock);
