#include "meter/meter_window.h"

#include "common/scoped_flag.h"
#include "common/win/resource_string.h"
#include "meter/measure/meter_binding.h"
#include "meter/measure/pdh_counter.h"
#include "meter/minimised_icon.h"
#include "meter/res/resource.h"
#include "meter/settings_store.h"
#include "meter/volumes/uptime_meter.h"
#include "meter/win32_registry_key.h"
#include "meter/window_rules.h"

namespace {

constexpr UINT kDialogResultAnswer = 1;

int foldBitmapOf(MeterKind kind)
{
    switch (kind) {
    case MeterKind::Cpu:
    case MeterKind::Cpu1:
    case MeterKind::Cpu2:
        return IDB_FOLD_CPU;
    case MeterKind::PageFile:
        return IDB_FOLD_PAGEFILE_TEXT;
    case MeterKind::PageFileGraph:
        return IDB_FOLD_PAGEFILE_GRAPH;
    case MeterKind::NetGraph:
        return IDB_FOLD_NETWORK;
    case MeterKind::DiskGraph:
        return IDB_FOLD_DISK;
    case MeterKind::Drive:
        return IDB_FOLD_DRIVES;
    case MeterKind::PhysMemGraph:
        return IDB_FOLD_PHYSMEM_GRAPH;
    case MeterKind::PhysMem:
        return IDB_FOLD_PHYSMEM_TEXT;
    case MeterKind::Process:
        return IDB_FOLD_PROCESSES;
    case MeterKind::Uptime:
        return IDB_FOLD_UPTIME;
    case MeterKind::Ping:
        return IDB_FOLD_PING;
    case MeterKind::Resources:
        return IDB_FOLD_RESOURCES;
    }
    return IDB_FOLD_CPU;
}

} // namespace

std::uintptr_t WindowTimers::startTimer(int slot, unsigned milliseconds)
{
    const UINT_PTR id = static_cast<UINT_PTR>(slot) + 1;
    return SetTimer(window_, id, milliseconds, nullptr) != 0 ? id : 0;
}

void WindowTimers::stopTimer(std::uintptr_t id)
{
    KillTimer(window_, id);
}

MeterWindow::MeterWindow(ProgramContext context)
    : context_(std::move(context)), trayNotifier_(GetModuleHandleA(nullptr)),
      ping_(makeWinPingNetwork(context_.winsockStarted)),
      meters_(settings_, context_.family,
              {volumes_, alerts_, trayNotifier_, freeResources_, *ping_, perfData_, processTimes_,
               narrowToAnsiCodePage}),
      mainTray_(trayNotifier_, 100), timers_(timerService_, *this),
      plugin_(mailLibrary_, kProductName, context_.programFolder)
{
    settings_.resetDefaults(context_.programFolder);
    for (int k = 0; k < kMeterKindCount; ++k) {
        Meter& meter = meters_.byKind(static_cast<MeterKind>(k));
        logs_.push_back(std::make_unique<MeterLogFile>(settings_, meter.displayName(false),
                                                       logWriter_, wallClock_));
        meter.setLog(logs_.back().get());
    }
    if (context_.sources != nullptr) {
        for (Meter* meter : meters_.inDisplayOrder())
            bindMeterCounter(*meter, *context_.sources, context_.environment->facts,
                             *context_.clock);
        bindUptimeCounter();
    }
}

MeterWindow::~MeterWindow()
{
    for (int k = 0; k < kMeterKindCount; ++k)
        meters_.byKind(static_cast<MeterKind>(k)).setLog(nullptr);
}

void MeterWindow::bindUptimeCounter()
{
    Meter& uptime = meters_.byKind(MeterKind::Uptime);
    if (context_.family == PlatformFamily::NT)
        uptime.setCounter(new PdhCounter(PdhCounterKind::Uptime), true);
    else
        uptime.setCounter(new TickUptimeCounter([] { return GetTickCount(); }), true);
}

