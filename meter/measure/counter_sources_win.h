#pragma once
#include "meter/measure/counter_environment.h"
#include "meter/measure/counter_sources.h"

// The sources of the running platform, initialized: performance data queries on the
// NT family, the statistics keys on Windows 9x. nullptr when they cannot work (the
// helper library is missing; the user has been told), and the program should not
// start.
std::unique_ptr<CounterSources> createCounterSources(const CounterEnvironment& environment);
