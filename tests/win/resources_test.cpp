// The program's resources as Windows sees them: every icon, bitmap, menu, dialog,
// string and sound loads by its number, the texts are the exact bytes the program
// shows, and the pictures say what their role needs (a fill that rises with the level,
// a warning variant in red, a transparent key where the list expects one).
#include "common/version.h"
#include "meter/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

HINSTANCE module()
{
    return GetModuleHandleA(nullptr);
}

LPCSTR id(int number)
{
    return MAKEINTRESOURCEA(number);
}

std::string loadString(int number)
{
    char buffer[1024] = {};
    const int n = LoadStringA(module(), static_cast<UINT>(number), buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

// The raw bytes of a resource, empty when it is missing.
std::vector<std::uint8_t> resourceBytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(module(), name, type);
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module(), found);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (!data)
        return {};
    return std::vector<std::uint8_t>(data, data + SizeofResource(module(), found));
}

template <typename T> T read(const std::vector<std::uint8_t>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// A UTF-16 string of a dialog template, as ASCII; advances offset past its zero.
std::string templateText(const std::vector<std::uint8_t>& bytes, size_t& offset)
{
    std::string text;
    for (;;) {
        const auto ch = read<std::uint16_t>(bytes, offset);
        offset += 2;
        if (ch == 0 || offset > bytes.size())
            return text;
        text += static_cast<char>(ch);
    }
}

struct Rgb {
    int r, g, b;
};

// Pixels of a drawing, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Picture pictureOf(HBITMAP bitmap)
{
    Picture picture;
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return picture;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> raw(static_cast<size_t>(info.bmWidth * info.bmHeight));
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), raw.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (std::uint32_t p : raw)
        picture.pixels.push_back({int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)});
    return picture;
}

// An icon drawn the way the tray draws it, over white.
Picture drawIcon(HICON icon, int size)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    SelectObject(dc, old);
    Picture picture = pictureOf(target);
    DeleteObject(target);
    DeleteDC(dc);
    return picture;
}

HICON loadIcon(int number, int size)
{
    return static_cast<HICON>(LoadImageA(module(), id(number), IMAGE_ICON, size, size, 0));
}

// Pixels where two pictures of the same size clearly differ.
int changedPixels(const Picture& a, const Picture& b)
{
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) {
        const Rgb p = a.pixels[i], q = b.pixels[i];
        if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 60)
            ++n;
    }
    return n;
}

int reddish(const Picture& p)
{
    int n = 0;
    for (const Rgb& c : p.pixels)
        n += c.r > c.g + 100 && c.r > c.b + 100;
    return n;
}

int bluish(const Picture& p)
{
    int n = 0;
    for (const Rgb& c : p.pixels)
        n += c.b > c.r + 100 && !(c.r == 0 && c.g == 0 && c.b == 255);
    return n;
}

struct Series {
    const char* name;
    int base;
};
const Series kSeries[] = {
    {"processor", IDI_CPU_BASE},      {"physical memory", IDI_PHYSMEM_BASE},
    {"page file", IDI_PAGEFILE_BASE}, {"network", IDI_NETWORK_BASE},
    {"disk", IDI_DISK_BASE},          {"resources", IDI_RESOURCES_BASE},
};

// Every icon the program shows: its own, six 15-level series, the volume icons.
std::vector<int> allIcons()
{
    std::vector<int> ids{IDI_PROGRAM};
    for (const Series& s : kSeries)
        for (int level = 0; level < IDI_TRAY_LEVELS; ++level)
            ids.push_back(s.base + level);
    for (int n = 0; n <= IDI_VOLUME_LEVELS + IDI_VOLUME_WARNING_OFFSET; ++n)
        ids.push_back(IDI_VOLUME_BASE + n);
    return ids;
}

