#pragma once
// Where the parts of an owner-drawn tray menu item go and how big the item is: the
// image column at the left, the text after it, a captioned separator's caption centred
// over its line. Measured through the text seam so that the rules hold for any font.
#include "mail/tray/tray_menu.h"
#include "meter/canvas.h" // Rect, Size and the text measurer seam

#include <string>

namespace mail {

constexpr int kMenuImageSize = 16;    // images of the menu image list are 16 x 16
constexpr int kMenuImageLeft = 2;     // margin before the image column
constexpr int kMenuTextGap = 2;       // between the image column and the text
constexpr int kMenuTextRight = 12;    // after the text, before any submenu arrow
constexpr int kMenuItemPadding = 2;   // above and below the taller of image and text
constexpr int kMenuCaptionMargin = 8; // a caption's line shows at least this much each side

// The caption as drawn: one blank on each side.
std::string separatorCaption(const std::string& caption);

// Captioned separators (and a default item) use the bold font.
bool usesBoldFont(const TrayMenuItem& item);

Size measureTrayMenuItem(const TrayMenuItem& item, const TextMeasurer& measurer);

struct MenuItemLayout {
    Rect image;    // empty when the item has no image
    Rect text;     // where the text goes, centred vertically in it
    int lineY = 0; // captioned separators: the line's row
};

MenuItemLayout layoutTrayMenuItem(const TrayMenuItem& item, const Rect& bounds,
                                  const TextMeasurer& measurer);

} // namespace mail
