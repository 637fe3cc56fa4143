#pragma once
// Numbers and texts typed into dialog fields: how they are read, bounded and refused,
// with the system's standard messages.
#include <cstddef>
#include <optional>
#include <string>

// "Please enter an integer between %1 and %2." with the bounds in place.
std::string integerRangeMessage(long lowest, long highest);
// "Please enter no more than %1 characters." with the limit in place.
std::string textLengthMessage(std::size_t most);

// The whole number a field holds (blanks around it and a sign allowed); nothing when
// the text is no whole number or one too large to hold.
std::optional<long> parseInteger(const std::string& text);
// The number when it lies in lowest..highest; nothing otherwise.
std::optional<long> parseIntegerInRange(const std::string& text, long lowest, long highest);

// A number brought into lowest..highest: a field tied to a spin control shows the
// nearest value it can hold, never what is left of a wrapped one.
long clampToRange(long value, long lowest, long highest);
