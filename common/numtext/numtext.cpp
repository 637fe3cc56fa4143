#include "common/numtext/numtext.h"

#include <cmath>

namespace {

std::string groupDigits(std::uint64_t v, bool grouped)
{
    std::string digits = std::to_string(v);
    if (!grouped)
        return digits;
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

// Whole part of a non-negative real, saturating instead of overflowing for values
// no caller produces.
std::uint64_t wholePart(double g)
{
    if (!(g > 0))
        return 0;
    if (g >= 18446744073709551615.0)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(g);
}

bool onlyZeroCharacters(const std::string& s)
{
    return s.find_first_not_of(".0-") == std::string::npos;
}

} // namespace

std::string formatThousands(std::uint32_t v, bool grouped)
{
    return groupDigits(v, grouped);
}

std::string formatFixed(double x, unsigned d, bool grouped, bool tilde)
{
    if (!std::isfinite(x))
        x = 0;
    const bool negative = x < 0;
    const double magnitude = negative ? -x : x;

    double p = 1;
    for (unsigned i = 0; i < d; ++i)
        p *= 0.1;
    const double g = magnitude + 0.5 * p;

    std::string text = groupDigits(wholePart(g), grouped);
    if (d > 0) {
        text += '.';
        double power = 1;
        for (unsigned i = 1; i <= d; ++i) {
            power *= 10;
            // fmod on the truncated product is the 64-bit "mod 10" for every value that
            // fits, and stays defined for the ones that do not.
            const double digit = std::fmod(std::trunc(g * power), 10.0);
            text += static_cast<char>('0' + static_cast<int>(digit));
        }
    }
    if (negative && !onlyZeroCharacters(text))
        text.insert(text.begin(), '-');

    if (tilde && x > 0 && x < 0.1 && onlyZeroCharacters(text))
        return "~0.0";
    return text;
}

std::string formatAdaptive(double x, unsigned minDecimals, unsigned maxDecimals, bool grouped,
                           bool tilde)
{
    unsigned decimals = minDecimals;
    if (x > 0 && x < 1) {
        unsigned i = minDecimals > 1 ? minDecimals : 1;
        double h = 0.05;
        for (unsigned k = 1; k < i; ++k)
            h *= 0.1;
        for (; i <= maxDecimals; ++i, h *= 0.1) {
            if (x >= h) {
                decimals = i;
                break;
            }
        }
    }
    return formatFixed(x, decimals, grouped, tilde);
}

std::string formatKilo(std::uint32_t v, bool fine)
{
    if (fine)
        return formatFixed(v / 1024.0, 1, true, true);
    return groupDigits((static_cast<std::uint64_t>(v) + 512) / 1024, true);
}

std::string formatKBtoUnit(bool kbUnits, std::uint32_t v)
{
    const double mb = kbUnits ? v * 0.0009765625 : v * 9.536743e-7;
    return formatAdaptive(mb, 1, 3, true, true);
}

std::string formatSize(double kilobytes)
{
    if (kilobytes >= 1) {
        if (kilobytes / 1024 >= 1)
            return formatFixed(kilobytes / 1024, 1, true, false) + " MB";
        return formatFixed(kilobytes, 1, true, false) + " KB";
    }
    const double bytes = kilobytes > 0 ? kilobytes * 1024 : 0;
    return groupDigits(static_cast<std::uint64_t>(bytes), false) + " bytes";
}

std::string formatPercent(std::uint32_t a, std::uint32_t b)
{
    // Nothing to compare against: show no share rather than divide by zero.
    if (b == 0)
        return "0.0%";
    return formatFixed(static_cast<double>(a) / b * 100, 1, false, true) + "%";
}
