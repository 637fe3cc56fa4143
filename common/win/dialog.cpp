#include "common/win/dialog.h"

Dialog::Dialog(int templateId, HINSTANCE module)
    : templateId_(templateId), module_(module != nullptr ? module : GetModuleHandleA(nullptr))
{
}

Dialog::~Dialog()
{
    if (!modal_ && hwnd() != nullptr) {
        HWND window = hwnd();
        SetWindowLongPtrA(window, DWLP_USER, 0);
        attach(nullptr);
        DestroyWindow(window);
    }
}

INT_PTR Dialog::runModal(HWND owner)
{
    modal_ = true;
    const INT_PTR result = DialogBoxParamA(module_, MAKEINTRESOURCEA(templateId_), owner,
                                           dialogProc, reinterpret_cast<LPARAM>(this));
    attach(nullptr);
    return result;
}

bool Dialog::createModeless(HWND owner)
{
    modal_ = false;
    return CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId_), owner, dialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::close(INT_PTR result)
{
    if (modal_)
        EndDialog(hwnd(), result);
    else
        DestroyWindow(hwnd());
}

bool Dialog::onCommand(int id, int)
{
    if (id == IDOK) {
        onOk();
        return true;
    }
    if (id == IDCANCEL) {
        onCancel();
        return true;
    }
    return false;
}

bool Dialog::onNotify(const NMHDR&, LRESULT&)
{
    return false;
}

void Dialog::onTimer(UINT_PTR)
{
}

INT_PTR Dialog::handleMessage(UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void Dialog::centreOnDesktop()
{
    centreWindowOnDesktop(hwnd());
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* initial = message == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
    return dispatch(hwnd, message, wParam, lParam, initial);
}

INT_PTR Dialog::route(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInit() ? TRUE : FALSE;
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!onNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return FALSE;
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_TIMER:
        onTimer(wParam);
        return TRUE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default:
        return handleMessage(message, wParam, lParam);
    }
}

void centreWindowOnDesktop(HWND window)
{
    RECT desktop, own;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    SetWindowPos(window, nullptr,
                 desktop.left + (desktop.right - desktop.left - (own.right - own.left)) / 2,
                 desktop.top + (desktop.bottom - desktop.top - (own.bottom - own.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
