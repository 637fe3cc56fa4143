#include "meter/meter_pane.h"

#include "meter/gdi_canvas.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

namespace {

constexpr const char* kMeterClass = "BrellixMeter";

} // namespace

MeterPane::MeterPane(Meter& meter, TrayNotifier& tray)
    : meter_(meter), tray_(tray, static_cast<std::uint32_t>(meter.kind()) + 1)
{
    meter_.setView(this);
}

MeterPane::~MeterPane()
{
    meter_.setView(nullptr);
}

bool MeterPane::create(HWND main, int position)
{
    main_ = main;
    Window::registerClass(kMeterClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const std::string name =
        meter_.isPlaceholder() ? kPlaceholderName : meterKindInfo(meter_.kind()).windowName;
    if (!Window::create(0, kMeterClass, name.c_str(), WS_CHILD | WS_CLIPCHILDREN, 0, 0, 100, 100,
                        main, static_cast<UINT_PTR>(IDC_METER_FIRST + position)))
        return false;
    hideButton_ = CreateWindowExA(0, "BUTTON", "HideButton", WS_CHILD | WS_VISIBLE | BS_BITMAP, 0,
                                  0, 9, 98, hwnd(), reinterpret_cast<HMENU>(IDC_HIDE_BUTTON),
                                  GetModuleHandleA(nullptr), nullptr);
    tray_.setCallback(reinterpret_cast<std::uintptr_t>(main), WMU_TRAY_NOTIFY);
    readFrameColours();
    return hideButton_ != nullptr;
}

void MeterPane::setBitmaps(HBITMAP arrow, HBITMAP fold)
{
    arrow_ = arrow;
    fold_ = fold;
    RECT client;
    GetClientRect(hwnd(), &client);
    placeHideButton(client.right, client.bottom);
}

bool MeterPane::activate()
{
    if (meter_.isPlaceholder())
        return false;
    ShowWindow(hwnd(), SW_SHOWNA);
    meter_.fitTextFormat(GdiTextMeasurer());
    if (!meter_.options().active() || !meter_.options().trayIcon())
        tray_.remove();
    return true;
}

bool MeterPane::deactivate()
{
    ShowWindow(hwnd(), SW_HIDE);
    tray_.remove();
    meter_.flushLog();
    return true;
}

void MeterPane::applyCollapsed()
{
    RECT client;
    GetClientRect(hwnd(), &client);
    SetWindowPos(hwnd(), nullptr, 0, 0, client.right, meter_.effectiveHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(hwnd(), &client);
    placeHideButton(client.right, client.bottom);
}

void MeterPane::toggleCollapsed()
{
    meter_.options().setCollapsed(!meter_.options().collapsed());
    applyCollapsed();
    PostMessageA(main_, WMU_RELAYOUT, 0, 0);
    SetFocus(main_);
    // A click leaves the button the default one; it must not look pressed.
    SendMessageA(hideButton_, BM_SETSTYLE, BS_BITMAP, TRUE);
}

void MeterPane::placeHideButton(int cx, int cy)
{
    const HideButtonPlacement p = meter_.placeHideButton(cx, cy);
    SendMessageA(hideButton_, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(p.showsFoldBitmap ? fold_ : arrow_));
    MoveWindow(hideButton_, p.rect.left, p.rect.top, p.rect.width(), p.rect.height(), TRUE);
}

void MeterPane::redrawNow()
{
    if (hwnd() == nullptr || !IsWindowVisible(hwnd()))
        return;
    if (!surface_.update(meter_))
        return;
    const Size size = meter_.clientSize();
    WindowDC dc(hwnd());
    surface_.copyTo(dc.get(), {0, 0, size.cx, size.cy});
}

void MeterPane::setTrayIcon(int iconId, const std::string& tip)
{
    // Most ticks leave level and tip as they were; telling the shell again costs more
    // than the rest of the tick together.
    if (tray_.inTray() && iconId == trayIconId_ && tip == tray_.tip())
        return;
    if (tray_.show(iconId, tip))
        trayIconId_ = iconId;
}

void MeterPane::removeTrayIcon()
{
    tray_.remove();
}

void MeterPane::readFrameColours()
{
    meter_.setFrameColours({GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT),
                            GetSysColor(COLOR_BTNSHADOW)});
}

void MeterPane::onPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (!meter_.options().collapsed()) {
        surface_.update(meter_);
        surface_.copyTo(dc, ps.rcPaint);
    }
    EndPaint(hwnd(), &ps);
}