void MeterWindow::run()
{
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_METER_WINDOW), nullptr,
                    dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK MeterWindow::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MeterWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<MeterWindow*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    return self != nullptr ? self->handle(message, wParam, lParam) : FALSE;
}

INT_PTR MeterWindow::answer(LRESULT result)
{
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return kDialogResultAnswer;
}

WindowAndMeters MeterWindow::windowAndMeters()
{
    return {&placement_, &meters_.order(), meters_.optionsTable(), context_.family};
}

MeterPane& MeterWindow::paneOf(const Meter& meter)
{
    return *panes_[static_cast<std::size_t>(meter.kind())];
}

// ---- start-up -------------------------------------------------------------------

void MeterWindow::createMeterWindows()
{
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    arrow_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ARROW),
                                             IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    for (int position = 0; position < kMeterKindCount; ++position) {
        Meter& meter = meters_.atPosition(position);
        std::unique_ptr<MeterPane> pane;
        if (meter.kind() == MeterKind::Drive) {
            auto drive = std::make_unique<DrivePane>(meters_.drive(), trayNotifier_, settings_);
            drivePane_ = drive.get();
            pane = std::move(drive);
        } else {
            pane = std::make_unique<MeterPane>(meter, trayNotifier_);
        }
        pane->create(hwnd_, position);
        pane->setHost(this);
        const auto k = static_cast<std::size_t>(meter.kind());
        folds_[k] = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                    MAKEINTRESOURCEA(foldBitmapOf(meter.kind())),
                                                    IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
        pane->setBitmaps(arrow_, folds_[k]);
        panes_[k] = std::move(pane);
    }
    meters_.drive().setTrayCallback(reinterpret_cast<std::uintptr_t>(hwnd_), WMU_TRAY_NOTIFY);
}

void MeterWindow::loadSettings()
{
    std::unique_ptr<Win32RegistryKey> root = Win32RegistryKey::root(HKEY_CURRENT_USER);
    ::loadSettings(*root, {context_.profileName, context_.programFolder}, settings_,
                   windowAndMeters());
    applyDefaultVolumes(settings_, volumes_);
    if (context_.environment != nullptr)
        context_.environment->remote.set(settings_.remoteComputer);

    if (placement_.positionStored) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (!placement_.sizeStored)
            flags |= SWP_NOSIZE;
        SetWindowPos(hwnd_, nullptr, placement_.x, placement_.y, placement_.cx, placement_.cy,
                     flags);
        sizeKnown_ = placement_.sizeStored;
    }
}

void MeterWindow::onInitDialog()
{
    createMeterWindows();
    timerService_.setWindow(hwnd_);
    SetWindowTextA(hwnd_, kProductName);
    readFrameMetrics();
    loadSettings();
    applyAlwaysOnTop();

    mainTray_.setCallback(reinterpret_cast<std::uintptr_t>(hwnd_), WMU_TRAY_NOTIFY);
    mainTray_.show(IDI_PROGRAM, windowTitle(settings_));

    const LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE,
                      settings_.flag(Booleans::kHideFromTaskBar) ? exStyle & ~WS_EX_APPWINDOW
                                                                 : exStyle & ~WS_EX_TOOLWINDOW);

    HMENU system = GetSystemMenu(hwnd_, FALSE);
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_SYS_PREFERENCES, "&Preferences...");
    AppendMenuA(system, MF_STRING, IDM_SYS_STATISTICS, "&Statistics Summary...");
    AppendMenuA(system, MF_STRING, IDM_SYS_UPDATE_NOW, "&Update Now");
    AppendMenuA(system, MF_STRING, IDM_SYS_HIDE, "&Hide");
    AppendMenuA(system, MF_STRING, IDM_SYS_AUTO_SIZE, "Au&to Set Window Size");
    AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(system, MF_STRING, IDM_SYS_ABOUT, "&About Brellix...");
    AppendMenuA(system, MF_STRING, IDM_SYS_HELP, "&Help");
    AppendMenuA(system, MF_STRING, IDM_SYS_WEB_SITE, "&Visit Web Site");

    appIcon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon_));

    drivePane_->buildColumns();

    PostMessageA(hwnd_, WMU_FIRST_ACTIVATION, 0, 0);
    refreshDrivesAndLayout(false, false, false);
    if (settings_.flag(Booleans::kStartHidden))
        PostMessageA(hwnd_, WMU_START_HIDDEN, 0, 0);
}

