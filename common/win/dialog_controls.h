#pragma once
// Typed access to the controls of a dialog or property page: texts, check boxes,
// radio groups, combo boxes, trackbars and spin controls, by control id.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class DialogControls {
public:
    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

    std::string text(int id) const;
    void setText(int id, const std::string& text);
    // The field's whole number; nothing when it holds none.
    std::optional<long> number(int id) const;
    void setNumber(int id, long value);
    void limitText(int id, std::size_t most);

    bool checked(int id) const;
    void setChecked(int id, bool on);
    // The index of the checked button among `ids`, or -1.
    int radioIndex(const std::vector<int>& ids) const;
    void setRadioIndex(const std::vector<int>& ids, int index);

    void enable(int id, bool on);
    void enable(const std::vector<int>& ids, bool on);
    bool enabled(int id) const;
    void show(int id, bool on);

    void setComboItems(int id, const std::vector<std::string>& items);
    int comboIndex(int id) const;
    void setComboIndex(int id, int index);

    void setTrackRange(int id, int lowest, int highest);
    void setTrackTicks(int id, const std::vector<int>& positions);
    int trackPosition(int id) const;
    void setTrackPosition(int id, int position);

    // An up-down control and its buddy edit field.
    void setSpinRange(int id, int lowest, int highest);
    int spinPosition(int id) const;
    void setSpinPosition(int id, int position);

    void focus(int id);

protected:
    virtual ~DialogControls() = default;
    void attach(HWND hwnd) { hwnd_ = hwnd; }

    // What every dialog procedure of an owner object does: the owner given with
    // WM_INITDIALOG (`initial`) is kept in DWLP_USER, each message is routed to it, and
    // the window is let go with WM_NCDESTROY.
    static INT_PTR dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            DialogControls* initial);
    virtual INT_PTR route(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    HWND hwnd_ = nullptr;
};
