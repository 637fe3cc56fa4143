#pragma once
// Small fakes that several suites share.
#include "meter/measure/memory_status_cache.h"
#include "meter/measure/meter_counter.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// A counter whose value the test sets.
class SettableCounter : public MeterCounter {
public:
    bool IsLocal() const override { return true; }
    bool Start() override { return true; }
    void Sample() override {}
    void Stop() override {}
    void set(std::int32_t v) { setValue(v); }
};

// The system's memory status as the test sets it, counting the reads.
class FixedMemory : public MemoryStatusReader {
public:
    MemoryStatusBytes status;
    int reads = 0;
    MemoryStatusBytes read() override
    {
        ++reads;
        return status;
    }
};

// Little-endian 32-bit words, as the registry's binary values hold them.
inline std::vector<std::uint8_t> words(std::initializer_list<std::uint32_t> list)
{
    std::vector<std::uint8_t> data;
    for (std::uint32_t w : list)
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
    return data;
}
