#pragma once
// Free 16-bit resources. Only the Windows 9x family has them, and it cannot run this
// program's builds, so every figure is 0; the meter is a placeholder on the NT family.
#include "meter/volumes/resources_meter.h"

class WinFreeResources : public FreeResourcesQuery {
public:
    int freePercent(ResourceHeap) override { return 0; }
};
