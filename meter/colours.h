#pragma once
// Colour references as Windows takes them (0x00BBGGRR) and the built-in schemes of
// the seven graph colours.
#include <array>
#include <cstdint>

using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int r, int g, int b)
{
    return static_cast<ColorRef>(r) | static_cast<ColorRef>(g) << 8 |
           static_cast<ColorRef>(b) << 16;
}

// Roles of the seven graph colours, in stored order.
enum GraphColour : int {
    kColourBackground = 0,
    kColourGrid = 1,
    kColourNormal = 2,
    kColourWarning = 3,
    kColourHigh = 4,
    kColourAverage = 5,
    kColourText = 6,
};
constexpr int kGraphColourCount = 7;
using GraphColours = std::array<ColorRef, kGraphColourCount>;

struct ColourScheme {
    const char* name;
    GraphColours colours;
};

constexpr int kColourSchemeCount = 4;
// "Default", "Grays 1", "Grays 2", "Aqua"; index 0 is the default.
const std::array<ColourScheme, kColourSchemeCount>& colourSchemes();
