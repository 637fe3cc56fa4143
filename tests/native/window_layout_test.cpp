#include "meter/window_layout.h"

#include <gtest/gtest.h>

namespace {

LayoutRequest firstStart()
{
    LayoutRequest r;
    r.force = true;
    r.autoSize = true;
    r.driveRequired = {250, 60};
    r.window = {100, 100, 300, 300};
    r.activeHeights = {16, 60, 70};
    r.desktop = {0, 0, 1280, 1024};
    return r;
}

} // namespace

TEST(layout, autoSizeFollowsTheDriveMeterAndStacksMeters)
{
    const LayoutResult result = computeLayout(firstStart());
    ASSERT_TRUE(result.changed);
    EXPECT_EQ(result.meterWidth, 250);
    EXPECT_EQ(result.window.width(), 250 + 2 * 3 + 2 * 1);
    EXPECT_EQ(result.meterTops, (std::vector<int>{3, 3 + 16 + 3, 3 + 16 + 3 + 60 + 3}));
    // caption + margins + frames + the stack without the last gap
    EXPECT_EQ(result.window.height(), 18 + 2 + 6 + (3 + 16 + 3 + 60 + 3 + 70));
    EXPECT_EQ(result.window.left, 100);
    EXPECT_EQ(result.window.top, 100);

    LayoutRequest tool = firstStart();
    tool.smallCaption = true;
    EXPECT_EQ(computeLayout(tool).window.height(), result.window.height() - 3);
}

TEST(layout, keepsAWiderWindowUnlessAutoSizing)
{
    LayoutRequest r = firstStart();
    r.autoSize = false;
    r.window = {100, 100, 500, 300};
    LayoutResult result = computeLayout(r);
    EXPECT_EQ(result.window.width(), 400);
    EXPECT_EQ(result.meterWidth, 400 - 2 - 6);

    r.window = {100, 100, 200, 300}; // narrower than the drive meter needs
    result = computeLayout(r);
    EXPECT_EQ(result.meterWidth, 250);
}

TEST(layout, withoutForceOnlyWhenTheDriveMeterChanged)
{
    LayoutRequest r = firstStart();
    r.force = false;
    r.driveClient = r.driveRequired;
    EXPECT_FALSE(computeLayout(r).changed);
    r.driveClient = {250, 44};
    EXPECT_TRUE(computeLayout(r).changed);
    r.driveCollapsed = true;
    EXPECT_FALSE(computeLayout(r).changed);
}

TEST(layout, keepOnScreenPullsTheWindowBack)
{
    LayoutRequest r = firstStart();
    r.window = {-50, 1000, 150, 1100};
    LayoutResult result = computeLayout(r);
    EXPECT_EQ(result.window.left, 0);
    EXPECT_EQ(result.window.bottom, 1024);

    r.window = {1200, -20, 1400, 100};
    result = computeLayout(r);
    EXPECT_EQ(result.window.right, 1280);
    EXPECT_EQ(result.window.top, 0);

    r.keepOnScreen = false; // a stored position off screen is kept
    result = computeLayout(r);
    EXPECT_EQ(result.window.left, 1200);
    EXPECT_EQ(result.window.top, -20);
}

TEST(layout, aDockedWindowStaysDockedWhenItShrinks)
{
    LayoutRequest r = firstStart();
    r.keepDocked = true;
    r.activeHeights = {16};
    // Flush with the right and bottom edges (within 3 pixels), taller than needed.
    r.window = {1280 - 258 - 2, 600, 1280 - 2, 1024};
    LayoutResult result = computeLayout(r);
    EXPECT_EQ(result.window.right, 1280);
    EXPECT_EQ(result.window.bottom, 1024);

    // Four pixels away: not docked, the corner stays.
    r.window = {1280 - 258 - 4, 600, 1280 - 4, 1020};
    result = computeLayout(r);
    EXPECT_EQ(result.window.left, 1280 - 258 - 4);
    EXPECT_EQ(result.window.top, 600);

    // Without keepDocked the window keeps its top-left corner.
    r.keepDocked = false;
    r.window = {1280 - 258, 600, 1280, 1024};
    result = computeLayout(r);
    EXPECT_EQ(result.window.top, 600);
}

TEST(sizing, heightIsFixedAndWidthHasAMinimum)
{
    const FrameMetrics m;
    EXPECT_EQ(minimumWindowWidth(false, 250, m), 100);
    EXPECT_EQ(minimumWindowWidth(true, 250, m), 250 + 8);

    const Rect current{100, 100, 400, 300};
    Rect r = constrainSizing({150, 50, 400, 350}, current, SizingEdge::Left, 100);
    EXPECT_EQ(r, (Rect{150, 100, 400, 300}));
    r = constrainSizing({350, 100, 400, 300}, current, SizingEdge::Left, 100);
    EXPECT_EQ(r, (Rect{300, 100, 400, 300}));
    r = constrainSizing({100, 100, 120, 300}, current, SizingEdge::Right, 100);
    EXPECT_EQ(r, (Rect{100, 100, 200, 300}));
}

TEST(moveMeter, skipsHiddenMetersAndStopsAtTheEnds)
{
    std::array<bool, 14> visible{};
    visible[0] = visible[2] = visible[5] = true;
    EXPECT_EQ(moveUpTarget(5, visible), 2);
    EXPECT_EQ(moveUpTarget(2, visible), 0);
    EXPECT_EQ(moveUpTarget(0, visible), -1);
    EXPECT_EQ(moveDownTarget(2, visible), 5);
    EXPECT_EQ(moveDownTarget(5, visible), -1); // only inactive meters follow
    EXPECT_EQ(moveDownTarget(13, visible), -1);
}
