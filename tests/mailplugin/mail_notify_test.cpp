// The new-mail notifications as the tray shows them, under Wine: the popup sliding in
// over the tray and away again, the new-mail dialog, and the sound. The windows take
// their pictures and template from Mail.dll, loaded beside the test.
#include "mail/notify/new_mail_dialog.h"
#include "mail/notify/notify_sound.h"
#include "mail/notify/tray_popup_wnd.h"
#include "mail/plugin/mail_exports.h"
#include "mail/plugin/res/resource.h"
#include "tests/mailplugin/message_pump.h"

#include "../win/window_shot.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace mail;

namespace {

const int homeAccount = 1;
const int workAccount = 2;
const void* const home = &homeAccount;
const void* const work = &workAccount;

constexpr char kHomeText[] = "3 new message(s) in your Home account";
constexpr char kWorkText[] = "Could not connect to your Work account.";
constexpr char kHost[] = "Brellix";
constexpr char kDialogTitle[] = "Brellix - Notification";

using fakes::pumpUntil;

RECT workArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// A text's size in Arial at 10 points, measured here on our own.
SIZE arialSize(const std::string& text)
{
    WindowDC screen(nullptr);
    FontHandle font(CreateFontA(-MulDiv(10, GetDeviceCaps(screen.get(), LOGPIXELSY), 72), 0, 0, 0,
                                FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                "Arial"));
    SelectedObject selected(screen.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Our own visible dialogs of that title.
int dialogsTitled(const char* title)
{
    int n = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", title)) != nullptr;) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        n += process == GetCurrentProcessId() && IsWindowVisible(w);
    }
    return n;
}

class NotifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControls();
        module = LoadLibraryA(MailExports::kLibraryName);
        ASSERT_NE(module, nullptr) << "Mail.dll beside the test";
        owner = CreateWindowExA(0, "STATIC", "tray", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override
    {
        popup.destroy();
        dialog.destroy();
        if (owner != nullptr)
            DestroyWindow(owner);
        if (module != nullptr)
            FreeLibrary(module);
    }
    bool showAndWait(const std::string& text, const void* account)
    {
        return popup.showText(owner, module, text, account) &&
               pumpUntil([&] { return popup.phase() == SlidePhase::Shown; });
    }
    RECT popupRect() const
    {
        RECT r{};
        GetWindowRect(popup.window(), &r);
        return r;
    }

    HMODULE module = nullptr;
    HWND owner = nullptr;
    CTrayPopupWnd popup;
    NewMailDialog dialog;
};

} // namespace

TEST_F(NotifyTest, popupSlidesInToTheWorkAreasCornerAtItsMeasuredSize)
{
    ASSERT_TRUE(showAndWait(kHomeText, home));
    const RECT area = workArea();
    const RECT r = popupRect();
    const SIZE text = arialSize(kHomeText);
    EXPECT_EQ(r.right, area.right);
    EXPECT_EQ(r.bottom, area.bottom);
    EXPECT_EQ(r.right - r.left, text.cx + kPopupExtraWidth);
    EXPECT_EQ(r.bottom - r.top, text.cy + kPopupLineGap + kPopupExtraHeight);

    HWND window = popup.window();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    EXPECT_NE(GetActiveWindow(), window);
    EXPECT_NE(GetForegroundWindow(), window);
}

TEST_F(NotifyTest, popupKeepsOneLinePerAccountAndGrowsForAnother)
{
    ASSERT_TRUE(showAndWait("1 new message(s) in your Home account", home));
    ASSERT_TRUE(showAndWait(kHomeText, home));
    ASSERT_EQ(popup.lines().size(), 1u);
    EXPECT_EQ(popup.lines()[0].text, kHomeText);
    EXPECT_EQ(popup.lines()[0].image, kPopupNoticeImage);
    const int oneLine = popupRect().bottom - popupRect().top;

    ASSERT_TRUE(showAndWait(kWorkText, work));
    ASSERT_EQ(popup.lines().size(), 2u);
    const RECT r = popupRect();
    EXPECT_EQ(r.bottom - r.top, oneLine + arialSize(kWorkText).cy + kPopupLineGap);
    // As wide as the wider of the two texts.
    EXPECT_EQ(r.right - r.left,
              std::max(arialSize(kHomeText).cx, arialSize(kWorkText).cx) + kPopupExtraWidth);
    EXPECT_EQ(r.bottom, workArea().bottom);
}

TEST_F(NotifyTest, popupPaintsFramedLinesWithTheirImages)
{
    ASSERT_TRUE(showAndWait(kHomeText, home));
    const RECT r = popupRect();
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    UpdateWindow(popup.window());
    const std::vector<COLORREF> pixels = WindowShot(popup.window()).pixels();
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(width * height));
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; };
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    constexpr COLORREF kBlue = RGB(118, 142, 184);
    // Two black frames, then the background; at both ends of the window.
    EXPECT_EQ(at(0, 0), kBlack);
    EXPECT_EQ(at(1, 1), kBlack);
    EXPECT_EQ(at(2, 2), kBlue);
    EXPECT_EQ(at(width - 1, height - 1), kBlack);
    EXPECT_EQ(at(width - 2, height - 2), kBlack);
    EXPECT_EQ(at(width - 3, height - 3), kBlue);

    int imagePixels = 0, keyRed = 0, white = 0;
    for (int y = 3; y < 3 + 16; ++y) {
        for (int x = kPopupImageLeft; x < kPopupImageLeft + 16; ++x) {
            imagePixels += at(x, y) != kBlue;
            keyRed += at(x, y) == RGB(255, 0, 0);
        }
    }
    for (int y = 2; y < height - 2; ++y)
        for (int x = kPopupTextLeft; x < width - 2; ++x)
            white += at(x, y) == RGB(255, 255, 255);
    EXPECT_GT(imagePixels, 40) << "the notice image is drawn";
    EXPECT_EQ(keyRed, 0) << "the image's red background is see-through";
    EXPECT_GT(white, 50) << "the text is white";
}

