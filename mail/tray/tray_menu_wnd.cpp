#include "mail/tray/tray_menu_wnd.h"

#include "mail/tray/tray_menu_layout.h"

namespace mail {

namespace {

constexpr char kMenuWindowClass[] = "BrellixMailTrayMenu";
constexpr char kTipWindowClass[] = "BrellixMailTrayTip";
constexpr COLORREF kImageTransparent = RGB(0, 255, 0);
constexpr int kTipMargin = 4;
constexpr int kTipTabStop = 10; // in average character widths

RECT toRect(const Rect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

Rect fromRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

FontHandle menuFont(bool bold)
{
    NONCLIENTMETRICSA metrics{};
    // The size of the oldest layout, which every system fills.
    metrics.cbSize = sizeof metrics;
    LOGFONTA font{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMenuFont;
    else
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    if (bold)
        font.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectA(&font));
}

// Message items show subjects, whose ampersands are not access keys.
UINT textFormat(const TrayMenuItem& item)
{
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    if (item.command >= kCmdMessageBase)
        format |= DT_NOPREFIX;
    return format;
}

} // namespace

HIMAGELIST loadMenuImages(HINSTANCE module)
{
    return ImageList_LoadImageA(module, MAKEINTRESOURCEA(kMenuImagesBitmap), kMenuImageSize, 0,
                                kImageTransparent, IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

MenuFontMeasurer::MenuFontMeasurer() : normal_(menuFont(false)), bold_(menuFont(true))
{
}

HFONT MenuFontMeasurer::font(FontWeight weight) const
{
    return weight == FontWeight::Bold ? bold_.get() : normal_.get();
}

Size MenuFontMeasurer::measureText(const std::string& text, FontWeight weight) const
{
    WindowDC screen(nullptr);
    const HGDIOBJ old = SelectObject(screen.get(), font(weight));
    RECT box{0, 0, 0, 0};
    // Access-key markers are counted as characters: a little spare room for commands,
    // and exactly the width of a subject, which is drawn with its ampersands.
    DrawTextA(screen.get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(screen.get(), old);
    return {box.right - box.left, box.bottom - box.top};
}

CTrayMenuWnd::CTrayMenuWnd(TrayMenuHost& host, HIMAGELIST images) : host_(host), images_(images)
{
}

CTrayMenuWnd::~CTrayMenuWnd()
{
    tip_.destroy();
    destroy();
    destroyMenu();
}

bool CTrayMenuWnd::create()
{
    if (hwnd() != nullptr)
        return true;
    // Never shown; an owned window of the desktop so that it has no taskbar button.
    return registerClass(kMenuWindowClass) &&
           Window::create(0, kMenuWindowClass, "Mail Tray", WS_OVERLAPPED, 0, 0, 0, 0,
                          GetDesktopWindow(), 0);
}

void CTrayMenuWnd::destroyMenu()
{
    if (popup_ != nullptr)
        DestroyMenu(popup_); // its submenus go with it
    popup_ = nullptr;
}

namespace {

void appendItem(HMENU menu, const TrayMenuItem& item);

HMENU buildSubmenu(const TrayMenuItem& submenu)
{
    HMENU menu = CreatePopupMenu();
    for (const TrayMenuItem& item : submenu.items)
        appendItem(menu, item);
    return menu;
}

void appendItem(HMENU menu, const TrayMenuItem& item)
{
    // Owner-drawn items find their model item through the item data.
    const auto data = reinterpret_cast<LPCSTR>(&item);
    switch (item.kind) {
    case TrayMenuItemKind::Separator:
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        break;
    case TrayMenuItemKind::CaptionedSeparator:
        AppendMenuA(menu, MF_OWNERDRAW | MF_DISABLED, 0, data);
        break;
    case TrayMenuItemKind::Submenu:
        AppendMenuA(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(buildSubmenu(item)),
                    data);
        break;
    case TrayMenuItemKind::Command:
        AppendMenuA(menu, MF_OWNERDRAW | (item.enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item.command), data);
        break;
    }
}

} // namespace

HMENU CTrayMenuWnd::buildMenu()
{
    destroyMenu();
    menu_ = buildTrayMenu(host_.menuAccounts(), host_.hostMenuItems());
    popup_ = CreatePopupMenu();
    for (const TrayMenuItem& item : menu_.items)
        appendItem(popup_, item);
    return popup_;
}

void CTrayMenuWnd::openMenu()
{
    buildMenu();
    const HWND host = host_.hostWindow();
    SetForegroundWindow(host != nullptr ? host : hwnd());
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(popup_, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, hwnd(), nullptr);
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageA(hwnd(), WM_NULL, 0, 0);
    tip_.hide();
}

void CTrayMenuWnd::runCommand(int command)
{
    const TrayCommand decoded = decodeTrayCommand(menu_, command);
    switch (decoded.kind) {
    case TrayCommandKind::None:
        break;
    case TrayCommandKind::HostItem:
        if (const HWND host = host_.hostWindow())
            PostMessageA(host, kHostCommandMessage, static_cast<WPARAM>(decoded.id), 0);
        break;
    default:
        host_.runTrayCommand(decoded);
        break;
    }
}

LRESULT CTrayMenuWnd::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kTrayCallbackMessage:
        return onTrayNotify(lParam);
    case WM_MEASUREITEM:
        return onMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        return onDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
        return onCommand(wParam);
    case WM_MENURBUTTONUP:
        return onMenuRightButton(wParam, lParam);
    case WM_DESTROY:
        return onDestroy();
    default:
        return Window::handleMessage(message, wParam, lParam);
    }
}

LRESULT CTrayMenuWnd::onTrayNotify(LPARAM lParam)
{
    if (lParam == kTrayContextMenu || lParam == kTrayRightButtonUp)
        openMenu();
    return 0;
}

LRESULT CTrayMenuWnd::onMeasureItem(MEASUREITEMSTRUCT* measure)
{
    if (measure->CtlType != ODT_MENU || measure->itemData == 0)
        return FALSE;
    const auto* item = reinterpret_cast<const TrayMenuItem*>(measure->itemData);
    const Size size = measureTrayMenuItem(*item, fonts_);
    measure->itemWidth = static_cast<UINT>(size.cx);
    measure->itemHeight = static_cast<UINT>(size.cy);
    return TRUE;
}

LRESULT CTrayMenuWnd::onDrawItem(const DRAWITEMSTRUCT* draw)
{
    if (draw->CtlType != ODT_MENU || draw->itemData == 0)
        return FALSE;
    const auto* item = reinterpret_cast<const TrayMenuItem*>(draw->itemData);
    const int saved = SaveDC(draw->hDC);
    if (item->kind == TrayMenuItemKind::CaptionedSeparator)
        drawCaption(draw->hDC, *item, draw->rcItem);
    else
        drawItem(draw->hDC, *item, draw);
    RestoreDC(draw->hDC, saved);
    return TRUE;
}

void CTrayMenuWnd::drawCaption(HDC dc, const TrayMenuItem& item, const RECT& bounds)
{
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_MENU));
    const MenuItemLayout layout = layoutTrayMenuItem(item, fromRect(bounds), fonts_);
    const RECT line{bounds.left, layout.lineY, bounds.right, layout.lineY + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_GRAYTEXT));
    SelectObject(dc, fonts_.font(FontWeight::Bold));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    const std::string caption = separatorCaption(item.text);
    RECT text = toRect(layout.text);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void CTrayMenuWnd::drawItem(HDC dc, const TrayMenuItem& item, const DRAWITEMSTRUCT* draw)
{
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    RECT bounds = draw->rcItem;
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_MENU));
    if (selected && !disabled)
        DrawEdge(dc, &bounds, BDR_RAISEDINNER, BF_RECT);

    const MenuItemLayout layout = layoutTrayMenuItem(item, fromRect(bounds), fonts_);
    if (images_ != nullptr && item.image != kMenuNoImage)
        ImageList_Draw(images_, item.image, dc, layout.image.left, layout.image.top,
                       disabled ? ILD_BLEND50 : ILD_TRANSPARENT);

    SelectObject(dc, fonts_.font(FontWeight::Normal));
    SetBkMode(dc, TRANSPARENT);
    RECT text = toRect(layout.text);
    const UINT format = textFormat(item);
    const int length = static_cast<int>(item.text.size());
    if (disabled) {
        // Embossed: a highlight copy one pixel right and down under the gray text.
        RECT shadow = text;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextA(dc, item.text.c_str(), length, &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    }
    DrawTextA(dc, item.text.c_str(), length, &text, format);
}

