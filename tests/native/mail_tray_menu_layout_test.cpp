#include "mail/tray/tray_menu_layout.h"

#include <gtest/gtest.h>

using namespace mail;

namespace {

// Seven pixels a character in the normal font, eight in the bold one; 13 high.
class FixedMeasurer : public TextMeasurer {
public:
    Size measureText(const std::string& text, FontWeight weight) const override
    {
        const int perChar = weight == FontWeight::Bold ? 8 : 7;
        return {static_cast<int>(text.size()) * perChar, height};
    }
    int height = 13;
};

TrayMenuItem item(TrayMenuItemKind kind, const std::string& text, int image = kMenuNoImage)
{
    TrayMenuItem result;
    result.kind = kind;
    result.text = text;
    result.image = image;
    return result;
}

} // namespace

TEST(trayMenuLayout, anItemHoldsImageColumnTextAndMargins)
{
    FixedMeasurer measurer;
    const Size size =
        measureTrayMenuItem(item(TrayMenuItemKind::Command, "&Send Mail..."), measurer);
    EXPECT_EQ(size.cx, 2 + 16 + 2 + 13 * 7 + 12);
    // The image is taller than the text.
    EXPECT_EQ(size.cy, 16 + 2 * 2);
    measurer.height = 20; // a large menu font
    EXPECT_EQ(measureTrayMenuItem(item(TrayMenuItemKind::Submenu, "Home"), measurer).cy, 20 + 4);
}

TEST(trayMenuLayout, aCaptionIsBoldAndPaddedWithBlanks)
{
    FixedMeasurer measurer;
    const TrayMenuItem caption = item(TrayMenuItemKind::CaptionedSeparator, "Mail Accounts");
    EXPECT_EQ(separatorCaption("Mail Accounts"), " Mail Accounts ");
    const Size size = measureTrayMenuItem(caption, measurer);
    EXPECT_EQ(size.cx, 15 * 8 + 2 * kMenuCaptionMargin);
    EXPECT_EQ(size.cy, 13 + 4);

    // Centred in whatever width the menu gives it, over a line at mid-height.
    const MenuItemLayout layout = layoutTrayMenuItem(caption, {10, 100, 310, 117}, measurer);
    EXPECT_EQ(layout.text.width(), 120);
    EXPECT_EQ(layout.text.left - 10, 310 - layout.text.right);
    EXPECT_EQ(layout.lineY, 108);
}

TEST(trayMenuLayout, theTextStartsAfterTheImageColumnWithOrWithoutAnImage)
{
    FixedMeasurer measurer;
    const Rect bounds{0, 40, 200, 60};
    const MenuItemLayout withImage = layoutTrayMenuItem(
        item(TrayMenuItemKind::Command, "Con&trol Center...", 9), bounds, measurer);
    EXPECT_EQ(withImage.image, (Rect{2, 42, 18, 58}));
    EXPECT_EQ(withImage.text.left, 20);
    const MenuItemLayout without =
        layoutTrayMenuItem(item(TrayMenuItemKind::Command, "&Check Mail Now"), bounds, measurer);
    EXPECT_EQ(without.image.width(), 0);
    EXPECT_EQ(without.text.left, withImage.text.left);
    EXPECT_EQ(without.text.top, 40);
    EXPECT_EQ(without.text.bottom, 60);
}
