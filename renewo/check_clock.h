#pragma once
// The clock a check reads. The Windows build reads the system's; tests set it.
#include <cstdint>

namespace renewo {

class CheckClock {
public:
    virtual ~CheckClock() = default;
    // Calendar time in seconds since 1 January 1970 UTC, the unit of "Renewo LastCheck".
    virtual std::int32_t secondsSince1970() = 0;
    // Milliseconds since the system started, wrapping at 2^32: for time limits, which
    // must not move when someone sets the calendar clock.
    virtual std::uint32_t tickCount() = 0;
};

// A time limit that starts when it is made; the tick count may wrap around meanwhile.
class Deadline {
public:
    Deadline(CheckClock& clock, std::uint32_t milliseconds)
        : clock_(clock), start_(clock.tickCount()), limit_(milliseconds)
    {
    }
    bool passed() const { return clock_.tickCount() - start_ >= limit_; }

private:
    CheckClock& clock_;
    std::uint32_t start_;
    std::uint32_t limit_;
};

} // namespace renewo
