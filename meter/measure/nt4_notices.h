#pragma once
// Windows NT 4 ships without network interface counters and with the disk counters
// off; the meters page tells the user so when either meter is switched on there.
#include "meter/measure/platform_facts.h"
#include "meter/meter_kind.h"

// The notice for switching on a meter of that kind on this system, or nullptr when
// there is nothing to say (other kinds, Windows 9x, Windows 2000 and later).
const char* nt4CounterNotice(MeterKind kind, const PlatformFacts& facts);
