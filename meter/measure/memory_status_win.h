#pragma once
#include "meter/measure/memory_status_cache.h"

// The system's memory status. Reads the 64-bit figures where the system offers them:
// the older call caps its answers at 2 or 4 GB and would show a large machine wrong.
class SystemMemoryStatus : public MemoryStatusReader {
public:
    MemoryStatusBytes read() override;
};
