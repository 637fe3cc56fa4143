#include "mail/notify/popup_lines.h"

#include <algorithm>

namespace mail {

void PopupLines::show(int image, const std::string& text, const void* account)
{
    for (PopupLine& line : lines_) {
        if (line.account == account) {
            line.image = image;
            line.text = text;
            return;
        }
    }
    lines_.push_back({image, text, account});
}

void PopupLines::forget(const void* account)
{
    lines_.erase(
        std::remove_if(lines_.begin(), lines_.end(),
                       [account](const PopupLine& line) { return line.account == account; }),
        lines_.end());
}

const void* PopupLines::lastAccount() const
{
    return lines_.empty() ? nullptr : lines_.back().account;
}

PopupLayout layoutPopup(const std::vector<PopupLine>& lines, const TextMeasurer& measurer,
                        const Rect& workArea)
{
    PopupLayout layout;
    int widest = 0;
    int top = kPopupFirstLineTop;
    for (const PopupLine& line : lines) {
        const Size size = measurer.measureText(line.text);
        widest = std::max(widest, size.cx);
        layout.lineTops.push_back(top);
        top += size.cy + kPopupLineGap;
    }
    const int width = widest + kPopupExtraWidth;
    const int height = top - kPopupFirstLineTop + kPopupExtraHeight;
    layout.bounds = {workArea.right - width, workArea.bottom - height, workArea.right,
                     workArea.bottom};
    return layout;
}

void PopupSlide::slideIn(int fullWidth)
{
    fullWidth_ = std::max(fullWidth, 0);
    width_ = std::min(width_, fullWidth_);
    phase_ = SlidePhase::SlidingIn;
}

void PopupSlide::slideOut()
{
    if (phase_ != SlidePhase::Hidden)
        phase_ = SlidePhase::SlidingOut;
}

void PopupSlide::resize(int fullWidth)
{
    fullWidth_ = std::max(fullWidth, 0);
    if (phase_ == SlidePhase::Shown)
        width_ = fullWidth_;
    else
        width_ = std::min(width_, fullWidth_);
}

bool PopupSlide::step()
{
    switch (phase_) {
    case SlidePhase::SlidingIn:
        width_ = std::min(width_ + kPopupSlideStep, fullWidth_);
        if (width_ < fullWidth_)
            return false;
        phase_ = SlidePhase::Shown;
        return true;
    case SlidePhase::SlidingOut:
        width_ = std::max(width_ - kPopupSlideStep, 0);
        if (width_ > 0)
            return false;
        phase_ = SlidePhase::Hidden;
        return true;
    case SlidePhase::Hidden:
    case SlidePhase::Shown:
        break;
    }
    return false;
}

Rect PopupSlide::visible(const Rect& full) const
{
    return {full.right - width_, full.top, full.right, full.bottom};
}

} // namespace mail
