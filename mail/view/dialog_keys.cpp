#include "mail/view/dialog_keys.h"

namespace mail {
namespace {

// Marks a dialog whose keyboard messages the hook hands to the dialog manager.
constexpr char kDialogKeysProperty[] = "BrellixMailDialogKeys";

} // namespace

DialogKeys::DialogKeys(HWND dialog)
    : dialog_(dialog),
      hook_(SetWindowsHookExA(WH_GETMESSAGE, filter, nullptr, GetCurrentThreadId()))
{
    SetPropA(dialog_, kDialogKeysProperty, dialog_);
}

DialogKeys::~DialogKeys()
{
    RemovePropA(dialog_, kDialogKeysProperty);
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK DialogKeys::filter(int code, WPARAM removal, LPARAM message)
{
    auto* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message >= WM_KEYFIRST &&
        msg->message <= WM_KEYLAST) {
        HWND root = GetAncestor(msg->hwnd, GA_ROOT);
        // Handled messages become WM_NULL so that the host's loop passes them by.
        if (root != nullptr && GetPropA(root, kDialogKeysProperty) != nullptr &&
            IsDialogMessageA(root, msg))
            msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

} // namespace mail
