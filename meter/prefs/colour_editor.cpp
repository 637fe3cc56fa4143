#include "meter/prefs/colour_editor.h"

#include <cstdio>

namespace {

bool isColourIndex(int index)
{
    return index >= 0 && index < kGraphColourCount;
}

int red(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}

int green(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}

int blue(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

} // namespace

ColorRef ColourEditor::colour(int index) const
{
    return isColourIndex(index) ? colours_[static_cast<std::size_t>(index)] : 0;
}

bool ColourEditor::setColour(int index, ColorRef colour)
{
    if (!isColourIndex(index))
        return false;
    colours_[static_cast<std::size_t>(index)] = colour;
    scheme_ = kNoScheme;
    changed_ = true;
    return true;
}

bool ColourEditor::chooseScheme(int index)
{
    if (index < 0 || index >= kColourSchemeCount)
        return false;
    colours_ = colourSchemes()[static_cast<std::size_t>(index)].colours;
    scheme_ = index;
    changed_ = true;
    return true;
}

std::vector<std::string> colourSchemeNames()
{
    std::vector<std::string> names;
    for (const ColourScheme& scheme : colourSchemes())
        names.emplace_back(scheme.name);
    return names;
}

std::string colourClipboardText(const GraphColours& colours)
{
    std::string text = "{ ";
    for (std::size_t i = 0; i < colours.size(); ++i) {
        char one[32];
        std::snprintf(one, sizeof one, "RGB(%3d,%3d,%3d)", red(colours[i]), green(colours[i]),
                      blue(colours[i]));
        if (i > 0)
            text += ", ";
        text += one;
    }
    return text + " }";
}
