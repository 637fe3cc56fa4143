// The main window's commands: the tray icon and its menu, the command and system menu
// items, the close box and its question, the About box and the statistics summary, web
// pages and the update check.
#include "meter/meter_window.h"

#include "common/scoped_flag.h"
#include "common/win/resource_string.h"
#include "common/win/web_page.h"
#include "meter/measure/memory_status_win.h"
#include "meter/res/resource.h"
#include "meter/statistics_dialog.h"
#include "meter/update_host.h"
#include "meter/window_rules.h"

namespace {

// Opens an address of the string table in the user's browser.
void openWebPage(HWND owner, int stringId)
{
    ::openWebPage(false, loadString(stringId), kProductName, owner);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        RECT desktop, own;
        GetWindowRect(GetDesktopWindow(), &desktop);
        GetWindowRect(dialog, &own);
        SetWindowPos(dialog, nullptr, (desktop.right - desktop.left - (own.right - own.left)) / 2,
                     (desktop.bottom - desktop.top - (own.bottom - own.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        if (id == IDC_ABOUT_WEB_SITE || id == IDC_ABOUT_MAILING_LIST) {
            openWebPage(dialog, id == IDC_ABOUT_WEB_SITE ? IDS_URL_WEB_SITE : IDS_URL_MAILING_LIST);
            return TRUE;
        }
    }
    return FALSE;
}

struct CloseDialogState {
    bool remembered = false;
    bool dontAskAgain = false;
};

INT_PTR CALLBACK closeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<CloseDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        state = reinterpret_cast<CloseDialogState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        CheckDlgButton(dialog, IDC_CLOSE_DONT_ASK, state->remembered ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDC_CLOSE_EXIT || id == IDC_CLOSE_HIDE || id == IDCANCEL) {
            state->dontAskAgain = IsDlgButtonChecked(dialog, IDC_CLOSE_DONT_ASK) == BST_CHECKED;
            EndDialog(dialog, id);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

// ---- commands ---------------------------------------------------------------------

void MeterWindow::onTrayNotify(LPARAM mouseMessage)
{
    switch (trayClick(static_cast<unsigned>(mouseMessage), busy_)) {
    case TrayClick::ShowWindow:
        setHidden(false);
        SetForegroundWindow(hwnd_);
        answer(1);
        return;
    case TrayClick::OpenMenu:
        openTrayMenu();
        answer(1);
        return;
    case TrayClick::Ignore:
        answer(0);
        return;
    }
}

void MeterWindow::openTrayMenu()
{
    HMENU resource = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (resource == nullptr)
        return;
    HMENU menu = GetSubMenu(resource, 0);
    ModifyMenuA(menu, ID_TRAY_HIDE, MF_BYCOMMAND | MF_STRING, ID_TRAY_HIDE, hideItemText(hidden_));
    SetForegroundWindow(hwnd_);
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    DestroyMenu(resource);
}

bool MeterWindow::onCommand(unsigned id)
{
    switch (id) {
    case ID_TRAY_UPDATE_NOW:
        refreshDrivesAndLayout(true, true, true);
        return true;
    case ID_TRAY_HIDE:
        setHidden(!hidden_);
        return true;
    case ID_TRAY_ABOUT:
        showAbout();
        return true;
    case ID_TRAY_HELP:
        showWebPage(IDS_URL_HELP);
        return true;
    case ID_TRAY_WEB_SITE:
        showWebPage(IDS_URL_WEB_SITE);
        return true;
    case ID_TRAY_EXIT:
        exitProgram();
        return true;
    case ID_TRAY_PREFERENCES:
        openPreferences(kMenuPreferencesPage);
        return true;
    case ID_TRAY_STATISTICS:
        showStatistics();
        return true;
    case IDOK:
        return true; // Enter does not close the window
    case IDCANCEL:
        if (exitRequested_) {
            exitRequested_ = false;
            EndDialog(hwnd_, 0);
        }
        return true;
    default:
        return false;
    }
}

bool MeterWindow::onSystemCommand(WPARAM command)
{
    if ((command & 0xFFF0) == SC_CLOSE) {
        onClose();
        return true;
    }
    switch (systemCommand(static_cast<unsigned>(command))) {
    case SystemCommand::About:
        showAbout();
        return true;
    case SystemCommand::UpdateNow:
        refreshDrivesAndLayout(true, true, true);
        return true;
    case SystemCommand::Hide:
        setHidden(true);
        return true;
    case SystemCommand::WebSite:
        showWebPage(IDS_URL_WEB_SITE);
        return true;
    case SystemCommand::Help:
        showWebPage(IDS_URL_HELP);
        return true;
    case SystemCommand::AutoSize:
        layout(true, true, true);
        return true;
    case SystemCommand::Preferences:
        openPreferences(kMenuPreferencesPage);
        return true;
    case SystemCommand::Statistics:
        showStatistics();
        return true;
    case SystemCommand::None:
        break;
    }
    return false;
}

void MeterWindow::onClose()
{
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    CloseAnswer choice = CloseAnswer::Cancel;
    switch (closeAction(settings_, shift)) {
    case CloseAction::Exit:
        choice = CloseAnswer::Exit;
        break;
    case CloseAction::Hide:
        setHidden(true);
        return;
    case CloseAction::Ask: {
        CloseDialogState state;
        state.remembered = closeAnswerRemembered(settings_);
        INT_PTR result;
        {
            ScopedFlag busy(busy_);
            result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CLOSE), hwnd_,
                                     closeProc, reinterpret_cast<LPARAM>(&state));
        }
        choice = result == IDC_CLOSE_EXIT   ? CloseAnswer::Exit
                 : result == IDC_CLOSE_HIDE ? CloseAnswer::Hide
                                            : CloseAnswer::Cancel;
        rememberCloseAnswer(settings_, choice, state.dontAskAgain);
        if (choice == CloseAnswer::Hide)
            setHidden(true);
        break;
    }
    }
    if (choice == CloseAnswer::Exit) {
        exitRequested_ = true;
        exitProgram();
    }
}

void MeterWindow::showAbout()
{
    ScopedFlag busy(busy_);
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), hwnd_, aboutProc, 0);
}

void MeterWindow::showStatistics()
{
    ScopedFlag busy(busy_);
    SystemMemoryStatus memory;
    StatisticsSummaryDialog dialog(meters_, memory);
    dialog.runModal(hwnd_);
}

void MeterWindow::showWebPage(int stringId)
{
    openWebPage(hwnd_, stringId);
}

void MeterWindow::onTaskbarCreated()
{
    // The restarted shell has none of our icons although we hold their handles:
    // forget them so that the next update adds each again.
    mainTray_.forgetIcon();
    for (auto& pane : panes_)
        pane->trayIcon().forgetIcon();
    refreshDrivesAndLayout(true, false, true);
}

void MeterWindow::checkForUpdate()
{
    // The check may end the program to install; it waits until the sheet has closed.
    if (preferencesOpen_) {
        updateCheckWaiting_ = true;
        return;
    }
    RenewoHost host(
        hwnd_, [this] { exitProgram(); }, [this] { timers_.stopUpdateCheckTimer(); });
    UpdateCheckConfig config;
    config.ownerWindow = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hwnd_));
    config.webSiteUrl = loadString(IDS_URL_WEB_SITE);
    config.versionFileUrl = kVersionFileUrl;
    update_.checkForUpdate(settings_.booleans, config, host);
}