void MeterPane::onSize(int cx, int cy)
{
    meter_.setClientSize(cx, cy);
    placeHideButton(cx, cy);
    meter_.fitTextFormat(GdiTextMeasurer());
}

void MeterPane::prepareMenu(HMENU menu, POINT)
{
    const MeterKind kind = meter_.kind();
    const ContextMenuState state =
        meter_.contextMenuState(host_ != nullptr && host_->isFirstActive(kind),
                                host_ != nullptr && host_->isLastActive(kind));
    EnableMenuItem(menu, ID_METER_MOVE_UP, MF_BYCOMMAND | (state.moveUpGrayed ? MF_GRAYED : 0));
    EnableMenuItem(menu, ID_METER_MOVE_DOWN, MF_BYCOMMAND | (state.moveDownGrayed ? MF_GRAYED : 0));
    EnableMenuItem(menu, ID_METER_TRAY_ICON, MF_BYCOMMAND | (state.trayGrayed ? MF_GRAYED : 0));
    CheckMenuItem(menu, ID_METER_TRAY_ICON,
                  MF_BYCOMMAND | (state.trayChecked ? MF_CHECKED : MF_UNCHECKED));
}

void MeterPane::onContextMenu(POINT screen)
{
    HMENU resource = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_METER_MENU));
    if (resource == nullptr)
        return;
    HMENU menu = GetSubMenu(resource, 0);
    prepareMenu(menu, screen);
    const UINT id =
        static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         screen.x, screen.y, 0, hwnd(), nullptr));
    DestroyMenu(resource);
    if (id != 0)
        onCommand(id);
}

bool MeterPane::onCommand(unsigned id)
{
    const WPARAM kind = static_cast<WPARAM>(meter_.kind());
    switch (id) {
    case ID_METER_MOVE_UP:
        PostMessageA(main_, WMU_MOVE_UP, kind, 0);
        return true;
    case ID_METER_MOVE_DOWN:
        PostMessageA(main_, WMU_MOVE_DOWN, kind, 0);
        return true;
    case ID_METER_REMOVE:
        meter_.options().setActive(false);
        SendMessageA(main_, WMU_RELAYOUT, 0, 0);
        return true;
    case ID_METER_TRAY_ICON:
        meter_.options().setTrayIcon(!meter_.options().trayIcon());
        if (!meter_.options().trayIcon())
            tray_.remove();
        return true;
    case ID_METER_ADD_NEW:
        if (host_ != nullptr)
            host_->openPreferences(kAddMeterPage);
        return true;
    case ID_METER_PREFERENCES:
        // The drive meter's preferences are the volumes page; every other meter has its
        // options sheet, after which the main window lays itself out again.
        if (host_ == nullptr)
            return true;
        if (meter_.kind() == MeterKind::Drive)
            host_->openPreferences(kVolumesPage);
        else if (host_->editMeterOptions(meter_.kind()))
            SendMessageA(main_, WMU_RELAYOUT, 0, 0);
        return true;
    default:
        return false;
    }
}

LRESULT MeterPane::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        if (erasesBackground())
            break;
        return 1;
    case WM_SYSCOLORCHANGE:
        readFrameColours();
        InvalidateRect(hwnd(), nullptr, FALSE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_HIDE_BUTTON && HIWORD(wParam) == BN_CLICKED) {
            toggleCollapsed();
            return 0;
        }
        if (HIWORD(wParam) == 0 && lParam == 0 && onCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_CONTEXTMENU: {
        POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (screen.x == -1 && screen.y == -1)
            GetCursorPos(&screen);
        onContextMenu(screen);
        return 0;
    }
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
