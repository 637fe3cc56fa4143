#include "mail/send/send_window.h"

#include "common/win/dialog.h"
#include "common/win/message_box.h"
#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/message/mail_message.h"
#include "mail/plugin/res/resource.h"
#include "mail/send/dialog_keys.h"
#include "mail/send/recipients_dialog.h"
#include "mail/send/reply_draft.h"
#include "mail/send/send_mail.h"
#include "mail/send/send_profile.h"
#include "mail/send/send_texts.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

namespace mail {
namespace {

const char kTitleEnd[] = " - Send Message";
const char kAttachmentFilter[] = "All Files(*.*)\0*.*\0";
constexpr DWORD kComputerNameSize = MAX_COMPUTERNAME_LENGTH + 1;

std::string serverSetting(MailUiHost& host)
{
    const auto profile = host.profile(false);
    return profile ? readSmtpServer(*profile) : std::string();
}

std::string computerName()
{
    char name[kComputerNameSize] = "";
    DWORD size = kComputerNameSize;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool readWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream out;
    out << in.rdbuf();
    bytes = out.str();
    return true;
}

class SendWindow : public Dialog {
public:
    SendWindow(MailUiHost& host, ReplyDraft draft, const CMailAccount* from)
        : Dialog(IDD_SEND_MAIL, host.module()), host_(host), draft_(std::move(draft)), from_(from)
    {
    }

private:
    bool onInit() override
    {
        SetWindowTextA(hwnd(), (host_.hostName() + kTitleEnd).c_str());
        SendMessageA(
            hwnd(), WM_SETICON, ICON_BIG,
            reinterpret_cast<LPARAM>(LoadIconA(host_.module(), MAKEINTRESOURCEA(IDI_MAIL_NORMAL))));
        fillAccounts();
        setText(IDC_SEND_TO, recipientField(draft_.to));
        setText(IDC_SEND_SUBJECT, draft_.subject);
        setText(IDC_SEND_TEXT, draft_.text);
        accelerators_ = LoadAcceleratorsA(host_.module(), MAKEINTRESOURCEA(IDR_SEND_MENU));
        keys_ = std::make_unique<DialogKeys>(hwnd(), accelerators_);
        return true;
    }

    void onDestroy() override { keys_.reset(); }

    bool onCommand(int id, int code) override
    {
        switch (id) {
        case IDM_SEND_NOW:
            onOk();
            return true;
        case IDM_SEND_ADD_ATTACHMENT:
            addAttachment();
            return true;
        case IDM_SEND_CLOSE:
            onCancel();
            return true;
        case IDC_SEND_TO_BUTTON:
            editRecipients(IDC_SEND_TO);
            return true;
        case IDC_SEND_CC_BUTTON:
            editRecipients(IDC_SEND_CC);
            return true;
        default:
            return Dialog::onCommand(id, code);
        }
    }

    // Send Now: from an account with a reply address, or none at all.
    void onOk() override
    {
        CMailAccount* account = chosenAccount();
        if (account == nullptr || !ensureReplyAddress(*account))
            return;
        OutgoingMail mail = composed(*account);
        ShowWindow(hwnd(), SW_HIDE);
        send(mail);
        close(IDOK);
    }

    void fillAccounts()
    {
        std::vector<std::string> names;
        int chosen = 0;
        for (const auto& account : host_.accounts()) {
            if (account.get() == from_)
                chosen = static_cast<int>(names.size());
            names.push_back(account->record.name);
        }
        setComboItems(IDC_SEND_FROM, names);
        setComboIndex(IDC_SEND_FROM, chosen);
    }

    CMailAccount* chosenAccount()
    {
        auto& accounts = host_.accounts();
        const int index = comboIndex(IDC_SEND_FROM);
        if (index < 0 || static_cast<std::size_t>(index) >= accounts.size())
            return nullptr;
        return accounts[static_cast<std::size_t>(index)].get();
    }

    // Without a reply address there is no sender: the account's edit sheet gets one.
    bool ensureReplyAddress(CMailAccount& account)
    {
        AccountRecord record;
        {
            std::lock_guard<std::timed_mutex> lock(account.dataLock);
            if (!account.record.replyAddress.empty())
                return true;
            record = account.record;
        }
        messageBox(hwnd(), SendText::kNoReplyAddress, host_.hostName(), MB_OK | MB_ICONWARNING);
        if (!editAccount(host_.module(), host_.hostName(), record))
            return false;
        std::lock_guard<std::timed_mutex> lock(account.dataLock);
        record.messages = account.record.messages;
        account.record = record;
        return !record.replyAddress.empty();
    }

