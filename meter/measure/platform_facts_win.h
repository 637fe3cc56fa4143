#pragma once
#include "meter/measure/platform_facts.h"

// The facts of the running system: its version and its default input language.
PlatformFacts readPlatformFacts();
