#include "mail/notify/new_mail_dialog.h"

#include "mail/plugin/res/resource.h"

#include <utility>

namespace mail {

namespace {

// Marks a dialog whose keyboard messages the hook below hands to the dialog manager.
constexpr char kDialogKeysProperty[] = "BrellixMailDialogKeys";

// The host's message loop knows nothing of our modeless dialog and so never calls
// IsDialogMessage for it: Enter, Escape and Tab would reach the controls raw and do
// nothing. A message hook on the dialog's thread gives each keyboard message for a
// marked dialog to the dialog manager first, as the dialog's own loop would; Enter
// then presses the default OK button and Escape cancels, and both close the dialog.
class DialogKeys {
public:
    explicit DialogKeys(HWND dialog)
        : dialog_(dialog),
          hook_(SetWindowsHookExA(WH_GETMESSAGE, filter, nullptr, GetCurrentThreadId()))
    {
        SetPropA(dialog_, kDialogKeysProperty, dialog_);
    }
    ~DialogKeys()
    {
        RemovePropA(dialog_, kDialogKeysProperty);
        if (hook_ != nullptr)
            UnhookWindowsHookEx(hook_);
    }
    DialogKeys(const DialogKeys&) = delete;
    DialogKeys& operator=(const DialogKeys&) = delete;

private:
    static LRESULT CALLBACK filter(int code, WPARAM removal, LPARAM message)
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

    HWND dialog_;
    HHOOK hook_;
};

} // namespace

// The open dialog; OK and Cancel (Enter, Escape, the close box) destroy it through
// Dialog's own handling of IDOK and IDCANCEL.
class NewMailDialog::Notice : public Dialog {
public:
    Notice(HINSTANCE module, std::string title, std::string text)
        : Dialog(IDD_NEW_MAIL, module), title_(std::move(title)), text_(std::move(text))
    {
    }

private:
    bool onInit() override
    {
        SetWindowTextA(hwnd(), title_.c_str());
        setText(IDC_NEW_MAIL_TEXT, text_);
        keys_ = std::make_unique<DialogKeys>(hwnd());
        return true;
    }
    void onDestroy() override { keys_.reset(); }

    std::string title_;
    std::string text_;
    std::unique_ptr<DialogKeys> keys_;
};

NewMailDialog::NewMailDialog() = default;

NewMailDialog::~NewMailDialog() = default;

bool NewMailDialog::show(HINSTANCE module, const std::string& hostName, const std::string& text)
{
    destroy();
    auto notice = std::make_unique<Notice>(module, hostName + " - Notification", text);
    if (!notice->createModeless(nullptr))
        return false;
    ShowWindow(notice->hwnd(), SW_SHOW);
    dialog_ = std::move(notice);
    return true;
}

void NewMailDialog::destroy()
{
    dialog_.reset(); // a modeless Dialog destroys its window with itself
}

HWND NewMailDialog::window() const
{
    return dialog_ != nullptr ? dialog_->hwnd() : nullptr;
}

} // namespace mail
