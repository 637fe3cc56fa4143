#pragma once
// Echoes through the system's ICMP helper (iphlpapi), for users who may not open a raw
// socket (Windows Vista and later without administrator rights).
#include "meter/measure/ping_status.h"

#include <cstdint>
#include <vector>

// One echo to each address (IPv4, host order), all sent before any is waited for, and
// one time-out for all of them: the same outcomes the raw socket gives.
std::vector<EchoOutcome> echoThroughIcmpHelper(const std::vector<std::uint32_t>& addresses,
                                               std::uint32_t timeoutMs);
