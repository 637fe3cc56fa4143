#include "mail/view/message_window.h"

#include "common/win/dialog.h"
#include "common/win/message_box.h"
#include "mail/plugin/res/resource.h"
#include "mail/send/dialog_keys.h"
#include "mail/view/attachment_files_win.h"
#include "mail/view/message_texts.h"
#include "mail/view/web_view_win.h"

#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace mail {
namespace {

constexpr char kConfirmRemove[] =
    "Are you sure want to permanently delete the message from the server?";
constexpr char kRemoveFailed[] = "Failed to remove the message from the server.";
constexpr char kRichEditLibrary[] = "riched20.dll";
constexpr int kAttachmentsMenu = 1; // position of "&Attachments" in the menu bar
constexpr LPARAM kMostText = 16 * 1024 * 1024;
// Fields that follow the window's width; the message text follows both sides.
constexpr int kWideFields[] = {IDC_MSG_TO, IDC_MSG_CC, IDC_MSG_FROM, IDC_MSG_SUBJECT,
                               IDC_MSG_ATTACHMENTS};

RECT childRect(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MessageWindow : public Dialog {
public:
    MessageWindow(MailUiHost& host, CMailAccount& account, MessageListPtr list,
                  const StoredMessage& stored, ReplyOpener reply, MessageWindowSeams seams)
        : Dialog(IDD_MESSAGE_VIEW, host.module()), host_(host), account_(account),
          list_(std::move(list)),
          message_(stored.rawText, stored.uniqueId, stored.reserved, stored.isNew),
          reply_(std::move(reply)), seams_(std::move(seams))
    {
    }

    const CMailAccount& account() const { return account_; }

private:
    using Handler = void (MessageWindow::*)();
    struct Command {
        int id;
        Handler handler;
    };
    static const Command kCommands[];

    bool onInit() override
    {
        SetWindowTextA(hwnd(), messageWindowTitle(host_.hostName(), message_.subject()).c_str());
        setIcons();
        setText(IDC_MSG_TO, message_.to());
        setText(IDC_MSG_CC, message_.cc());
        setText(IDC_MSG_FROM, message_.from());
        setText(IDC_MSG_SUBJECT, message_.subject());
        setText(IDC_MSG_ATTACHMENTS, attachmentNamesText(message_));
        if (message_.attachmentCount() == 0) {
            EnableMenuItem(GetMenu(hwnd()), kAttachmentsMenu, MF_BYPOSITION | MF_GRAYED);
            DrawMenuBar(hwnd());
        }
        measureLayout();
        showBody();
        message_.setNew(0);
        keys_ = std::make_unique<DialogKeys>(hwnd());
        return true;
    }

    void onDestroy() override
    {
        keys_.reset();
        web_.reset();
    }

    bool onCommand(int id, int code) override;

    bool onNotify(const NMHDR& header, LRESULT& result) override
    {
        if (header.idFrom != IDC_MSG_BODY || header.code != EN_LINK)
            return false;
        const auto& link = reinterpret_cast<const ENLINK&>(header);
        if (link.msg == WM_LBUTTONUP)
            openLink(link.chrg);
        result = 0;
        return true;
    }

    INT_PTR handleMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message != WM_SIZE)
            return FALSE;
        layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    }

    void setIcons()
    {
        for (const auto& size :
             {std::make_pair(ICON_BIG, SM_CXICON), std::make_pair(ICON_SMALL, SM_CXSMICON)}) {
            const int pixels = GetSystemMetrics(size.second);
            HANDLE icon = LoadImageA(host_.module(), MAKEINTRESOURCEA(IDI_MAIL_NORMAL), IMAGE_ICON,
                                     pixels, pixels, LR_SHARED);
            SendMessageA(hwnd(), WM_SETICON, size.first, reinterpret_cast<LPARAM>(icon));
        }
    }

    // The HTML in the web view when the file can be written and the browser created;
    // the text otherwise.
    void showBody()
    {
        HWND body = item(IDC_MSG_BODY);
        if (message_.isHtml() && seams_.createWebView) {
            const std::string file = writeHtmlFolder(message_, seams_.htmlFolder);
            if (!file.empty())
                web_ = seams_.createWebView(hwnd(), childRect(hwnd(), body), file);
        }
        if (web_ != nullptr) {
            ShowWindow(body, SW_HIDE);
            return;
        }
        SendMessageA(body, EM_EXLIMITTEXT, 0, kMostText);
        SendMessageA(body, EM_AUTOURLDETECT, TRUE, 0);
        SendMessageA(body, EM_SETEVENTMASK, 0, ENM_LINK);
        SetWindowTextA(body, messageDisplayText(message_).c_str());
    }

