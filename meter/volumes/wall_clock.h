#pragma once
// The local date and time, as the log records and daily log file names need it.
#include <ctime>

class WallClock {
public:
    virtual ~WallClock() = default;
    // Broken-down local time; only the calendar and clock fields are relied on.
    virtual std::tm localTime() const = 0;
};
