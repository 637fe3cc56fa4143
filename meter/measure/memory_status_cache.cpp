#include "meter/measure/memory_status_cache.h"

std::uint32_t kilobytesOf(std::uint64_t bytes)
{
    const std::uint64_t kb = bytes / 1024 + ((bytes % 1024) >= 512 ? 1 : 0);
    return kb > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kb);
}

namespace {

// A system that reports more available than total (it happens on a page file that
// grows between the two readings) is using nothing, not four billion kilobytes.
std::uint64_t usedOf(std::uint64_t total, std::uint64_t available)
{
    return available < total ? total - available : 0;
}

} // namespace

void MemoryStatusCache::Sample()
{
    if (fresh_)
        return;
    const MemoryStatusBytes status = reader_.read();
    totalPageFileKB_ = kilobytesOf(status.totalPageFile);
    usedPageFileKB_ = kilobytesOf(usedOf(status.totalPageFile, status.availablePageFile));
    totalPhysicalKB_ = kilobytesOf(status.totalPhysical);
    usedPhysicalKB_ = kilobytesOf(usedOf(status.totalPhysical, status.availablePhysical));
    fresh_ = true;
}

MemoryReading memoryReading(const MeterCounter* counter, MemoryResource resource)
{
    const auto* cache = dynamic_cast<const MemoryStatusCache*>(counter);
    return cache != nullptr ? cache->reading(resource) : MemoryReading{};
}
