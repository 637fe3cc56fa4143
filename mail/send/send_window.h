#pragma once
// The send-mail window ("<host> - Send Message"): the account to send from, To and Cc
// with their recipient lists, subject, attachments and text. Send Now closes it and
// sends over SMTP, one connection per recipient, with a message box for every error
// and one for the outcome. Modeless: several may be open; each owns itself.
#include "mail/plugin/mail_ui_host.h"

namespace mail {

class CMailMessage;

// A new, empty message (the tray's Send Mail command). Refuses with a message box when
// no SMTP server is set.
void openSendWindow(MailUiHost& host);

// A reply to `original`, sent from `account`: to its reply address with the original
// quoted, or, for reply to all, to its sender and every reply address.
void openReplyWindow(MailUiHost& host, CMailAccount& account, const CMailMessage& original,
                     bool replyAll);

// Destroys every open send window (the plug-in is going away).
void closeAllSendWindows();

} // namespace mail
