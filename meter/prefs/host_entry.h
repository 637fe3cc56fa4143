#pragma once
// The host dialog's rules: how long a host name may be, when "OK" is offered and what
// the dialog hands back.
#include "meter/meter_options.h"

#include <cstddef>
#include <string>

// A ping host slot holds the name and its terminating zero.
constexpr std::size_t kHostNameMost = PingOptions::kHostSlotSize - 1;

// "OK" is offered while the entry differs from the text the dialog opened with and
// names something: an empty slot ends the ping meter's host list, so a blank name
// would cut off every host after it.
bool hostOkEnabled(const std::string& entry, const std::string& opened);

// The name the dialog hands back: the entry without blanks around it, which no host
// name carries.
std::string enteredHost(const std::string& entry);