    OutgoingMail composed(CMailAccount& account)
    {
        OutgoingMail mail;
        {
            std::lock_guard<std::timed_mutex> lock(account.dataLock);
            mail.sender = {account.record.yourName, account.record.replyAddress};
        }
        mail.to = recipientsFromField(text(IDC_SEND_TO));
        mail.cc = recipientsFromField(text(IDC_SEND_CC));
        mail.subject = text(IDC_SEND_SUBJECT);
        mail.text = text(IDC_SEND_TEXT);
        mail.attachments = attachments_;
        mail.mailer = host_.hostName();
        return mail;
    }

    void send(const OutgoingMail& mail)
    {
        const std::string server = serverSetting(host_);
        if (server.empty()) {
            warn(SendText::kNoServerConfigured);
            return;
        }
        HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
        CSmtpSender sender(host_.transports());
        const bool allSent = sendMail(sender, mail, server, heloName(computerName()),
                                      [this](const std::string& report) { warn(report); });
        SetCursor(previous);
        messageBox(nullptr, sendOutcomeText(allSent, host_.hostName()), host_.hostName(),
                   MB_OK | (allSent ? MB_ICONINFORMATION : MB_ICONWARNING));
    }

    void warn(const std::string& text)
    {
        messageBox(nullptr, text, host_.hostName(), MB_OK | MB_ICONWARNING);
    }

    void editRecipients(int field)
    {
        std::vector<std::string> list;
        for (const auto& address : recipientsFromField(text(field)))
            list.push_back(formatAddress(address));
        const auto profile = host_.profile(true);
        if (runRecipientsDialog(host_.module(), hwnd(), host_.hostName(), profile.get(), list))
            setText(field, recipientField(recipientsFromField(joined(list))));
    }

    static std::string joined(const std::vector<std::string>& list)
    {
        std::string out;
        for (const auto& entry : list)
            out += entry + ",";
        return out;
    }

    void addAttachment()
    {
        char file[MAX_PATH] = "";
        OPENFILENAMEA open{};
        open.lStructSize = sizeof open;
        open.hwndOwner = hwnd();
        open.lpstrFilter = kAttachmentFilter;
        open.lpstrFile = file;
        open.nMaxFile = sizeof file;
        open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameA(&open))
            return;
        OutgoingAttachment attachment{baseName(file), {}};
        if (!readWholeFile(file, attachment.content))
            return;
        attachments_.push_back(attachment);
        SendDlgItemMessageA(hwnd(), IDC_SEND_ATTACHMENTS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(file));
        setComboIndex(IDC_SEND_ATTACHMENTS, static_cast<int>(attachments_.size()) - 1);
    }

    MailUiHost& host_;
    ReplyDraft draft_;
    const CMailAccount* from_;
    std::vector<OutgoingAttachment> attachments_;
    HACCEL accelerators_ = nullptr; // a resource: freed with the module
    std::unique_ptr<DialogKeys> keys_;
};

// The open windows, and closed ones not yet freed: a dialog object must outlive the
// messages of its window's end, so closed ones are let go at the next opening.
std::vector<std::unique_ptr<SendWindow>> g_windows;

void open(MailUiHost& host, ReplyDraft draft, const CMailAccount* from)
{
    g_windows.erase(std::remove_if(g_windows.begin(), g_windows.end(),
                                   [](const auto& window) { return window->hwnd() == nullptr; }),
                    g_windows.end());
    auto window = std::make_unique<SendWindow>(host, std::move(draft), from);
    if (!window->createModeless(nullptr))
        return;
    ShowWindow(window->hwnd(), SW_SHOW);
    g_windows.push_back(std::move(window));
}

} // namespace

void openSendWindow(MailUiHost& host)
{
    if (serverSetting(host).empty()) {
        messageBox(nullptr, SendText::kNoServerForCommand, host.hostName(), MB_OK | MB_ICONWARNING);
        return;
    }
    open(host, ReplyDraft{}, nullptr);
}

void openReplyWindow(MailUiHost& host, CMailAccount& account, const CMailMessage& original,
                     bool replyAll)
{
    open(host, makeReply(original, replyAll), &account);
}

void closeAllSendWindows()
{
    g_windows.clear(); // a modeless Dialog destroys its window with itself
}

} // namespace mail
