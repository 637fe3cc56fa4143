#include "meter/window_layout.h"

#include <cstdlib>

namespace {

bool inside(const Rect& r, const Rect& area)
{
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}

Rect keepOnScreen(Rect n, const Rect& old, const Rect& desktop, bool keepDocked)
{
    const int width = n.width();
    const int height = n.height();
    if (!inside(n, desktop)) {
        if (n.left < desktop.left)
            n.left = desktop.left;
        else if (n.right > desktop.right)
            n.left = desktop.right - width;
        if (n.top < desktop.top)
            n.top = desktop.top;
        else if (n.bottom > desktop.bottom)
            n.top = desktop.bottom - height;
    } else if (keepDocked) {
        // A window docked to the right or bottom edge stays there as it shrinks.
        if (std::abs(desktop.right - old.right) <= kDockDistance && n.right < desktop.right)
            n.left += desktop.right - n.right;
        if (std::abs(desktop.bottom - old.bottom) <= kDockDistance && n.bottom < desktop.bottom)
            n.top += desktop.bottom - n.bottom;
    }
    return {n.left, n.top, n.left + width, n.top + height};
}

} // namespace

LayoutResult computeLayout(const LayoutRequest& request)
{
    LayoutResult result;
    const int requiredWidth = request.driveRequired.cx;
    if (!request.force) {
        if (request.driveCollapsed)
            return result;
        if (request.driveClient.cx == request.driveRequired.cx &&
            request.driveClient.cy == request.driveRequired.cy)
            return result;
    }
    result.changed = true;

    const FrameMetrics& m = request.metrics;
    int width;
    if (request.autoSize || request.window.width() < requiredWidth) {
        width = requiredWidth + 2 * m.dialogFrameX + 2 * kLayoutMargin;
        result.meterWidth = requiredWidth;
    } else {
        width = request.window.width();
        result.meterWidth = width - 2 * kLayoutMargin - 2 * m.dialogFrameX;
    }

    int y = kMeterGap;
    for (int height : request.activeHeights) {
        result.meterTops.push_back(y);
        y += height + kMeterGap;
    }
    const int height = (request.smallCaption ? m.smallCaption : m.caption) + 2 * kLayoutMargin +
                       2 * m.dialogFrameY + y - kMeterGap;

    Rect n{request.window.left, request.window.top, request.window.left + width,
           request.window.top + height};
    if (request.keepOnScreen)
        n = keepOnScreen(n, request.window, request.desktop, request.keepDocked);
    result.window = n;
    return result;
}

int minimumWindowWidth(bool driveActive, int driveRequiredWidth, const FrameMetrics& metrics)
{
    if (!driveActive)
        return kMinimumWindowWidth;
    return 2 * (kLayoutMargin + metrics.dialogFrameX) + driveRequiredWidth;
}

Rect constrainSizing(const Rect& proposed, const Rect& current, SizingEdge edge, int minimumWidth)
{
    Rect r = proposed;
    r.top = current.top;
    r.bottom = current.bottom;
    if (r.width() < minimumWidth) {
        if (edge == SizingEdge::Left)
            r.left = r.right - minimumWidth;
        else if (edge == SizingEdge::Right)
            r.right = r.left + minimumWidth;
    }
    return r;
}

int moveUpTarget(int position, const std::array<bool, 14>& visible)
{
    for (int q = position - 1; q >= 0; --q)
        if (visible[static_cast<std::size_t>(q)])
            return q;
    return -1;
}

int moveDownTarget(int position, const std::array<bool, 14>& visible)
{
    for (int q = position + 1; q < 14; ++q)
        if (visible[static_cast<std::size_t>(q)])
            return q;
    return -1;
}