void MeterWindow::onFirstActivation()
{
    applyVisibility();
    layout(true, true, false);
    registerHotKey();
    PostMessageA(hwnd_, WMU_STARTUP, 0, 0);
}

void MeterWindow::onStartCounters()
{
    if (context_.sources != nullptr) {
        restartCounters(meters_.inDisplayOrder(), *context_.sources, *context_.environment,
                        context_.library);
        countersBound_ = true;
    }
    timers_.startTimers(settings_.timerSeconds);
    applyVisibility();
    layout(true, true, false);
    timers_.driveTick();
    timers_.usageTick(1);
    timers_.usageTick(2);
    PostMessageA(hwnd_, WMU_CHECK_UPDATE, 0, 0);
}

void MeterWindow::onWelcome()
{
    if (!settings_.flag(Booleans::kFirstRun))
        return;
    const std::string format = loadString(IDS_WELCOME);
    const std::string product = std::string(kProductName) + " v" + kProductVersion;
    std::string text(format.size() + product.size() + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), product.c_str());
    text.resize(std::char_traits<char>::length(text.c_str()));
    {
        ScopedFlag busy(busy_);
        MessageBoxA(hwnd_, text.c_str(), windowTitle(settings_).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    }
    openPreferences(kMenuPreferencesPage);
    settings_.setFlag(Booleans::kFirstRun, false);
}

// ---- shutdown ---------------------------------------------------------------------

void MeterWindow::shutdown()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    timers_.stopTimers();
    if (context_.sources != nullptr)
        context_.sources->stopAll();
    UnregisterHotKey(hwnd_, kHotKeyId);
    for (Meter* meter : meters_.inDisplayOrder())
        paneOf(*meter).deactivate();
    meters_.drive().removeVolumeIcons();
    saveSettings();
    plugin_.unload(true);
}

void MeterWindow::saveSettings()
{
    drivePane_->storeColumnOrder();
    RECT r;
    GetWindowRect(hwnd_, &r);
    placement_ = {r.left, r.top, r.right - r.left, r.bottom - r.top, true, true};
    std::unique_ptr<Win32RegistryKey> root = Win32RegistryKey::root(HKEY_CURRENT_USER);
    ::saveSettings(*root, {context_.profileName, context_.programFolder}, settings_,
                   windowAndMeters());
}

void MeterWindow::exitProgram()
{
    shutdown();
    EndDialog(hwnd_, 0);
}

// ---- tick handler and pane host ----------------------------------------------------

void MeterWindow::refreshDrives()
{
    refreshDrivesAndLayout(false, false, true);
}

void MeterWindow::collect(int timer)
{
    if (context_.sources != nullptr && countersBound_)
        context_.sources->collect(timer);
}

void MeterWindow::requestUpdateCheck()
{
    PostMessageA(hwnd_, WMU_CHECK_UPDATE, 0, 0);
}

const std::vector<Meter*>& MeterWindow::meters()
{
    return meters_.inDisplayOrder();
}

bool MeterWindow::isFirstActive(MeterKind kind) const
{
    return meters_.order().isFirstActive(kind, meters_.optionsTable());
}

bool MeterWindow::isLastActive(MeterKind kind) const
{
    return meters_.order().isLastActive(kind, meters_.optionsTable());
}

// ---- messages ---------------------------------------------------------------------

void MeterWindow::onStartup()
{
    PostMessageA(hwnd_, WMU_START_COUNTERS, 0, 0);
    PostMessageA(hwnd_, WMU_LOAD_PLUGIN, 0, 0);
    PostMessageA(hwnd_, WMU_WELCOME, 0, 0);
}

