#include "mail/tray/tray_menu_layout.h"

#include <algorithm>

namespace mail {

std::string separatorCaption(const std::string& caption)
{
    return " " + caption + " ";
}

bool usesBoldFont(const TrayMenuItem& item)
{
    return item.kind == TrayMenuItemKind::CaptionedSeparator;
}

namespace {

Size textSize(const TrayMenuItem& item, const TextMeasurer& measurer)
{
    const FontWeight weight = usesBoldFont(item) ? FontWeight::Bold : FontWeight::Normal;
    if (item.kind == TrayMenuItemKind::CaptionedSeparator)
        return measurer.measureText(separatorCaption(item.text), weight);
    return measurer.measureText(item.text, weight);
}

constexpr int kTextLeft = kMenuImageLeft + kMenuImageSize + kMenuTextGap;

} // namespace

Size measureTrayMenuItem(const TrayMenuItem& item, const TextMeasurer& measurer)
{
    if (item.kind == TrayMenuItemKind::Separator)
        return {0, 2 * kMenuItemPadding + 1};
    const Size text = textSize(item, measurer);
    if (item.kind == TrayMenuItemKind::CaptionedSeparator)
        return {text.cx + 2 * kMenuCaptionMargin, text.cy + 2 * kMenuItemPadding};
    return {kTextLeft + text.cx + kMenuTextRight,
            std::max(kMenuImageSize, text.cy) + 2 * kMenuItemPadding};
}

MenuItemLayout layoutTrayMenuItem(const TrayMenuItem& item, const Rect& bounds,
                                  const TextMeasurer& measurer)
{
    MenuItemLayout layout;
    layout.lineY = bounds.top + bounds.height() / 2;
    if (item.kind == TrayMenuItemKind::CaptionedSeparator) {
        const int width = std::min(textSize(item, measurer).cx, bounds.width());
        const int left = bounds.left + (bounds.width() - width) / 2;
        layout.text = {left, bounds.top, left + width, bounds.bottom};
        return layout;
    }
    if (item.image != kMenuNoImage) {
        const int top = bounds.top + (bounds.height() - kMenuImageSize) / 2;
        const int left = bounds.left + kMenuImageLeft;
        layout.image = {left, top, left + kMenuImageSize, top + kMenuImageSize};
    }
    const int textLeft = std::min(bounds.left + kTextLeft, bounds.right);
    layout.text = {textLeft, bounds.top, std::max(textLeft, bounds.right - kMenuTextRight),
                   bounds.bottom};
    return layout;
}

} // namespace mail
