#pragma once
// The meter limits dialog's rules: the ranges of the two limits and their order.
constexpr long kHighLimitLowest = 2;
constexpr long kHighLimitHighest = 100;
constexpr long kMediumLimitLowest = 1;
constexpr long kMediumLimitHighest = 99;

inline constexpr const char* kLimitsOrderMessage =
    "The high limit must be greater than the medium limit.";

// Both limits are in range (checked first, field by field); this is the last check.
inline bool limitsInOrder(long high, long medium)
{
    return high > medium;
}
