#pragma once
// The arithmetic of the main window: stacking the active meters, sizing the window to
// the drive meter, keeping it on screen and docked, and the limits of resizing.
#include "meter/canvas.h"

#include <array>
#include <vector>

struct FrameMetrics {
    int edge = 2;
    int dialogFrameX = 3;
    int dialogFrameY = 3;
    int caption = 18;
    int smallCaption = 15;
};

constexpr int kLayoutMargin = 1; // left offset of the meters and extra border per side
constexpr int kMeterGap = 3;     // between meters, and above the first
constexpr int kDockDistance = 3; // an edge this close to the screen's is docked to it
constexpr int kMinimumWindowWidth = 100;

struct LayoutRequest {
    bool force = false;
    bool keepDocked = false;
    bool autoSize = false; // also when the size is not known yet or on a first run
    Size driveRequired;    // the drive meter's list plus its button strip
    bool driveCollapsed = false;
    Size driveClient;               // the drive meter's current client size
    Rect window;                    // the current outer window rectangle
    std::vector<int> activeHeights; // effective heights of the active meters, in order
    FrameMetrics metrics;
    bool smallCaption = false; // hidden from the task bar: a tool window
    bool keepOnScreen = true;
    Rect desktop;
};

struct LayoutResult {
    bool changed = false; // false: nothing to do, the window stays as it is
    Rect window;
    int meterWidth = 0;
    std::vector<int> meterTops; // y of each active meter, x is kLayoutMargin
};

LayoutResult computeLayout(const LayoutRequest& request);

// Narrowest width the user may drag the window to.
int minimumWindowWidth(bool driveActive, int driveRequiredWidth, const FrameMetrics& metrics);

enum class SizingEdge { Left, Right, Other };
// A rectangle being dragged: the height stays, the width keeps to the minimum.
Rect constrainSizing(const Rect& proposed, const Rect& current, SizingEdge edge, int minimumWidth);

// The position a meter moves to: the nearest visible meter above (or below), or -1.
int moveUpTarget(int position, const std::array<bool, 14>& visible);
int moveDownTarget(int position, const std::array<bool, 14>& visible);
