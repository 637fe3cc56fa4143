#pragma once
// The display order of the fourteen meters: which kind sits at each position of the
// window's stack. Every kind appears exactly once, whatever is asked of it.
#include "meter/meter_kind.h"
#include "meter/meter_options.h"

#include <array>

// The options of every meter, indexed by kind; they say which meters are active.
using MeterOptionsTable = std::array<MeterOptions*, kMeterKindCount>;

class MeterOrder {
public:
    // Kinds in kind order, before the default order is applied.
    MeterOrder();

    // The order a new window starts with.
    static MeterOrder defaultOrder();

    // 0..13, or -1 for a value that is no kind.
    int positionOf(int kind) const;
    int positionOf(MeterKind kind) const { return positionOf(static_cast<int>(kind)); }
    MeterKind kindAt(int position) const { return kinds_[static_cast<std::size_t>(position)]; }

    // Takes the meter out and puts it back at `newPosition`, the meters between
    // closing the gap. False, with nothing moved, for a position or kind out of range.
    bool moveKind(int kind, int newPosition);
    bool moveKind(MeterKind kind, int newPosition)
    {
        return moveKind(static_cast<int>(kind), newPosition);
    }

    // moveKind(kinds[i], i) for every position in turn; values that are no kind are
    // passed over.
    void applyOrder(const std::array<int, kMeterKindCount>& kinds);
    std::array<int, kMeterKindCount> currentOrder() const;

    // Whether the first (last) active meter in display order is of `kind`.
    bool isFirstActive(MeterKind kind, const MeterOptionsTable& options) const;
    bool isLastActive(MeterKind kind, const MeterOptionsTable& options) const;

private:
    std::array<MeterKind, kMeterKindCount> kinds_;
};