    void openLink(const CHARRANGE& range)
    {
        if (range.cpMax <= range.cpMin)
            return;
        std::vector<char> url(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1);
        TEXTRANGEA text = {range, url.data()};
        SendDlgItemMessageA(hwnd(), IDC_MSG_BODY, EM_GETTEXTRANGE, 0,
                            reinterpret_cast<LPARAM>(&text));
        ShellExecuteA(hwnd(), "open", url.data(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    // Distances of the fields' right edges and the text's bottom from the client's
    // edges, kept as the window is sized.
    void measureLayout()
    {
        RECT client;
        GetClientRect(hwnd(), &client);
        const RECT body = childRect(hwnd(), item(IDC_MSG_BODY));
        rightMargin_ = client.right - body.right;
        bottomMargin_ = client.bottom - body.bottom;
    }

    void layout(int width, int height)
    {
        for (int id : kWideFields) {
            const RECT rect = childRect(hwnd(), item(id));
            MoveWindow(item(id), rect.left, rect.top,
                       std::max(0L, width - rightMargin_ - rect.left), rect.bottom - rect.top,
                       TRUE);
        }
        RECT body = childRect(hwnd(), item(IDC_MSG_BODY));
        body.right = std::max(body.left, width - rightMargin_);
        body.bottom = std::max(body.top, height - bottomMargin_);
        for (HWND area : {item(IDC_MSG_BODY), web_ != nullptr ? web_->hwnd() : nullptr}) {
            if (area != nullptr)
                MoveWindow(area, body.left, body.top, body.right - body.left,
                           body.bottom - body.top, TRUE);
        }
    }

    void removeFromServer()
    {
        if (seams_.prompt(hwnd(), kConfirmRemove, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        if (!host_.deleteOnServer(account_, message_.uniqueId()))
            seams_.prompt(hwnd(), kRemoveFailed, MB_OK | MB_ICONEXCLAMATION);
    }

    void viewHeader() { showHeaderDialog(host_.module(), hwnd(), message_.headerBlock()); }

    void replyToSender()
    {
        if (reply_)
            reply_(account_, message_, false);
    }

    void replyToAll()
    {
        if (reply_)
            reply_(account_, message_, true);
    }

    void closeWindow() { close(IDCANCEL); }

    void saveAttachments()
    {
        if (message_.attachmentCount() == 0)
            return;
        showAttachmentsDialog(host_.module(), hwnd(), host_.hostName(), message_,
                              seams_.chooseFolder, seams_.prompt);
    }

    MailUiHost& host_;
    CMailAccount& account_;
    MessageListPtr list_; // shared: a check completing meanwhile cannot free it
    CMailMessage message_;
    ReplyOpener reply_;
    MessageWindowSeams seams_;
    std::unique_ptr<CWebWnd> web_;
    std::unique_ptr<DialogKeys> keys_;
    LONG rightMargin_ = 0;
    LONG bottomMargin_ = 0;
};

const MessageWindow::Command MessageWindow::kCommands[] = {
    {ID_MSG_REMOVE, &MessageWindow::removeFromServer},
    {ID_MSG_HEADER, &MessageWindow::viewHeader},
    {ID_MSG_REPLY, &MessageWindow::replyToSender},
    {ID_MSG_REPLY_ALL, &MessageWindow::replyToAll},
    {ID_MSG_CLOSE, &MessageWindow::closeWindow},
    {ID_MSG_SAVE_ATTACHMENTS, &MessageWindow::saveAttachments},
};

bool MessageWindow::onCommand(int id, int code)
{
    for (const Command& command : kCommands) {
        if (command.id == id) {
            (this->*command.handler)();
            return true;
        }
    }
    return Dialog::onCommand(id, code);
}

// The open windows, and the rich-text library their text areas need; windows the
// user closed are let go when the next one opens.
struct OpenWindows {
    std::vector<std::unique_ptr<MessageWindow>> windows;
    HMODULE richEdit = nullptr;

    void forgetClosed()
    {
        windows.erase(std::remove_if(windows.begin(), windows.end(),
                                     [](const auto& window) { return window->hwnd() == nullptr; }),
                      windows.end());
    }
};

OpenWindows& openWindows()
{
    static OpenWindows open;
    return open;
}

} // namespace

MessageWindowSeams systemMessageWindowSeams(const std::string& hostName)
{
    MessageWindowSeams seams;
    seams.prompt = [hostName](HWND owner, const std::string& text, UINT flags) {
        return messageBox(owner, text, hostName, flags);
    };
    seams.chooseFolder = saveFolderFromDialog;
    seams.htmlFolder = programHtmlFolder();
    seams.createWebView = CWebWnd::create;
    return seams;
}

void openMessageWindow(MailUiHost& host, CMailAccount& account, const std::string& uniqueId,
                       ReplyOpener reply)
{
    openMessageWindow(host, account, uniqueId, std::move(reply),
                      systemMessageWindowSeams(host.hostName()));
}

HWND openMessageWindow(MailUiHost& host, CMailAccount& account, const std::string& uniqueId,
                       ReplyOpener reply, MessageWindowSeams seams)
{
    MessageListPtr list = host.messages(account);
    if (list == nullptr)
        return nullptr;
    const auto stored = std::find_if(
        list->begin(), list->end(), [&](const StoredMessage& m) { return m.uniqueId == uniqueId; });
    if (stored == list->end())
        return nullptr;
    OpenWindows& open = openWindows();
    open.forgetClosed();
    if (open.richEdit == nullptr)
        open.richEdit = LoadLibraryA(kRichEditLibrary);
    auto window = std::make_unique<MessageWindow>(host, account, list, *stored, std::move(reply),
                                                  std::move(seams));
    if (!window->createModeless(nullptr))
        return nullptr;
    ShowWindow(window->hwnd(), SW_SHOW);
    host.markSeen(account, uniqueId);
    HWND handle = window->hwnd();
    open.windows.push_back(std::move(window));
    return handle;
}

void closeMessageWindowsOf(const CMailAccount& account)
{
    auto& windows = openWindows().windows;
    windows.erase(
        std::remove_if(windows.begin(), windows.end(),
                       [&](const auto& window) { return &window->account() == &account; }),
        windows.end());
}

void closeAllMessageWindows()
{
    OpenWindows& open = openWindows();
    open.windows.clear();
    if (open.richEdit != nullptr) {
        FreeLibrary(open.richEdit);
        open.richEdit = nullptr;
    }
}

} // namespace mail
