#include "mail/send/dialog_keys.h"

namespace mail {
namespace {

// Marks a dialog whose keyboard messages the hook hands on; the value is the dialog's
// accelerator table, or the dialog itself when it has none.
constexpr char kDialogKeysProperty[] = "BrellixMailDialogKeys";

} // namespace

DialogKeys::DialogKeys(HWND dialog, HACCEL accelerators)
    : dialog_(dialog),
      hook_(SetWindowsHookExA(WH_GETMESSAGE, filter, nullptr, GetCurrentThreadId()))
{
    SetPropA(dialog_, kDialogKeysProperty,
             accelerators != nullptr ? static_cast<HANDLE>(accelerators) : dialog_);
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
        HANDLE mark = root != nullptr ? GetPropA(root, kDialogKeysProperty) : nullptr;
        if (mark != nullptr) {
            auto* accelerators =
                mark != static_cast<HANDLE>(root) ? static_cast<HACCEL>(mark) : nullptr;
            // Handled messages become WM_NULL so that the host's loop passes them by.
            if ((accelerators != nullptr && TranslateAcceleratorA(root, accelerators, msg)) ||
                IsDialogMessageA(root, msg))
                msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

} // namespace mail
