#include "meter/prefs/colour_editor.h"

#include <gtest/gtest.h>

namespace {

const GraphColours& scheme(int index)
{
    return colourSchemes()[static_cast<std::size_t>(index)].colours;
}

constexpr int kDefault = 0;
constexpr int kGrays2 = 2;
constexpr int kAqua = 3;

} // namespace

TEST(colourEditor, opensWithTheGivenColoursNoSchemeAndNothingChanged)
{
    GraphColours mine = scheme(kGrays2);
    mine[kColourGrid] = rgb(1, 2, 3);
    const ColourEditor editor(mine);
    EXPECT_EQ(editor.colours(), mine);
    EXPECT_EQ(editor.scheme(), kNoScheme);
    EXPECT_FALSE(editor.changed()); // "OK" starts disabled
}

TEST(colourEditor, aSchemeSetsAllSevenColoursAndIsSelected)
{
    ColourEditor editor(scheme(kDefault));
    EXPECT_TRUE(editor.chooseScheme(kAqua));
    EXPECT_EQ(editor.colours(), scheme(kAqua));
    EXPECT_EQ(editor.scheme(), kAqua);
    EXPECT_TRUE(editor.changed());
}

TEST(colourEditor, changingOneColourAfterASchemeDropsTheSelectionAndKeepsTheOthers)
{
    ColourEditor editor(scheme(kDefault));
    editor.chooseScheme(kAqua);
    const ColorRef picked = rgb(10, 20, 30);
    EXPECT_TRUE(editor.setColour(kColourWarning, picked));
    EXPECT_EQ(editor.scheme(), kNoScheme);
    for (int i = 0; i < kGraphColourCount; ++i) {
        const ColorRef expected =
            i == kColourWarning ? picked : scheme(kAqua)[static_cast<std::size_t>(i)];
        EXPECT_EQ(editor.colour(i), expected) << "colour " << i;
    }
}

TEST(colourEditor, aPickedColourAloneEnablesOk)
{
    ColourEditor editor(scheme(kDefault));
    EXPECT_TRUE(editor.setColour(kColourText, rgb(255, 255, 255)));
    EXPECT_TRUE(editor.changed());
    EXPECT_EQ(editor.colour(kColourText), rgb(255, 255, 255));
    EXPECT_EQ(editor.colour(kColourBackground), scheme(kDefault)[kColourBackground]);
}

TEST(colourEditor, indexesOutsideTheTablesChangeNothing)
{
    ColourEditor editor(scheme(kGrays2));
    EXPECT_FALSE(editor.chooseScheme(-1)); // the list's "no selection"
    EXPECT_FALSE(editor.chooseScheme(kColourSchemeCount));
    EXPECT_FALSE(editor.setColour(-1, 0));
    EXPECT_FALSE(editor.setColour(kGraphColourCount, 0));
    EXPECT_EQ(editor.colours(), scheme(kGrays2));
    EXPECT_FALSE(editor.changed());
    EXPECT_EQ(editor.colour(kGraphColourCount), 0u);
}

TEST(colourSchemeNames, listedInSchemeOrder)
{
    EXPECT_EQ(colourSchemeNames(),
              (std::vector<std::string>{"Default", "Grays 1", "Grays 2", "Aqua"}));
}

TEST(colourClipboardText, defaultSchemePaddedToThreePlacesInRedGreenBlueOrder)
{
    EXPECT_EQ(colourClipboardText(scheme(kDefault)),
              "{ RGB(  0,  0,  0), RGB( 92, 92, 92), RGB( 80,255, 80), RGB(255,255, 80), "
              "RGB(255, 80, 80), RGB( 80, 80,255), RGB(232,232,  0) }");
}

TEST(colourClipboardText, eachPartTakenFromItsOwnByte)
{
    // Red, green and blue all differ, so a swapped or shifted part shows.
    GraphColours colours{};
    colours[kColourAverage] = rgb(75, 0, 151);
    colours[kColourText] = rgb(1, 22, 255);
    EXPECT_EQ(colourClipboardText(colours),
              "{ RGB(  0,  0,  0), RGB(  0,  0,  0), RGB(  0,  0,  0), RGB(  0,  0,  0), "
              "RGB(  0,  0,  0), RGB( 75,  0,151), RGB(  1, 22,255) }");
}