TEST_F(NotifyTest, aClickSlidesThePopupAwayAndItsLinesStay)
{
    ASSERT_TRUE(showAndWait(kHomeText, home));
    HWND window = popup.window();
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    int narrowest = popupRect().right - popupRect().left;
    ASSERT_TRUE(pumpUntil([&] {
        if (IsWindowVisible(window))
            narrowest = std::min(narrowest, static_cast<int>(popupRect().right - popupRect().left));
        return !IsWindowVisible(window);
    }));
    EXPECT_EQ(popup.phase(), SlidePhase::Hidden);
    EXPECT_LT(narrowest, arialSize(kHomeText).cx) << "it shrank on its way out";
    EXPECT_EQ(popupRect().right, workArea().right) << "towards the right edge";
    ASSERT_EQ(popup.lines().size(), 1u);

    // The next notice brings both lines back.
    ASSERT_TRUE(showAndWait(kWorkText, work));
    EXPECT_EQ(popup.lines().size(), 2u);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(NotifyTest, forgettingTheLastAccountSlidesThePopupAway)
{
    ASSERT_TRUE(showAndWait(kHomeText, home));
    ASSERT_TRUE(showAndWait(kWorkText, work));
    popup.forget(work);
    // Down to the one line left, at once.
    EXPECT_EQ(popupRect().bottom - popupRect().top,
              arialSize(kHomeText).cy + kPopupLineGap + kPopupExtraHeight);
    EXPECT_TRUE(IsWindowVisible(popup.window()));
    popup.forget(home);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(popup.window()); }));
    EXPECT_TRUE(popup.lines().empty());
}

TEST_F(NotifyTest, thePopupLeavesByItselfAfterSevenSeconds)
{
    ASSERT_TRUE(showAndWait(kHomeText, home));
    const DWORD shown = GetTickCount();
    // pumpUntil gives up after five seconds: wait in two rounds.
    EXPECT_FALSE(pumpUntil([&] { return !IsWindowVisible(popup.window()); }));
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(popup.window()); }));
    EXPECT_GE(GetTickCount() - shown, kPopupShowMs);
}

TEST_F(NotifyTest, dialogShowsTheTextUnderTheHostsTitleAndANewOneReplacesIt)
{
    ASSERT_TRUE(dialog.show(module, kHost, "1 new message(s) in your Home account"));
    HWND first = dialog.window();
    ASSERT_NE(first, nullptr);
    // The plug-in's icon, the first control of the template.
    HWND icon = FindWindowExA(first, nullptr, "Static", nullptr);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);

    ASSERT_TRUE(dialog.show(module, kHost, kHomeText));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(dialogsTitled(kDialogTitle), 1);
    char text[256] = "";
    GetDlgItemTextA(dialog.window(), IDC_NEW_MAIL_TEXT, text, sizeof text);
    EXPECT_STREQ(text, kHomeText);
}

TEST_F(NotifyTest, dialogClosesWithItsOkButton)
{
    ASSERT_TRUE(dialog.show(module, kHost, kHomeText));
    HWND window = dialog.window();
    SendMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
    EXPECT_EQ(dialog.window(), nullptr);
    EXPECT_EQ(dialogsTitled(kDialogTitle), 0);
}

// The host's loop is a plain one, as pumpUntil's: the keys still reach the dialog's
// buttons.
TEST_F(NotifyTest, dialogClosesWithEnterAndWithEscapeUnderAPlainMessageLoop)
{
    for (WPARAM key : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
        SCOPED_TRACE(testing::Message() << "key " << key);
        ASSERT_TRUE(dialog.show(module, kHost, kHomeText));
        HWND window = dialog.window();
        HWND ok = GetDlgItem(window, IDOK);
        SetFocus(ok);
        PostMessageA(ok, WM_KEYDOWN, key, 1);
        PostMessageA(ok, WM_KEYUP, key, 0xC0000001);
        EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
    }
}

TEST(notifySound, noNameAndAMissingFileReturnAtOnce)
{
    // Asynchronous: neither may wait for a sound, and a missing file is no error.
    const DWORD start = GetTickCount();
    playNotifySound("");
    playNotifySound("C:\\no such folder\\no such sound.wav");
    EXPECT_LT(GetTickCount() - start, 2000u);
}