LRESULT CTrayMenuWnd::onCommand(WPARAM wParam)
{
    runCommand(LOWORD(wParam));
    return 0;
}

LRESULT CTrayMenuWnd::onMenuRightButton(WPARAM position, LPARAM menu)
{
    const UINT id = GetMenuItemID(reinterpret_cast<HMENU>(menu), static_cast<int>(position));
    if (id == static_cast<UINT>(-1))
        return 0;
    const TrayCommand decoded = decodeTrayCommand(menu_, static_cast<int>(id));
    if (decoded.kind != TrayCommandKind::OpenMessage)
        return 0;
    const std::string text = host_.messageTip(decoded.account, decoded.message);
    if (!text.empty())
        tip_.show(text, fonts_.font(FontWeight::Normal));
    return 0;
}

LRESULT CTrayMenuWnd::onDestroy()
{
    tip_.destroy();
    destroyMenu();
    return 0;
}

void CTrayMenuWnd::TipWindow::show(const std::string& tipText, HFONT font)
{
    text = tipText;
    font_ = font;
    if (hwnd() == nullptr) {
        if (!registerClass(kTipWindowClass, 0, GetSysColorBrush(COLOR_INFOBK)) ||
            !create(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTipWindowClass, "", WS_POPUP | WS_BORDER, 0,
                    0, 0, 0, nullptr, 0))
            return;
    }
    WindowDC dc(hwnd());
    const HGDIOBJ old = SelectObject(dc.get(), font_);
    RECT box{0, 0, 0, 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_EXPANDTABS | DT_TABSTOP | DT_NOPREFIX | (kTipTabStop << 8));
    SelectObject(dc.get(), old);
    POINT cursor{};
    GetCursorPos(&cursor);
    const int width = box.right + 2 * kTipMargin + 2;
    const int height = box.bottom + 2 * kTipMargin + 2;
    SetWindowPos(hwnd(), HWND_TOPMOST, cursor.x + 16, cursor.y + 16, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
}

void CTrayMenuWnd::TipWindow::hide()
{
    if (hwnd() != nullptr)
        ShowWindow(hwnd(), SW_HIDE);
}

LRESULT CTrayMenuWnd::TipWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        paint();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void CTrayMenuWnd::TipWindow::paint()
{
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd(), &ps);
    RECT client;
    GetClientRect(hwnd(), &client);
    InflateRect(&client, -kTipMargin, -kTipMargin);
    const HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_EXPANDTABS | DT_TABSTOP | DT_NOPREFIX | (kTipTabStop << 8));
    SelectObject(dc, old);
    EndPaint(hwnd(), &ps);
}

} // namespace mail
