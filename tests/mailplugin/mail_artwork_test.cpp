// The pictures inside Mail.dll, loaded from the library's module the way the tray
// loads them: the four tray icons in both sizes and the menu's strip of small images.
// Each picture is drawn onto a plain background so that a blank, swapped or opaque
// picture shows.
#include "mail/plugin/mail_exports.h"
#include "mail/tray/tray_menu.h"
#include "mail/tray/tray_menu_layout.h"
#include "mail/tray/tray_menu_wnd.h"
#include "mail/tray/tray_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);
// The preferences tree uses one image past the menu's: the general page.
constexpr int kImagesNeeded = mail::kMenuImageControlCenter + 2;

// size x size pixels (0x00RRGGBB) of a picture drawn over kBackground.
std::vector<std::uint32_t> rendered(int size, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (dc != nullptr && target != nullptr) {
        HGDIOBJ old = SelectObject(dc, target);
        HBRUSH brush = CreateSolidBrush(kBackground);
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        draw(dc);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < size * size; ++i)
            pixels.push_back(p[i] & 0xFFFFFFu);
        SelectObject(dc, old);
    }
    if (target != nullptr)
        DeleteObject(target);
    if (dc != nullptr)
        DeleteDC(dc);
    return pixels;
}

constexpr std::uint32_t kBackgroundPixel = 0xFF00FFu; // kBackground as the DIB holds it

int paintedPixels(const std::vector<std::uint32_t>& pixels)
{
    int n = 0;
    for (std::uint32_t p : pixels)
        n += p != kBackgroundPixel;
    return n;
}

class MailArtworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
    }
    void TearDown() override
    {
        if (module != nullptr)
            FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

TEST_F(MailArtworkTest, FourTrayIconsInBothSizesEachItsOwnPicture)
{
    const int ids[] = {mail::kTrayIconNormal, mail::kTrayIconNewMail, mail::kTrayIconError,
                       mail::kTrayIconCommunicating};
    for (int size : {16, 32}) {
        std::vector<std::vector<std::uint32_t>> pictures;
        for (int id : ids) {
            SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
            HICON icon = static_cast<HICON>(
                LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO parts = {};
            ASSERT_TRUE(GetIconInfo(icon, &parts));
            BITMAP colour = {};
            ASSERT_NE(parts.hbmColor, nullptr) << "a colour icon";
            GetObjectA(parts.hbmColor, sizeof colour, &colour);
            // The image made for this size, not another one stretched to it.
            EXPECT_EQ(colour.bmWidth, size);
            EXPECT_EQ(colour.bmHeight, size);
            DeleteObject(parts.hbmColor);
            DeleteObject(parts.hbmMask);

            const auto pixels = rendered(size, [&](HDC dc) {
                DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
            });
            DestroyIcon(icon);
            ASSERT_EQ(pixels.size(), static_cast<std::size_t>(size * size));
            // Drawn, yet see-through at the corner the envelope leaves free.
            EXPECT_GT(paintedPixels(pixels), size * size / 3);
            EXPECT_EQ(pixels[0], kBackgroundPixel);
            pictures.push_back(pixels);
        }
        for (std::size_t a = 0; a < pictures.size(); ++a)
            for (std::size_t b = a + 1; b < pictures.size(); ++b)
                EXPECT_NE(pictures[a], pictures[b]) << "icons " << ids[a] << " and " << ids[b];
    }
}

TEST_F(MailArtworkTest, ImageStripIsWholeSixteenPixelImages)
{
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageA(module, MAKEINTRESOURCEA(mail::kMenuImagesBitmap), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(strip, nullptr);
    BITMAP shape = {};
    GetObjectA(strip, sizeof shape, &shape);
    DeleteObject(strip);
    EXPECT_EQ(shape.bmHeight, mail::kMenuImageSize);
    EXPECT_EQ(shape.bmWidth % mail::kMenuImageSize, 0);
    EXPECT_GE(shape.bmWidth / mail::kMenuImageSize, kImagesNeeded);
}

TEST_F(MailArtworkTest, MenuImagesLoadWithGreenSeeThroughAndDiffer)
{
    HIMAGELIST images = mail::loadMenuImages(module);
    ASSERT_NE(images, nullptr);
    const int count = ImageList_GetImageCount(images);
    EXPECT_GE(count, kImagesNeeded);
    std::vector<std::vector<std::uint32_t>> pictures;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        const auto pixels = rendered(mail::kMenuImageSize, [&](HDC dc) {
            ImageList_Draw(images, i, dc, 0, 0, ILD_TRANSPARENT);
        });
        ASSERT_EQ(pixels.size(), static_cast<std::size_t>(16 * 16));
        // The key colour is masked out: every image leaves its top-left corner free,
        // and none shows green where the key was.
        EXPECT_EQ(pixels[0], kBackgroundPixel);
        int green = 0;
        for (std::uint32_t p : pixels)
            green += p == 0x00FF00u;
        EXPECT_EQ(green, 0);
        EXPECT_GT(paintedPixels(pixels), 30);
        pictures.push_back(pixels);
    }
    ImageList_Destroy(images);
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << "images " << a << " and " << b;
}

} // namespace
