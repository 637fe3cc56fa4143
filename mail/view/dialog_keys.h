#pragma once
// Keyboard for the plug-in's modeless dialogs. The host's message loop knows nothing
// of them and so never calls IsDialogMessage: Enter, Escape and Tab would reach the
// controls raw and do nothing. While a DialogKeys lives, a message hook on the
// dialog's thread gives each keyboard message for the dialog to the dialog manager
// first, as the dialog's own loop would.
#include <windows.h>

namespace mail {

class DialogKeys {
public:
    explicit DialogKeys(HWND dialog);
    ~DialogKeys();
    DialogKeys(const DialogKeys&) = delete;
    DialogKeys& operator=(const DialogKeys&) = delete;

private:
    static LRESULT CALLBACK filter(int code, WPARAM removal, LPARAM message);

    HWND dialog_;
    HHOOK hook_;
};

} // namespace mail
