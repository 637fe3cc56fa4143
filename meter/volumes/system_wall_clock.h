#pragma once
// The computer's local time.
#include "meter/volumes/wall_clock.h"

class SystemWallClock : public WallClock {
public:
    std::tm localTime() const override;
};
