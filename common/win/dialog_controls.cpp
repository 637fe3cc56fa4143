#include "common/win/dialog_controls.h"

#include "common/input/range_input.h"

#include <commctrl.h>

std::string DialogControls::text(int id) const
{
    HWND control = item(id);
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void DialogControls::setText(int id, const std::string& text)
{
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

std::optional<long> DialogControls::number(int id) const
{
    return parseInteger(text(id));
}

void DialogControls::setNumber(int id, long value)
{
    setText(id, std::to_string(value));
}

void DialogControls::limitText(int id, std::size_t most)
{
    SendDlgItemMessageA(hwnd_, id, EM_LIMITTEXT, most, 0);
}

bool DialogControls::checked(int id) const
{
    return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
}

void DialogControls::setChecked(int id, bool on)
{
    CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int DialogControls::radioIndex(const std::vector<int>& ids) const
{
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (checked(ids[i]))
            return static_cast<int>(i);
    return -1;
}

void DialogControls::setRadioIndex(const std::vector<int>& ids, int index)
{
    for (std::size_t i = 0; i < ids.size(); ++i)
        setChecked(ids[i], static_cast<int>(i) == index);
}

void DialogControls::enable(int id, bool on)
{
    EnableWindow(item(id), on ? TRUE : FALSE);
}

void DialogControls::enable(const std::vector<int>& ids, bool on)
{
    for (int id : ids)
        enable(id, on);
}

bool DialogControls::enabled(int id) const
{
    return IsWindowEnabled(item(id)) != FALSE;
}

void DialogControls::show(int id, bool on)
{
    ShowWindow(item(id), on ? SW_SHOW : SW_HIDE);
}

void DialogControls::setComboItems(int id, const std::vector<std::string>& items)
{
    SendDlgItemMessageA(hwnd_, id, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : items)
        SendDlgItemMessageA(hwnd_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int DialogControls::comboIndex(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(hwnd_, id, CB_GETCURSEL, 0, 0));
}

void DialogControls::setComboIndex(int id, int index)
{
    SendDlgItemMessageA(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DialogControls::setTrackRange(int id, int lowest, int highest)
{
    SendDlgItemMessageA(hwnd_, id, TBM_SETRANGE, TRUE, MAKELPARAM(lowest, highest));
}

void DialogControls::setTrackTicks(int id, const std::vector<int>& positions)
{
    SendDlgItemMessageA(hwnd_, id, TBM_CLEARTICS, FALSE, 0);
    for (int position : positions)
        SendDlgItemMessageA(hwnd_, id, TBM_SETTIC, 0, position);
}

int DialogControls::trackPosition(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(hwnd_, id, TBM_GETPOS, 0, 0));
}

void DialogControls::setTrackPosition(int id, int position)
{
    SendDlgItemMessageA(hwnd_, id, TBM_SETPOS, TRUE, position);
}

void DialogControls::setSpinRange(int id, int lowest, int highest)
{
    SendDlgItemMessageA(hwnd_, id, UDM_SETRANGE32, static_cast<WPARAM>(lowest), highest);
}

int DialogControls::spinPosition(int id) const
{
    BOOL failed = FALSE;
    const LRESULT position =
        SendDlgItemMessageA(hwnd_, id, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    return static_cast<int>(position);
}

void DialogControls::setSpinPosition(int id, int position)
{
    SendDlgItemMessageA(hwnd_, id, UDM_SETPOS32, 0, position);
}

void DialogControls::focus(int id)
{
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(id)), TRUE);
}

INT_PTR DialogControls::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 DialogControls* initial)
{
    auto* self = reinterpret_cast<DialogControls*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = initial;
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->attach(hwnd);
    }
    if (self == nullptr)
        return FALSE;
    const INT_PTR result = self->route(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->attach(nullptr);
    }
    return result;
}
