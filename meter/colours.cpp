#include "meter/colours.h"

const std::array<ColourScheme, kColourSchemeCount>& colourSchemes()
{
    // clang-format off
    static const std::array<ColourScheme, kColourSchemeCount> schemes{{
        {"Default", {rgb(0, 0, 0), rgb(92, 92, 92), rgb(80, 255, 80), rgb(255, 255, 80),
                     rgb(255, 80, 80), rgb(80, 80, 255), rgb(232, 232, 0)}},
        {"Grays 1", {rgb(0, 0, 0), rgb(89, 89, 89), rgb(192, 192, 192), rgb(189, 189, 117),
                     rgb(216, 139, 139), rgb(225, 225, 225), rgb(240, 240, 240)}},
        {"Grays 2", {rgb(212, 212, 212), rgb(239, 239, 239), rgb(93, 93, 93), rgb(186, 186, 109),
                     rgb(214, 131, 131), rgb(75, 0, 151), rgb(0, 0, 0)}},
        {"Aqua",    {rgb(180, 250, 250), rgb(140, 250, 250), rgb(145, 180, 240), rgb(120, 120, 255),
                     rgb(0, 0, 255), rgb(240, 240, 255), rgb(0, 0, 0)}},
    }};
    // clang-format on
    return schemes;
}