const int kFoldBitmaps[] = {IDB_FOLD_CPU,           IDB_FOLD_DISK,           IDB_FOLD_NETWORK,
                            IDB_FOLD_PHYSMEM_TEXT,  IDB_FOLD_DRIVES,         IDB_FOLD_PING,
                            IDB_FOLD_PHYSMEM_GRAPH, IDB_FOLD_PAGEFILE_GRAPH, IDB_FOLD_PAGEFILE_TEXT,
                            IDB_FOLD_PROCESSES,     IDB_FOLD_RESOURCES,      IDB_FOLD_UPTIME};

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string windowText(HWND window)
{
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string menuText(HMENU menu, UINT position)
{
    char buffer[256] = {};
    GetMenuStringA(menu, position, buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

} // namespace

// ---- Icons ---------------------------------------------------------------------------

TEST(programIcons, everyIconHasA16And32PixelImageWithAlphaAndMask)
{
    for (int number : allIcons()) {
        SCOPED_TRACE("icon " + std::to_string(number));
        const auto group = resourceBytes(id(number), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
        ASSERT_GE(group.size(), 6u);
        const int count = read<std::uint16_t>(group, 4);
        bool has16 = false, has32 = false;
        for (int i = 0; i < count; ++i) {
            const size_t entry = 6 + 14 * static_cast<size_t>(i);
            const int width = read<std::uint8_t>(group, entry);
            const int bitCount = read<std::uint16_t>(group, entry + 6);
            const int imageId = read<std::uint16_t>(group, entry + 12);
            EXPECT_EQ(bitCount, 32);
            const auto image = resourceBytes(id(imageId), MAKEINTRESOURCEA(3) /* RT_ICON */);
            ASSERT_GE(image.size(), 40u);
            EXPECT_EQ(read<std::int32_t>(image, 4), width);
            EXPECT_EQ(read<std::int32_t>(image, 8), 2 * width) << "colour image plus AND mask";
            EXPECT_EQ(read<std::uint16_t>(image, 14), 32);
            const size_t maskRow = static_cast<size_t>((width + 31) / 32 * 4);
            EXPECT_EQ(image.size(), 40u + width * width * 4u + maskRow * width);
            has16 |= width == 16;
            has32 |= width == 32;
        }
        EXPECT_TRUE(has16);
        EXPECT_TRUE(has32);
        HICON small = loadIcon(number, 16);
        HICON large = loadIcon(number, 32);
        EXPECT_NE(small, nullptr);
        EXPECT_NE(large, nullptr);
        DestroyIcon(small);
        DestroyIcon(large);
    }
}

TEST(programIcons, eachTraySeriesFillsUpWithItsLevel)
{
    for (const Series& s : kSeries) {
        SCOPED_TRACE(s.name);
        std::vector<Picture> levels;
        for (int level = 0; level < IDI_TRAY_LEVELS; ++level) {
            HICON icon = loadIcon(s.base + level, 32);
            ASSERT_NE(icon, nullptr);
            levels.push_back(drawIcon(icon, 32));
            DestroyIcon(icon);
        }
        // Every step shows more of the fill than the one before.
        int previous = 0;
        for (int level = 1; level < IDI_TRAY_LEVELS; ++level) {
            const int lit = changedPixels(levels[0], levels[level]);
            EXPECT_GT(lit, previous) << "level " << level;
            previous = lit;
        }
        // Full is a large part of the picture, not a touch-up.
        EXPECT_GT(previous, 32 * 32 / 5);
    }
}

TEST(programIcons, seriesOfDifferentKindsLookDifferent)
{
    std::vector<Picture> full;
    for (const Series& s : kSeries) {
        HICON icon = loadIcon(s.base + IDI_TRAY_LEVELS - 1, 32);
        full.push_back(drawIcon(icon, 32));
        DestroyIcon(icon);
    }
    for (size_t i = 0; i < full.size(); ++i)
        for (size_t j = i + 1; j < full.size(); ++j)
            EXPECT_GT(changedPixels(full[i], full[j]), 100)
                << kSeries[i].name << " / " << kSeries[j].name;
}

TEST(programIcons, volumeIconsFillWithTheLevelAndTurnRedBelowTheWarning)
{
    HICON emptyIcon = loadIcon(IDI_VOLUME_BASE, 32);
    const Picture empty = drawIcon(emptyIcon, 32);
    DestroyIcon(emptyIcon);
    for (int warning = 0; warning <= 1; ++warning) {
        SCOPED_TRACE(warning ? "below the warning level" : "normal");
        int previous = 0;
        for (int level = 1; level <= IDI_VOLUME_LEVELS; ++level) {
            const int number = IDI_VOLUME_BASE + level + (warning ? IDI_VOLUME_WARNING_OFFSET : 0);
            HICON icon = loadIcon(number, 32);
            ASSERT_NE(icon, nullptr);
            const Picture p = drawIcon(icon, 32);
            DestroyIcon(icon);
            const int lit = changedPixels(empty, p);
            EXPECT_GT(lit, previous) << "level " << level;
            previous = lit;
            if (warning)
                EXPECT_GT(reddish(p), bluish(p)) << "level " << level;
            else
                EXPECT_EQ(reddish(p), 0) << "level " << level;
        }
    }
}

// ---- Bitmaps -------------------------------------------------------------------------

TEST(programBitmaps, buttonBitmapsFitTheirButtonsAndFollowTheButtonColour)
{
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const Rgb faceRgb{GetRValue(face), GetGValue(face), GetBValue(face)};
    std::vector<int> numbers(std::begin(kFoldBitmaps), std::end(kFoldBitmaps));
    numbers.push_back(IDB_ARROW);
    std::vector<Picture> folds;
    for (int number : numbers) {
        SCOPED_TRACE("bitmap " + std::to_string(number));
        auto bitmap = static_cast<HBITMAP>(LoadImageA(module(), id(number), IMAGE_BITMAP, 0, 0,
                                                      LR_LOADMAP3DCOLORS | LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        const Picture p = pictureOf(bitmap);
        DeleteObject(bitmap);
        if (number == IDB_ARROW) {
            // Between the frame of a 9-pixel-wide button.
            EXPECT_LE(p.width, 7);
        } else {
            // Inside a folded meter's 16-pixel bar.
            EXPECT_LE(p.height, 14);
            EXPECT_GT(p.width, 20);
            EXPECT_LE(p.width, 160);
            folds.push_back(p);
        }
        const Rgb corner = p.at(p.width - 1, 0);
        EXPECT_EQ(corner.r, faceRgb.r);
        EXPECT_EQ(corner.g, faceRgb.g);
        EXPECT_EQ(corner.b, faceRgb.b);
    }
    // Each fold picture tells its meter apart from the others.
    for (size_t i = 0; i < folds.size(); ++i)
        for (size_t j = i + 1; j < folds.size(); ++j)
            EXPECT_TRUE(folds[i].width != folds[j].width || changedPixels(folds[i], folds[j]) > 0)
                << kFoldBitmaps[i] << " and " << kFoldBitmaps[j] << " are the same picture";
}

TEST(programBitmaps, volumeStripHoldsFortyFourKeyedImages)
{
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(module(), id(IDB_VOLUME_STRIP), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    const Picture strip = pictureOf(bitmap);
    DeleteObject(bitmap);
    ASSERT_EQ(strip.width, VOLUME_IMAGE_WIDTH * VOLUME_IMAGE_COUNT);
    ASSERT_EQ(strip.height, VOLUME_IMAGE_WIDTH);

    auto image = [&](int index) {
        Picture p;
        p.width = p.height = VOLUME_IMAGE_WIDTH;
        for (int y = 0; y < VOLUME_IMAGE_WIDTH; ++y)
            for (int x = 0; x < VOLUME_IMAGE_WIDTH; ++x)
                p.pixels.push_back(strip.at(index * VOLUME_IMAGE_WIDTH + x, y));
        return p;
    };
    int previous = -1;
    for (int level = 0; level < VOLUME_IMAGE_LEVELS; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        const Picture normal = image(level);
        const Picture warning = image(level + VOLUME_IMAGE_WARNING_OFFSET);
        // The corners are the list's transparent blue.
        const Rgb corner = normal.at(0, 0), warnCorner = warning.at(0, 0);
        EXPECT_TRUE(corner.r == 0 && corner.g == 0 && corner.b == 255);
        EXPECT_TRUE(warnCorner.r == 0 && warnCorner.g == 0 && warnCorner.b == 255);
        // The fill grows with the level, and the warning image is the same level in red.
        EXPECT_GT(bluish(normal), previous);
        previous = bluish(normal);
        EXPECT_EQ(reddish(warning), bluish(normal));
        EXPECT_EQ(reddish(normal), 0);
    }
    EXPECT_EQ(bluish(image(VOLUME_IMAGE_UNAVAILABLE)), 0);
    EXPECT_GT(reddish(image(VOLUME_IMAGE_UNAVAILABLE)), 0) << "struck through";
    int yellow = 0;
    for (const Rgb& c : image(VOLUME_IMAGE_WARNING_MARK).pixels)
        yellow += c.r > 200 && c.g > 160 && c.b < 100;
    EXPECT_GT(yellow, 30) << "a warning triangle";

    // The list builds its image list from it with blue as the mask.
    HIMAGELIST list = ImageList_LoadImageA(module(), id(IDB_VOLUME_STRIP), VOLUME_IMAGE_WIDTH, 0,
                                           RGB(0, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), VOLUME_IMAGE_COUNT);
    ImageList_Destroy(list);
}

// ---- Menus ---------------------------------------------------------------------------

TEST(programMenus, trayMenuItemsInOrder)
{
    HMENU menu = LoadMenuA(module(), id(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    struct Item {
        int id;
        const char* text;
    };
    const Item expected[] = {
        {ID_TRAY_PREFERENCES, "&Preferences..."},
        {ID_TRAY_STATISTICS, "&Statistics Summary..."},
        {ID_TRAY_UPDATE_NOW, "&Update Now"},
        {ID_TRAY_HIDE, "&Hide"},
        {0, ""},
        {ID_TRAY_ABOUT, "&About Brellix..."},
        {ID_TRAY_HELP, "H&elp"},
        {ID_TRAY_WEB_SITE, "&Visit Web Site"},
        {ID_TRAY_EXIT, "E&xit"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), int(std::size(expected)));
    for (UINT i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE("position " + std::to_string(i));
        if (expected[i].id == 0) {
            EXPECT_TRUE(GetMenuState(popup, i, MF_BYPOSITION) & MF_SEPARATOR);
            continue;
        }
        EXPECT_EQ(int(GetMenuItemID(popup, int(i))), expected[i].id);
        EXPECT_EQ(menuText(popup, i), expected[i].text);
    }
    DestroyMenu(menu);
}

TEST(programMenus, meterMenuItemsInOrder)
{
    HMENU menu = LoadMenuA(module(), id(IDR_METER_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    const std::pair<int, const char*> expected[] = {
        {32778, "Move &Up"},           {32779, "Move &Down"},      {32780, "&Remove This Meter"},
        {32781, "&Add New Meter ..."}, {32783, "&Preferences..."}, {32788, "&Tray Icon"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), int(std::size(expected)));
    for (UINT i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(int(GetMenuItemID(popup, int(i))), expected[i].first);
        EXPECT_EQ(menuText(popup, i), expected[i].second);
    }
    DestroyMenu(menu);
}

// ---- Dialogs -------------------------------------------------------------------------

TEST(programDialogs, mainWindowTemplateHasItsStylesFontAndNoControls)
{
    const auto t = resourceBytes(id(IDD_METER_WINDOW), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_GE(t.size(), 26u);
    ASSERT_EQ(read<std::uint16_t>(t, 0), 1) << "an extended template";
    ASSERT_EQ(read<std::uint16_t>(t, 2), 0xFFFF);
    const auto exStyle = read<std::uint32_t>(t, 8);
    const auto style = read<std::uint32_t>(t, 12);
    EXPECT_EQ(read<std::uint16_t>(t, 16), 0) << "no controls";
    const DWORD wanted = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & DWORD(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0u);
    EXPECT_EQ(exStyle & (WS_EX_APPWINDOW | WS_EX_TOOLWINDOW),
              DWORD(WS_EX_APPWINDOW | WS_EX_TOOLWINDOW));
    size_t at = 26;
    EXPECT_EQ(read<std::uint16_t>(t, at), 0) << "no menu";
    at += 2;
    EXPECT_EQ(read<std::uint16_t>(t, at), 0) << "the dialog class";
    at += 2;
    EXPECT_EQ(templateText(t, at), "Brellix");
    EXPECT_EQ(read<std::uint16_t>(t, at), 8) << "point size";
    at += 6; // point size, weight, italic, character set
    EXPECT_EQ(templateText(t, at), "MS Sans Serif");
}

TEST(programDialogs, aboutBoxShowsThePictureAndItsButtons)
{
    HWND dialog = CreateDialogParamA(module(), id(IDD_ABOUT), nullptr, quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(windowText(dialog), "About Brellix");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDOK)), "OK");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_ABOUT_WEB_SITE)), "&Web Site");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_ABOUT_MAILING_LIST)), "&Mailing List Information");
    auto picture = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(dialog, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(picture, nullptr);
    const Picture p = pictureOf(picture);
    EXPECT_GT(p.width, 100);
    EXPECT_GT(p.height, 50);
    // The picture fits inside the box with the buttons below it.
    RECT box{}, ok{}, shown{};
    GetClientRect(dialog, &box);
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_PICTURE), &shown);
    EXPECT_LE(shown.right - shown.left, box.right);
    EXPECT_LE(shown.bottom, ok.top);
    DestroyWindow(dialog);
}

TEST(programDialogs, closeDialogAsksWithItsTextsIconAndCheckBox)
{
    HWND dialog = CreateDialogParamA(module(), id(IDD_CLOSE), nullptr, quietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CLOSE_TEXT)),
              "Do you want to exit Brellix or hide the main window?");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CLOSE_EXIT)), "&Exit");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDC_CLOSE_HIDE)), "&Hide");
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDCANCEL)), "Cancel");
    HWND check = GetDlgItem(dialog, IDC_CLOSE_DONT_ASK);
    EXPECT_EQ(windowText(check), "Don't ask me again");
    EXPECT_EQ(GetWindowLongA(check, GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_NE(SendDlgItemMessageA(dialog, IDC_CLOSE_ICON, STM_GETICON, 0, 0), 0)
        << "the question icon";
    DestroyWindow(dialog);
}

// ---- Strings -------------------------------------------------------------------------

TEST(programStrings, textsAreExact)
{
    EXPECT_EQ(loadString(IDS_PRODUCT_NAME), "Brellix");
    EXPECT_EQ(loadString(IDS_SETTINGS_KEY), "Software\\Brellix");
    EXPECT_EQ(loadString(IDS_PDH_MISSING), "Unable to find PDH.DLL. None of the usage meters will "
                                           "be available.\n\nTry re-installing Brellix.");
    EXPECT_EQ(loadString(IDS_RENEWO_MISSING), "Failed to load Renewo DLL. Can not check for an "
                                              "update.\n\nIf you have TCP/IP installed, try "
                                              "re-installing Brellix.");
    EXPECT_EQ(loadString(IDS_INSTALL_UPDATE), "New version of Brellix downloaded:\n\n    %s\n\nDo "
                                              "you want to exit Brellix and install it?");
    EXPECT_EQ(loadString(IDS_LOG_NAME_SUFFIX), " Log");
    EXPECT_EQ(loadString(IDS_LOG_NAME_FOR), " for ");
    EXPECT_EQ(loadString(IDS_LOG_NAME_DATE), "%m-%d-%y");
}

TEST(programStrings, welcomeTakesExactlyOneTextArgument)
{
    // The program formats it with the title and version; any other conversion would
    // read past the arguments.
    const std::string welcome = loadString(IDS_WELCOME);
    ASSERT_FALSE(welcome.empty());
    int conversions = 0;
    for (size_t i = 0; i + 1 < welcome.size(); ++i) {
        if (welcome[i] != '%')
            continue;
        EXPECT_EQ(welcome[i + 1], 's') << "at " << i;
        ++conversions;
        ++i;
    }
    EXPECT_EQ(conversions, 1);
    char shown[1024];
    snprintf(shown, sizeof shown, welcome.c_str(), "Brellix v2.6.0");
    EXPECT_NE(std::string(shown).find("Brellix v2.6.0"), std::string::npos);
}

TEST(programStrings, webAddressesAreDistinctHttpAddresses)
{
    const std::string site = loadString(IDS_URL_WEB_SITE);
    const std::string list = loadString(IDS_URL_MAILING_LIST);
    const std::string help = loadString(IDS_URL_HELP);
    for (const std::string& url : {site, list, help}) {
        EXPECT_EQ(url.rfind("https://", 0), 0u) << url;
        EXPECT_EQ(url.find_first_of(" \t\r\n\"%"), std::string::npos) << url;
    }
    EXPECT_NE(site, list);
    EXPECT_NE(site, help);
    EXPECT_NE(list, help);
}

// ---- Sounds, version, manifest -------------------------------------------------------

TEST(programSounds, bothAlertSoundsArePlayablePcmWaves)
{
    for (int number : {IDW_VOICE, IDW_SOUND}) {
        SCOPED_TRACE("WAVE " + std::to_string(number));
        const auto wave = resourceBytes(id(number), "WAVE");
        ASSERT_GE(wave.size(), 44u);
        EXPECT_LT(wave.size(), 60u * 1024u);
        EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
        EXPECT_EQ(read<std::uint32_t>(wave, 4) + 8u, wave.size());
        EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
        EXPECT_EQ(read<std::uint16_t>(wave, 20), 1) << "PCM";
        const auto channels = read<std::uint16_t>(wave, 22);
        const auto rate = read<std::uint32_t>(wave, 24);
        const auto bits = read<std::uint16_t>(wave, 34);
        EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
        const auto dataBytes = read<std::uint32_t>(wave, 40);
        EXPECT_EQ(dataBytes + 44u, wave.size());
        const double seconds = double(dataBytes) / (rate * channels * (bits / 8));
        EXPECT_GT(seconds, 0.3);
        EXPECT_LT(seconds, 2.0);
        // Not silence: the loudest sample is well above the noise floor.
        int peak = 0;
        for (size_t at = 44; at + 1 < wave.size(); at += 2)
            peak = std::max(peak, std::abs(int(read<std::int16_t>(wave, at))));
        EXPECT_GT(peak, 16000);
    }
}

TEST(programVersion, versionResourceNamesTheProductAndVersion)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS,
              DWORD(MAKELONG(BRELLIX_VERSION_MINOR, BRELLIX_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD(MAKELONG(0, BRELLIX_VERSION_PATCH)));
    auto value = [&](const char* name) {
        char* text = nullptr;
        UINT n = 0;
        std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
        if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &n) || !text)
            return std::string();
        return std::string(text);
    };
    EXPECT_EQ(value("ProductName"), "Brellix");
    EXPECT_EQ(value("ProductVersion"), BRELLIX_VERSION_TEXT);
    EXPECT_EQ(value("FileVersion"), BRELLIX_VERSION_TEXT);
    EXPECT_EQ(value("OriginalFilename"), "Brellix.exe");
}

TEST(programManifest, asksForCommonControlsSixAsInvoker)
{
    const auto manifest =
        resourceBytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24) /* RT_MANIFEST */);
    const std::string text(manifest.begin(), manifest.end());
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);

    // And the loader honoured it: the common controls in use are the side-by-side
    // version 6 assembly, not the system folder's version 5.
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(controls, path, MAX_PATH);
    std::string lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return char(tolower(c)); });
    EXPECT_NE(lower.find("microsoft.windows.common-controls"), std::string::npos) << path;
    EXPECT_NE(lower.find("_6.0."), std::string::npos) << path;
}
