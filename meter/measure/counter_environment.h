#pragma once
// What the performance data counters read about their surroundings when they start:
// the platform, the computer being watched and its network interfaces. The program
// owns one; a restart of the meters sees its current state.
#include "meter/measure/network_interfaces.h"
#include "meter/measure/platform_facts.h"
#include "meter/measure/remote_computer.h"

struct CounterEnvironment {
    PlatformFacts facts;
    RemoteComputer remote;
    NetworkInterfaces interfaces;
};
