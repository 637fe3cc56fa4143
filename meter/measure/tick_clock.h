#pragma once
// Milliseconds since the system started, wrapping at 2^32 like the system's own.
#include <cstdint>

class TickClock {
public:
    virtual ~TickClock() = default;
    virtual std::uint32_t tickCount() const = 0;
};