void MeterWindow::onMoveRequest(WPARAM kind, bool up)
{
    if (isValidMeterKind(static_cast<int>(kind)))
        moveMeter(static_cast<MeterKind>(kind), up);
}

void MeterWindow::onPluginCommand(WPARAM id)
{
    if (busy_)
        return;
    if (id == PLUGIN_ITEM_EXIT)
        exitProgram();
    else if (id == PLUGIN_ITEM_PREFERENCES)
        openPreferences(kMenuPreferencesPage);
}

void MeterWindow::onHotKey(WPARAM id)
{
    if (id != kHotKeyId)
        return;
    if (GetForegroundWindow() == hwnd_) {
        setHidden(true);
    } else {
        setHidden(false);
        SetForegroundWindow(hwnd_);
    }
}

void MeterWindow::onInitMenuPopup(HMENU menu, bool systemMenu)
{
    if (!systemMenu)
        return;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
}

bool MeterWindow::onCaptionDoubleClick(WPARAM hit)
{
    if (hit != HTCAPTION)
        return false;
    setHidden(true);
    return true;
}

void MeterWindow::onWindowPosChanging(WINDOWPOS* pos)
{
    // The dialog loop shows its window when the queue first runs empty, and a modal
    // dialog shows its owner again when it ends; a window the user hid stays hidden
    // until the program shows it.
    if (hidden_)
        pos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
}

INT_PTR MeterWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        onTaskbarCreated();
        return TRUE;
    }
    if (INT_PTR result = 0; handleMinimisedFace(hwnd_, appIcon_, message, result))
        return result;
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return FALSE; // the focus stays where the system puts it
    case WMU_START_HIDDEN:
        setHidden(true);
        return TRUE;
    case WMU_TRAY_NOTIFY:
        onTrayNotify(lParam);
        return TRUE;
    case WMU_MOVE_UP:
    case WMU_MOVE_DOWN:
        onMoveRequest(wParam, message == WMU_MOVE_UP);
        return TRUE;
    case WMU_RELAYOUT:
        relayout();
        return TRUE;
    case WMU_CHECK_UPDATE:
        checkForUpdate();
        return TRUE;
    case WMU_FIRST_ACTIVATION:
        onFirstActivation();
        return TRUE;
    case WMU_STARTUP:
        onStartup();
        return TRUE;
    case WMU_START_COUNTERS:
        onStartCounters();
        return TRUE;
    case WMU_LOAD_PLUGIN:
        loadPlugin();
        return TRUE;
    case WMU_WELCOME:
        onWelcome();
        return TRUE;
    case WMU_PLUGIN_COMMAND:
        onPluginCommand(wParam);
        return answer(1);
    case WM_TIMER:
        timers_.dispatch(wParam);
        return TRUE;

    case WM_HOTKEY:
        onHotKey(wParam);
        return TRUE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        if (onSystemCommand(wParam))
            return answer(0);
        return FALSE;
    case WM_INITMENUPOPUP:
        onInitMenuPopup(reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        return FALSE;
    case WM_NCLBUTTONDBLCLK:
        return onCaptionDoubleClick(wParam) ? answer(0) : FALSE;
    case WM_WINDOWPOSCHANGING:
        onWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        return FALSE;
    case WM_SIZING:
        onSizing(wParam, reinterpret_cast<RECT*>(lParam));
        return answer(TRUE);
    case WM_SIZE:
        onSize(LOWORD(lParam));
        return TRUE;
    case WM_SETTINGCHANGE:
        readFrameMetrics();
        return FALSE;
    case WM_QUERYENDSESSION:
        shutdown();
        return FALSE; // the default answer
    case WM_DESTROY:
        shutdown();
        UnregisterHotKey(hwnd_, kHotKeyId);
        return FALSE;
    default:
        return FALSE;
    }
}
