#pragma once
// The clock a check reads. The Windows build reads the system's; tests set it.
#include <cstdint>

namespace renewo {

class CheckClock {
public:
    virtual ~CheckClock() = default;
    // Calendar time in seconds since 1 January 1970 UTC, the unit of "Renewo LastCheck".
    virtual std::int32_t secondsSince1970() = 0;
};

} // namespace renewo
