#pragma once
// The message window: one retrieved message with its header fields, its text (or its
// HTML in the web view), and the commands to remove it from the server, view its
// header, reply, reply to all and save its attachments. Modeless; several may be
// open, each on its own copy of the account's message list.
#include "mail/mail_account.h"
#include "mail/message/mail_message.h"
#include "mail/plugin/mail_ui_host.h"
#include "mail/view/message_dialogs_win.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace mail {

class CWebWnd;

// Hands a message over to the send window, to reply (false) or reply to all (true).
using ReplyOpener = std::function<void(CMailAccount&, const CMailMessage&, bool replyAll)>;

// What the window asks of the system, replaceable for tests.
struct MessageWindowSeams {
    ViewPrompt prompt;              // message boxes
    SaveFolderChooser chooseFolder; // where attachments are saved
    std::string htmlFolder;         // the HTML file's folder
    // The web view over the text area; null when the browser cannot be created.
    std::function<std::unique_ptr<CWebWnd>(HWND parent, const RECT& area, const std::string& file)>
        createWebView;
};

// The system's message boxes and save dialog, "html\" beside the program, CWebWnd.
MessageWindowSeams systemMessageWindowSeams(const std::string& hostName);

// Opens the window on the account's message with this id and clears its new flag;
// nothing when the account holds no such message.
void openMessageWindow(MailUiHost& host, CMailAccount& account, const std::string& uniqueId,
                       ReplyOpener reply);
// The same with the given seams; the window, or null when none opened.
HWND openMessageWindow(MailUiHost& host, CMailAccount& account, const std::string& uniqueId,
                       ReplyOpener reply, MessageWindowSeams seams);

// Closes the windows showing a message of the account (it is going away).
void closeMessageWindowsOf(const CMailAccount& account);
// Closes every message window: the accounts are closing.
void closeAllMessageWindows();

} // namespace mail
