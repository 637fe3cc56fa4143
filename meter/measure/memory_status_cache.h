#pragma once
// The memory figures every memory meter shows, read from the system at most once per
// timer tick however many meters share them.
#include "meter/measure/meter_counter.h"

#include <cstdint>

struct MemoryStatusBytes {
    std::uint64_t totalPageFile = 0;
    std::uint64_t availablePageFile = 0;
    std::uint64_t totalPhysical = 0;
    std::uint64_t availablePhysical = 0;
    std::uint32_t memoryLoad = 0; // percent of physical memory in use, as the system judges it
};

enum class MemoryResource { PageFile, Physical };

// What a memory meter shows: used and total, in KB.
struct MemoryReading {
    std::uint32_t usedKB = 0;
    std::uint32_t totalKB = 0;
};

class MemoryStatusReader {
public:
    virtual ~MemoryStatusReader() = default;
    virtual MemoryStatusBytes read() = 0;
};

class MemoryStatusCache : public MeterCounter {
public:
    explicit MemoryStatusCache(MemoryStatusReader& reader) : reader_(reader) {}

    bool IsLocal() const override { return true; }
    bool Start() override
    {
        fresh_ = false;
        return true;
    }
    // Reads the system unless this tick already did.
    void Sample() override;
    void Stop() override {}

    // After every tick, so that the next one reads afresh.
    void markStale() { fresh_ = false; }

    // Kilobytes, rounded to the nearest.
    std::uint32_t totalPageFileKB() const { return totalPageFileKB_; }
    std::uint32_t usedPageFileKB() const { return usedPageFileKB_; }
    std::uint32_t totalPhysicalKB() const { return totalPhysicalKB_; }
    std::uint32_t usedPhysicalKB() const { return usedPhysicalKB_; }
    MemoryReading reading(MemoryResource resource) const
    {
        return resource == MemoryResource::PageFile
                   ? MemoryReading{usedPageFileKB_, totalPageFileKB_}
                   : MemoryReading{usedPhysicalKB_, totalPhysicalKB_};
    }

private:
    MemoryStatusReader& reader_;
    bool fresh_ = false;
    std::uint32_t totalPageFileKB_ = 0;
    std::uint32_t usedPageFileKB_ = 0;
    std::uint32_t totalPhysicalKB_ = 0;
    std::uint32_t usedPhysicalKB_ = 0;
};

// The reading of a meter whose counter is the memory cache; zeros for a meter without
// one.
MemoryReading memoryReading(const MeterCounter* counter, MemoryResource resource);

// Bytes to kilobytes, rounded half up; saturates rather than wrapping.
std::uint32_t kilobytesOf(std::uint64_t bytes);
