#include "mail/send/recipients_dialog.h"

#include "common/win/dialog.h"
#include "mail/plugin/res/resource.h"
#include "mail/send/send_profile.h"

#include <utility>

namespace mail {
namespace {

const char kTitleEnd[] = " - Recipients";

class RecipientsDialog : public Dialog {
public:
    RecipientsDialog(HINSTANCE module, std::string hostName, RegistryKey* profile,
                     std::vector<std::string> recipients)
        : Dialog(IDD_RECIPIENTS, module), hostName_(std::move(hostName)), profile_(profile),
          recipients_(std::move(recipients))
    {
    }
    const std::vector<std::string>& recipients() const { return recipients_; }

private:
    bool onInit() override
    {
        SetWindowTextA(hwnd(), (hostName_ + kTitleEnd).c_str());
        if (profile_ != nullptr)
            setComboItems(IDC_RECIP_ADDRESS, readRecipientHistory(*profile_));
        for (const auto& recipient : recipients_)
            addToList(recipient);
        return true;
    }

    bool onCommand(int id, int code) override
    {
        switch (id) {
        case IDC_RECIP_ADD:
            onAdd();
            return true;
        case IDC_RECIP_REMOVE:
            onRemove();
            return true;
        case IDC_RECIP_BOOK: // no address book to open
            return true;
        default:
            return Dialog::onCommand(id, code);
        }
    }

    void onOk() override
    {
        recipients_ = listed();
        if (profile_ != nullptr)
            rememberRecipients(*profile_, recipients_);
        close(IDOK);
    }

    void onAdd()
    {
        const std::string address = text(IDC_RECIP_ADDRESS);
        if (!isRecipientAddress(address))
            return;
        addToList(address);
        setText(IDC_RECIP_ADDRESS, "");
    }

    void onRemove()
    {
        HWND list = item(IDC_RECIP_LIST);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = count - 1; i >= 0; --i) {
            if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
                SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
        }
    }

    void addToList(const std::string& address)
    {
        SendDlgItemMessageA(hwnd(), IDC_RECIP_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(address.c_str()));
    }

    std::vector<std::string> listed() const
    {
        HWND list = item(IDC_RECIP_LIST);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i) {
            const auto length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            std::string entry(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&entry[0]));
            entry.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            out.push_back(entry);
        }
        return out;
    }

    std::string hostName_;
    RegistryKey* profile_;
    std::vector<std::string> recipients_;
};

} // namespace

bool runRecipientsDialog(HINSTANCE module, HWND owner, const std::string& hostName,
                         RegistryKey* profile, std::vector<std::string>& recipients)
{
    RecipientsDialog dialog(module, hostName, profile, recipients);
    if (dialog.runModal(owner) != IDOK)
        return false;
    recipients = dialog.recipients();
    return true;
}

} // namespace mail
