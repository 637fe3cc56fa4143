#include "mail/notify/tray_popup_wnd.h"

#include "mail/plugin/res/resource.h"

namespace mail {

namespace {

constexpr char kPopupWindowClass[] = "BrellixMailTrayPopup";
constexpr char kPopupFontFace[] = "Arial";
constexpr int kPopupFontPoints = 10;
constexpr int kPointsPerInch = 72;
constexpr int kImageSize = 16;
constexpr COLORREF kImageTransparent = RGB(255, 0, 0);
constexpr COLORREF kBackground = RGB(118, 142, 184);
constexpr COLORREF kFrame = RGB(0, 0, 0);
constexpr COLORREF kTextColour = RGB(255, 255, 255);

// One slide step per tick of this timer. 10 ms is the shortest period the system
// honours; ticks really come at the system timer's pace (10 to 16 ms), so a popup
// 250 pixels wide takes well under a second to come in, quick enough not to hold
// the eye and slow enough to be seen moving.
constexpr UINT_PTR kPopupSlideTimer = 2;
constexpr UINT kPopupSlideMs = 10;

FontHandle popupFont()
{
    WindowDC screen(nullptr);
    const int height =
        -MulDiv(kPopupFontPoints, GetDeviceCaps(screen.get(), LOGPIXELSY), kPointsPerInch);
    return FontHandle(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, kPopupFontFace));
}

// Texts measured as TextOutA draws them: ampersands are plain characters.
class FontMeasurer : public TextMeasurer {
public:
    explicit FontMeasurer(HFONT font) : font_(font) {}
    Size measureText(const std::string& text, FontWeight) const override
    {
        WindowDC screen(nullptr);
        SelectedObject selected(screen.get(), font_);
        SIZE size{0, 0};
        GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

private:
    HFONT font_;
};

Rect workArea()
{
    RECT area{0, 0, 0, 0};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        GetWindowRect(GetDesktopWindow(), &area);
    return {area.left, area.top, area.right, area.bottom};
}

} // namespace

CTrayPopupWnd::~CTrayPopupWnd()
{
    destroy();
}

bool CTrayPopupWnd::make(HWND owner, HINSTANCE module)
{
    if (hwnd() != nullptr)
        return true;
    // Redrawn whole on every size, and the paint covers the whole window, so no
    // background. A tool window: no taskbar button even without an owner.
    if (!registerClass(kPopupWindowClass, CS_HREDRAW | CS_VREDRAW) ||
        !create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPopupWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                owner, 0))
        return false;
    font_ = popupFont();
    images_.reset(ImageList_LoadImageA(module, MAKEINTRESOURCEA(IDB_NOTIFY_IMAGES), kImageSize, 0,
                                       kImageTransparent, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    return true;
}

bool CTrayPopupWnd::showText(HWND owner, HINSTANCE module, const std::string& text,
                             const void* account)
{
    if (!make(owner, module))
        return false;
    lines_.show(kPopupNoticeImage, text, account);
    relayout();
    KillTimer(hwnd(), kPopupShowTimer);
    slide_.slideIn(layout_.bounds.width());
    place();
    InvalidateRect(hwnd(), nullptr, FALSE);
    SetTimer(hwnd(), kPopupSlideTimer, kPopupSlideMs, nullptr);
    return true;
}

void CTrayPopupWnd::forget(const void* account)
{
    lines_.forget(account);
    if (hwnd() == nullptr || slide_.phase() == SlidePhase::Hidden)
        return;
    if (lines_.empty()) {
        startSlideOut();
        return;
    }
    relayout();
    slide_.resize(layout_.bounds.width());
    place();
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void CTrayPopupWnd::destroy()
{
    Window::destroy();
    lines_.clear();
    layout_ = {};
    slide_ = {};
    images_.reset();
    font_.reset();
}

void CTrayPopupWnd::relayout()
{
    layout_ = layoutPopup(lines_.lines(), FontMeasurer(font_.get()), workArea());
}

void CTrayPopupWnd::place()
{
    const Rect shown = slide_.visible(layout_.bounds);
    SetWindowPos(hwnd(), HWND_TOPMOST, shown.left, shown.top, shown.width(), shown.height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTrayPopupWnd::startSlideOut()
{
    KillTimer(hwnd(), kPopupShowTimer);
    slide_.slideOut();
    SetTimer(hwnd(), kPopupSlideTimer, kPopupSlideMs, nullptr);
}

void CTrayPopupWnd::stopTimers()
{
    KillTimer(hwnd(), kPopupSlideTimer);
    KillTimer(hwnd(), kPopupShowTimer);
}

LRESULT CTrayPopupWnd::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        return onTimer(wParam);
    case WM_LBUTTONDOWN:
        return onLeftButtonDown();
    case WM_MOUSEACTIVATE:
        return onMouseActivate();
    case WM_ERASEBKGND:
        return onEraseBackground();
    case WM_PAINT:
        return onPaint();
    case WM_DESTROY:
        return onDestroy();
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

LRESULT CTrayPopupWnd::onTimer(UINT_PTR id)
{
    if (id == kPopupSlideTimer) {
        slideStep();
    } else if (id == kPopupShowTimer) {
        startSlideOut();
    }
    return 0;
}

void CTrayPopupWnd::slideStep()
{
    const bool ended = slide_.step();
    if (slide_.phase() == SlidePhase::Hidden) {
        stopTimers();
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    place();
    if (!ended)
        return;
    // Fully in: drawn once whole, then left up for its time.
    KillTimer(hwnd(), kPopupSlideTimer);
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
    SetTimer(hwnd(), kPopupShowTimer, kPopupShowMs, nullptr);
}

LRESULT CTrayPopupWnd::onLeftButtonDown()
{
    PostMessageA(hwnd(), kPopupClickedMessage, 1, reinterpret_cast<LPARAM>(lines_.lastAccount()));
    startSlideOut();
    return 0;
}

LRESULT CTrayPopupWnd::onMouseActivate()
{
    return MA_NOACTIVATE; // a click sends the popup away; it never takes the focus
}

LRESULT CTrayPopupWnd::onEraseBackground()
{
    return TRUE; // the paint fills every pixel
}

LRESULT CTrayPopupWnd::onPaint()
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd(), &ps);
    paint(dc);
    EndPaint(hwnd(), &ps);
    return 0;
}

LRESULT CTrayPopupWnd::onDestroy()
{
    stopTimers();
    slide_ = {};
    return 0;
}

void CTrayPopupWnd::paint(HDC dc)
{
    RECT client;
    GetClientRect(hwnd(), &client);
    BrushHandle background(CreateSolidBrush(kBackground));
    BrushHandle black(CreateSolidBrush(kFrame));
    FillRect(dc, &client, background.get());
    FrameRect(dc, &client, black.get());
    InflateRect(&client, -1, -1);
    FrameRect(dc, &client, black.get());

    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColour);
    const std::vector<PopupLine>& lines = lines_.lines();
    for (std::size_t i = 0; i < lines.size() && i < layout_.lineTops.size(); ++i) {
        const int top = layout_.lineTops[i];
        if (images_ != nullptr)
            ImageList_Draw(images_.get(), lines[i].image, dc, kPopupImageLeft, top,
                           ILD_TRANSPARENT);
        TextOutA(dc, kPopupTextLeft, top, lines[i].text.c_str(),
                 static_cast<int>(lines[i].text.size()));
    }
}

} // namespace mail
