#pragma once
// Number texts: every number the programs show goes through these functions. The
// grouping separator is always "," and the decimal mark always ".", whatever the
// user's locale, so that meters, logs and the folder usage page read the same
// everywhere. Results are returned by value; nothing can overrun a buffer.
#include <cstdint>
#include <string>

// Decimal digits of v; with grouped, "," between groups of three from the right.
std::string formatThousands(std::uint32_t v, bool grouped);

// x rounded half up to d decimals. With tilde, a positive x below 0.1 that would
// show only zeros is written "~0.0" so that "some" never reads as "none".
std::string formatFixed(double x, unsigned d, bool grouped, bool tilde);

// Fixed decimals, but values in (0, 1) get as many decimals (up to maxDecimals) as
// it takes to show their first significant digit.
std::string formatAdaptive(double x, unsigned minDecimals, unsigned maxDecimals, bool grouped,
                           bool tilde);

// v / 1024: with fine, one decimal; otherwise the rounded whole number.
std::string formatKilo(std::uint32_t v, bool fine);

// Megabytes of a kilobyte count (kbUnits) or of a byte count.
std::string formatKBtoUnit(bool kbUnits, std::uint32_t v);

// A size given in kilobytes, written with the unit that suits it: "1.5 MB",
// "1.0 KB", "512 bytes".
std::string formatSize(double kilobytes);

// a / b as a percentage with one decimal and "%".
std::string formatPercent(std::uint32_t a, std::uint32_t b);
