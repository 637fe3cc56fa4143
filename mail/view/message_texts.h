#pragma once
// What the message window shows of a message: its title, the attachment line, the
// text of the text area and the HTML file. Every text is decoded (transfer encoding,
// charset, encoded words) before it is shown, so nothing here rewrites encoding
// remnants: a decoded "3D" is text like any other.
#include "mail/message/mail_message.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mail {

// host name + "-" + subject.
std::string messageWindowTitle(const std::string& hostName, const std::string& subject);

// The attachments' file names joined with ",".
std::string attachmentNamesText(const CMailMessage& message);

// The text for the text area: the plain body; for a message without a plain part,
// its HTML body as text, or its whole body with the message's own transfer encoding
// and charset undone. Line breaks are "\r\n", as an edit control wants them.
std::string messageDisplayText(const CMailMessage& message);

// The text of the HTML file: the decoded HTML body with its "cid:" references
// pointing at the attachments' file names.
std::string messageHtmlFileText(const CMailMessage& message);

// An HTML text as plain text: markup, scripts and styles left out, line breaks for
// paragraphs, breaks, rows and list items, the common entities replaced.
std::string htmlAsPlainText(const std::string& html);

// Bytes in a transfer encoding ("base64", "quoted-printable", any case) decoded; any
// other encoding leaves them as they are.
std::string decodedTransfer(const std::string& bytes, const std::string& encoding);

// Every line break ("\n", "\r\n" or a lone "\r") as "\r\n".
std::string withCrLf(const std::string& text);

// folder + "\" + name; no second backslash when the folder ends with one.
std::string pathInFolder(const std::string& folder, const std::string& name);

} // namespace mail
