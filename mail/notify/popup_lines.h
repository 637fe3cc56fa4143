#pragma once
// What the new-mail popup shows and how it moves, apart from the window that shows
// it: one line per account (an image and a text), the popup's size and place in the
// work area, and its slide in from the right edge and back out.
#include "meter/canvas.h"

#include <string>
#include <vector>

namespace mail {

// Both notifications (new mail and a failed check) show the second image.
constexpr int kPopupNoticeImage = 1;

// Where a line's parts go inside the popup, in pixels.
constexpr int kPopupImageLeft = 3;
constexpr int kPopupTextLeft = 22;
constexpr int kPopupFirstLineTop = 3;
constexpr int kPopupLineGap = 2;
// Room beside the widest text (image column and frame) and below the last line.
constexpr int kPopupExtraWidth = 26;
constexpr int kPopupExtraHeight = 5;
// How far the popup's edge moves at each step of a slide.
constexpr int kPopupSlideStep = 4;

struct PopupLine {
    int image = 0;
    std::string text;
    const void* account = nullptr; // only compared, never followed
};

// The lines in the order their accounts first reported.
class PopupLines {
public:
    // Replaces the account's line, or adds one at the end when it has none.
    void show(int image, const std::string& text, const void* account);
    // Drops the account's line; the account is going away.
    void forget(const void* account);
    void clear() { lines_.clear(); }

    const std::vector<PopupLine>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }
    // The account of the last line, null when there is none.
    const void* lastAccount() const;

private:
    std::vector<PopupLine> lines_;
};

struct PopupLayout {
    Rect bounds;               // the whole popup, in screen pixels
    std::vector<int> lineTops; // each line's top, from the popup's top
};

// The popup's size for its lines in the measurer's font, in the bottom-right corner
// of the work area.
PopupLayout layoutPopup(const std::vector<PopupLine>& lines, const TextMeasurer& measurer,
                        const Rect& workArea);

enum class SlidePhase { Hidden, SlidingIn, Shown, SlidingOut };

// The visible width of the popup while it slides. The popup keeps its right edge on
// the work area's right edge; only its left edge moves, 4 pixels a step.
class PopupSlide {
public:
    // Starts (or turns round) a slide in towards fullWidth from the present width.
    void slideIn(int fullWidth);
    // Starts a slide out from the present width; nothing when already hidden.
    void slideOut();
    // A new full width for the same showing (lines came or went): the popup shrinks
    // at once when it is wider, and a shown popup takes the new width.
    void resize(int fullWidth);
    // One step of the running slide. True when it ended the slide: the popup is now
    // shown at full width, or hidden.
    bool step();

    SlidePhase phase() const { return phase_; }
    int width() const { return width_; }
    // The part of `full` that is visible at the present width.
    Rect visible(const Rect& full) const;

private:
    SlidePhase phase_ = SlidePhase::Hidden;
    int width_ = 0;
    int fullWidth_ = 0;
};

} // namespace mail
