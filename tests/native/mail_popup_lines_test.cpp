#include "mail/notify/popup_lines.h"

#include <gtest/gtest.h>

#include <map>

using namespace mail;

namespace {

// Six pixels a character; a text may be given a height of its own (a line with a
// taller script), else 15.
class TableMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string& text, FontWeight) const override
    {
        const auto tall = heights.find(text);
        return {static_cast<int>(text.size()) * 6, tall != heights.end() ? tall->second : 15};
    }
    std::map<std::string, int> heights;
};

const int accountA = 0;
const int accountB = 1;
const void* const home = &accountA;
const void* const work = &accountB;

} // namespace

TEST(popupLines, aSecondTextForAnAccountReplacesItsLineInPlace)
{
    PopupLines lines;
    lines.show(kPopupNoticeImage, "1 new message(s) in your Home account", home);
    lines.show(kPopupNoticeImage, "Could not connect to your Work account.", work);
    lines.show(0, "3 new message(s) in your Home account", home);

    ASSERT_EQ(lines.lines().size(), 2u);
    EXPECT_EQ(lines.lines()[0].text, "3 new message(s) in your Home account");
    EXPECT_EQ(lines.lines()[0].image, 0);
    EXPECT_EQ(lines.lines()[0].account, home);
    EXPECT_EQ(lines.lines()[1].text, "Could not connect to your Work account.");
    EXPECT_EQ(lines.lastAccount(), work);
}

TEST(popupLines, forgettingAnAccountTakesOnlyItsLine)
{
    PopupLines lines;
    EXPECT_EQ(lines.lastAccount(), nullptr);
    lines.forget(home); // nothing to forget
    lines.show(1, "home", home);
    lines.show(1, "work", work);
    lines.forget(work);
    ASSERT_EQ(lines.lines().size(), 1u);
    EXPECT_EQ(lines.lines()[0].text, "home");
    EXPECT_EQ(lines.lastAccount(), home);
    // A later text for the forgotten account is a new line at the end.
    lines.show(1, "work again", work);
    EXPECT_EQ(lines.lastAccount(), work);
    EXPECT_EQ(lines.lines().size(), 2u);
}

TEST(popupLayout, theWidestLineSetsTheWidthAndEachLineItsOwnHeight)
{
    TableMeasurer measurer;
    measurer.heights["tall"] = 22;
    const std::vector<PopupLine> lines = {
        {1, "short", home}, {1, "tall", work}, {1, "the longest line", nullptr}};
    const Rect offset{100, 50, 900, 650}; // a work area away from the origin
    const PopupLayout layout = layoutPopup(lines, measurer, offset);
    EXPECT_EQ(layout.bounds.width(), 16 * 6 + 26);
    EXPECT_EQ(layout.bounds.height(), (15 + 2) + (22 + 2) + (15 + 2) + 5);
    EXPECT_EQ(layout.bounds.right, 900);
    EXPECT_EQ(layout.bounds.bottom, 650);
    // Each line starts below the one before it by that line's height and the gap.
    EXPECT_EQ(layout.lineTops, (std::vector<int>{3, 3 + 17, 3 + 17 + 24}));
}

TEST(popupSlide, movesFourPixelsAStepAndEndsExactlyAtFullWidthAndAtNothing)
{
    PopupSlide slide;
    EXPECT_FALSE(slide.step()) << "nothing moves while hidden";
    slide.slideIn(10);
    std::vector<int> widths;
    while (!slide.step())
        widths.push_back(slide.width());
    widths.push_back(slide.width());
    EXPECT_EQ(widths, (std::vector<int>{4, 8, 10})) << "the last step is the part that is left";
    EXPECT_EQ(slide.phase(), SlidePhase::Shown);
    EXPECT_FALSE(slide.step());

    slide.slideOut();
    widths.clear();
    while (!slide.step())
        widths.push_back(slide.width());
    widths.push_back(slide.width());
    EXPECT_EQ(widths, (std::vector<int>{6, 2, 0}));
    EXPECT_EQ(slide.phase(), SlidePhase::Hidden);
    slide.slideOut();
    EXPECT_EQ(slide.phase(), SlidePhase::Hidden) << "a hidden popup has nowhere to go";
}

TEST(popupSlide, aNewTextWhileSlidingOutTurnsItRoundFromWhereItIs)
{
    PopupSlide slide;
    slide.slideIn(100);
    while (!slide.step()) {
    }
    slide.slideOut();
    slide.step();
    slide.step();
    EXPECT_EQ(slide.width(), 92);
    slide.slideIn(60); // and the new lines are narrower
    EXPECT_EQ(slide.width(), 60);
    EXPECT_TRUE(slide.step());
    EXPECT_EQ(slide.phase(), SlidePhase::Shown);
}

TEST(popupSlide, aShownPopupTakesANewWidthAtOnceASlidingOneIsNeverWider)
{
    PopupSlide shown;
    shown.slideIn(12);
    while (!shown.step()) {
    }
    shown.resize(40);
    EXPECT_EQ(shown.width(), 40);

    PopupSlide sliding;
    sliding.slideIn(40);
    sliding.step();
    sliding.step();
    sliding.resize(6);
    EXPECT_EQ(sliding.width(), 6);
    sliding.resize(30);
    EXPECT_EQ(sliding.width(), 6);
    EXPECT_EQ(sliding.phase(), SlidePhase::SlidingIn);
    // Its visible part keeps the popup's right edge.
    EXPECT_EQ(sliding.visible({900, 700, 950, 738}), (Rect{944, 700, 950, 738}));
}
