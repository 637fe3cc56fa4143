#pragma once
// The main window's stored rectangle, the meter order and every meter's options
// record: the part of the settings that belongs to the window rather than to
// AppSettings.
#include "meter/meter_order.h"
#include "meter/registry_key.h"

#include <cstdint>

struct WindowPlacement {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    bool positionStored = false; // "X" and "Y" were both present
    bool sizeStored = false;     // and "CX" and "CY" too: the size is known
};

// What the window owns and the settings fill in.
struct WindowAndMeters {
    WindowPlacement* placement;
    MeterOrder* order;
    MeterOptionsTable options; // indexed by kind
    PlatformFamily family;     // which kinds are placeholders
};

// Missing or malformed values leave what the window already holds.
void loadWindowAndMeters(const RegistryKey& key, const WindowAndMeters& target);
// The rectangle is written only as far as the placement says it is known. False when
// any write failed.
bool saveWindowAndMeters(RegistryKey& key, const WindowAndMeters& source);
