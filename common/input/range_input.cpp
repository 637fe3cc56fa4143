#include "common/input/range_input.h"

#include <cctype>
#include <climits>

namespace {

std::string replaceMarker(std::string text, const char* marker, const std::string& with)
{
    const std::size_t at = text.find(marker);
    if (at != std::string::npos)
        text.replace(at, 2, with);
    return text;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string integerRangeMessage(long lowest, long highest)
{
    std::string text = "Please enter an integer between %1 and %2.";
    text = replaceMarker(text, "%1", std::to_string(lowest));
    return replaceMarker(text, "%2", std::to_string(highest));
}

std::string textLengthMessage(std::size_t most)
{
    return replaceMarker("Please enter no more than %1 characters.", "%1", std::to_string(most));
}

std::optional<long> parseInteger(const std::string& text)
{
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == end)
        return std::nullopt;
    long value = 0;
    for (; i < end; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c))
            return std::nullopt;
        if (value > (LONG_MAX - (c - '0')) / 10)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<long> parseIntegerInRange(const std::string& text, long lowest, long highest)
{
    const std::optional<long> value = parseInteger(text);
    if (!value || *value < lowest || *value > highest)
        return std::nullopt;
    return value;
}

long clampToRange(long value, long lowest, long highest)
{
    return value < lowest ? lowest : value > highest ? highest : value;
}
