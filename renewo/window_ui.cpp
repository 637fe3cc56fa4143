#include "renewo/window_ui.h"

#include "common/win/web_page.h"
#include "renewo/browse_folder.h"
#include "renewo/res/resource.h"
#include "renewo/texts.h"

#include <commctrl.h>

namespace renewo {

namespace {

std::string itemText(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The dialog templates hold the texts with their "%s" places.
void fillOffer(HWND dialog, const UpdateOffer& offer)
{
    SendDlgItemMessageA(dialog, IDC_UPDATE_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_INFORMATION)), 0);
    SetDlgItemTextA(dialog, IDC_UPDATE_HEADLINE,
                    formatText(itemText(dialog, IDC_UPDATE_HEADLINE), {offer.appName}).c_str());
    if (offer.detailed) {
        const std::string details =
            formatText(itemText(dialog, IDC_UPDATE_DETAILS),
                       {offer.newVersion, offer.releaseDate, offer.currentVersion});
        SetDlgItemTextA(dialog, IDC_UPDATE_DETAILS, details.c_str());
    }
}

INT_PTR CALLBACK updateProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        fillOffer(dialog, *reinterpret_cast<const UpdateOffer*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case IDC_VISIT_WEB_SITE:
        case IDC_GET_NEW_VERSION:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK connectingProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// Cancel (the button, Escape or the close box) sets the flag whose address the window
// keeps; Enter does nothing.
INT_PTR CALLBACK progressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            if (auto* cancel = reinterpret_cast<bool*>(GetWindowLongPtrA(dialog, GWLP_USERDATA))) {
                *cancel = true;
            }
            return TRUE;
        }
        return LOWORD(wParam) == IDOK;
    default:
        break;
    }
    return FALSE;
}

class FileOwner {
public:
    explicit FileOwner(HANDLE h) : h_(h) {}
    ~FileOwner()
    {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    FileOwner(const FileOwner&) = delete;
    FileOwner& operator=(const FileOwner&) = delete;
    HANDLE get() const { return h_; }
    bool close()
    {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

} // namespace

WindowUi::~WindowUi()
{
    closeModeless(progress_);
    closeModeless(connecting_);
}

std::string WindowUi::loadString(int id)
{
    char text[1024] = "";
    LoadStringA(resources_, static_cast<UINT>(id), text, sizeof text);
    return text;
}

bool WindowUi::askToConnect(const std::string& text, const std::string& caption)
{
    return MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONQUESTION) ==
           IDOK;
}

void WindowUi::message(const std::string& text, const std::string& caption, MessageIcon icon)
{
    const UINT style = icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | style);
}

HWND WindowUi::openModeless(int dialogId, DLGPROC proc)
{
    HWND window = CreateDialogParamA(resources_, MAKEINTRESOURCEA(dialogId), owner_, proc,
                                     reinterpret_cast<LPARAM>(&cancelRequested_));
    if (window) {
        if (owner_) {
            EnableWindow(owner_, FALSE);
        }
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

void WindowUi::closeModeless(HWND& window)
{
    if (!window) {
        return;
    }
    // The owner first, so that activation returns to it rather than to another program.
    if (owner_) {
        EnableWindow(owner_, TRUE);
    }
    DestroyWindow(window);
    window = nullptr;
}

void WindowUi::showConnecting()
{
    connecting_ = openModeless(IDD_CONNECTING, connectingProc);
}

void WindowUi::hideConnecting()
{
    closeModeless(connecting_);
}

UpdateChoice WindowUi::offerUpdate(const UpdateOffer& offer)
{
    MessageBeep(MB_OK);
    const int dialogId = offer.detailed ? IDD_UPDATE_DETAILED : IDD_UPDATE_SHORT;
    const INT_PTR result = DialogBoxParamA(resources_, MAKEINTRESOURCEA(dialogId), owner_,
                                           updateProc, reinterpret_cast<LPARAM>(&offer));
    switch (result) {
    case IDC_VISIT_WEB_SITE:
        return UpdateChoice::Visit;
    case IDC_GET_NEW_VERSION:
        return UpdateChoice::Download;
    default:
        return UpdateChoice::Continue;
    }
}

bool WindowUi::openWebPage(const std::string& address)
{
    return ::openWebPage(false, address, "Renewo");
}

void WindowUi::progressOpen(const std::string& fileName)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    cancelRequested_ = false;
    progress_ = openModeless(IDD_PROGRESS, progressProc);
    if (progress_) {
        SendDlgItemMessageA(progress_, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
        SetDlgItemTextA(progress_, IDC_GETTING, fileName.c_str());
    }
}

void WindowUi::progressSize(std::uint32_t size, const std::string& sizeText)
{
    if (!progress_) {
        return;
    }
    SetDlgItemTextA(progress_, IDC_FILE_SIZE, sizeText.c_str());
    SendDlgItemMessageA(progress_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0,
                        static_cast<LPARAM>(size > 0x7fffffffu ? 0x7fffffffu : size));
    SendDlgItemMessageA(progress_, IDC_PROGRESS_BAR, PBM_SETSTEP, 16384, 0);
}

bool WindowUi::progressChunk(const std::string& bytesText, const std::string& percentText)
{
    if (progress_) {
        SendDlgItemMessageA(progress_, IDC_PROGRESS_BAR, PBM_STEPIT, 0, 0);
        SetDlgItemTextA(progress_, IDC_BYTES_TRANSFERRED, bytesText.c_str());
        SetDlgItemTextA(progress_, IDC_PERCENT, percentText.c_str());
    }
    pumpMessages();
    return cancelRequested_;
}

void WindowUi::progressComplete(std::uint32_t size, const std::string& sizeText)
{
    if (progress_) {
        SendDlgItemMessageA(progress_, IDC_PROGRESS_BAR, PBM_SETPOS, size, 0);
        SetDlgItemTextA(progress_, IDC_BYTES_TRANSFERRED, sizeText.c_str());
        SetDlgItemTextA(progress_, IDC_PERCENT, "100%");
        UpdateWindow(progress_);
    }
    Sleep(800);
}

void WindowUi::progressClose()
{
    closeModeless(progress_);
}

// Keeps the caller's windows alive between chunks and lets Cancel and Escape through.
// A quit request is left for the caller's own loop and ends the download.
void WindowUi::pumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancelRequested_ = true;
            return;
        }
        if (progress_ && IsDialogMessageA(progress_, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WindowUi::chooseFolder(std::string& folder)
{
    return browseForFolder(resources_, owner_, folder, IDS_CHOOSE_INSTALLER_FOLDER);
}

bool WindowUi::saveFile(const std::string& path, const char* data, std::uint32_t size)
{
    FileOwner file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file.get(), data, size, &written, nullptr) && written == size;
    if (file.close() && ok) {
        return true;
    }
    // Half an installer must not be left where the user would run it.
    DeleteFileA(path.c_str());
    return false;
}

} // namespace renewo
