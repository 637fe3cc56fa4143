// The main window's layout and visibility: the meters stacked to fit, docking and
// keeping on screen, hiding and showing, always on top, the hot key.
#include "meter/meter_window.h"

#include "common/scoped_flag.h"
#include "common/win/wait_cursor.h"
#include "meter/measure/meter_binding.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

// ---- layout and visibility ---------------------------------------------------------

void MeterWindow::readFrameMetrics()
{
    metrics_.edge = GetSystemMetrics(SM_CXEDGE);
    metrics_.dialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    metrics_.dialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    metrics_.caption = GetSystemMetrics(SM_CYCAPTION);
    metrics_.smallCaption = GetSystemMetrics(SM_CYSMCAPTION);
}

void MeterWindow::applyVisibility()
{
    for (Meter* meter : meters_.inDisplayOrder()) {
        meter->flushLog();
        MeterPane& pane = paneOf(*meter);
        if (meter->options().active())
            pane.activate();
        else
            pane.deactivate();
    }
    SetWindowTextA(hwnd_, windowTitle(settings_).c_str());
}

void MeterWindow::applyAlwaysOnTop()
{
    SetWindowPos(hwnd_, settings_.flag(Booleans::kAlwaysOnTop) ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MeterWindow::layout(bool force, bool keepDocked, bool autoSize)
{
    if (settings_.flag(Booleans::kFirstRun) || !sizeKnown_) {
        sizeKnown_ = true;
        autoSize = true;
    }
    LayoutRequest request;
    request.force = force;
    request.keepDocked = keepDocked;
    request.autoSize = autoSize;
    request.driveRequired = drivePane_->requiredSize();
    request.driveCollapsed = meters_.drive().options().collapsed();
    RECT client;
    GetClientRect(drivePane_->hwnd(), &client);
    request.driveClient = {client.right, client.bottom};
    RECT window;
    GetWindowRect(hwnd_, &window);
    request.window = {window.left, window.top, window.right, window.bottom};
    std::vector<Meter*> shown;
    for (Meter* meter : meters_.inDisplayOrder())
        if (meter->options().active() && !meter->isPlaceholder()) {
            shown.push_back(meter);
            request.activeHeights.push_back(meter->effectiveHeight());
        }
    request.metrics = metrics_;
    request.smallCaption = settings_.flag(Booleans::kHideFromTaskBar);
    request.keepOnScreen = !settings_.flag(Booleans::kDoNotKeepOnScreen);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    request.desktop = {desktop.left, desktop.top, desktop.right, desktop.bottom};

    const LayoutResult result = computeLayout(request);
    if (!result.changed)
        return;
    for (std::size_t i = 0; i < shown.size(); ++i)
        SetWindowPos(paneOf(*shown[i]).hwnd(), nullptr, kLayoutMargin, result.meterTops[i],
                     result.meterWidth, request.activeHeights[i], SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hwnd_, nullptr, result.window.left, result.window.top, result.window.width(),
                 result.window.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void MeterWindow::refreshDrivesAndLayout(bool manual, bool force, bool keepDocked)
{
    WaitCursor wait;
    ScopedFlag busy(busy_);
    const std::size_t volumeIcons = meters_.drive().update(manual);
    drivePane_->transferRows();
    updateProgramIcon(volumeIcons);
    layout(force, keepDocked, false);
}

void MeterWindow::updateProgramIcon(std::size_t volumeIcons)
{
    std::size_t meterIcons = 0;
    for (Meter* meter : meters_.inDisplayOrder())
        if (meter->options().active() && meter->options().trayIcon() && meter->canShowTrayIcon())
            ++meterIcons;
    if (volumeIcons > 0 || meterIcons > 0)
        mainTray_.remove();
    else
        mainTray_.show(IDI_PROGRAM, kProductName);
}

void MeterWindow::setHidden(bool hide)
{
    if (hide == hidden_)
        return;
    hidden_ = hide;
    if (hide) {
        ShowWindow(hwnd_, SW_HIDE);
    } else {
        ShowWindow(hwnd_, SW_SHOW);
        refreshDrivesAndLayout(true, true, true);
    }
}

void MeterWindow::relayout()
{
    if (context_.sources != nullptr) {
        context_.sources->stopAll();
        restartCounters(meters_.inDisplayOrder(), *context_.sources, *context_.environment,
                        context_.library);
    }
    timers_.restartChangedTimers(settings_.timerSeconds);
    applyVisibility();
    registerHotKey();
    layout(true, true, false);
}

void MeterWindow::moveMeter(MeterKind kind, bool up)
{
    const int position = meters_.order().positionOf(kind);
    if (position < 0)
        return;
    std::array<bool, 14> visible{};
    for (int p = 0; p < kMeterKindCount; ++p)
        visible[static_cast<std::size_t>(p)] =
            IsWindowVisible(paneOf(meters_.atPosition(p)).hwnd()) != FALSE;
    const int target = up ? moveUpTarget(position, visible) : moveDownTarget(position, visible);
    if (target < 0)
        return;
    meters_.moveKind(kind, target);
    layout(true, true, false);
}

void MeterWindow::onSize(int cx)
{
    for (Meter* meter : meters_.inDisplayOrder()) {
        if (!meter->options().active())
            continue;
        HWND pane = paneOf(*meter).hwnd();
        RECT r;
        GetClientRect(pane, &r);
        SetWindowPos(pane, nullptr, 0, 0, cx - 2 * kLayoutMargin, r.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MeterWindow::onSizing(WPARAM edge, RECT* rect)
{
    RECT current;
    GetWindowRect(hwnd_, &current);
    const bool driveActive = meters_.drive().options().active();
    const int minimum = minimumWindowWidth(driveActive, drivePane_->requiredSize().cx, metrics_);
    const SizingEdge side =
        (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) ? SizingEdge::Left
        : (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
            ? SizingEdge::Right
            : SizingEdge::Other;
    const Rect r =
        constrainSizing({rect->left, rect->top, rect->right, rect->bottom},
                        {current.left, current.top, current.right, current.bottom}, side, minimum);
    *rect = {r.left, r.top, r.right, r.bottom};
}

void MeterWindow::registerHotKey()
{
    UnregisterHotKey(hwnd_, kHotKeyId);
    if (!shutDown_ && settings_.flag(Booleans::kHotKeyActivation))
        RegisterHotKey(hwnd_, kHotKeyId, settings_.hotKey.modifiers, settings_.hotKey.virtualKey);
}
