#include "mail/notify/new_mail_dialog.h"

#include "mail/plugin/res/resource.h"
#include "mail/view/dialog_keys.h"

#include <utility>

namespace mail {

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
