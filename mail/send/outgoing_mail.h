#pragma once
// A message the user sends: who from, to whom, what, and the MIME text that goes on
// the wire. Texts are Windows-1252; 8-bit ones leave encoded and labelled with that
// charset, and every line of the result ends with CRLF.
#include "mail/message/header_text.h"

#include <string>
#include <vector>

namespace mail {

struct OutgoingAttachment {
    std::string fileName; // base name, without its folder
    std::string content;  // the file's bytes
};

struct OutgoingMail {
    MailAddress sender;
    std::vector<MailAddress> to;
    std::vector<MailAddress> cc;
    std::vector<MailAddress> bcc; // receive the message, never named in it
    std::string subject;
    std::string text;
    std::vector<OutgoingAttachment> attachments;
    std::string mailer; // the X-Mailer field: the host's name
};

// True when the text holds CR, LF or NUL: as an address or a header value it could
// end a command or a field and start another one.
bool holdsLineBreak(const std::string& text);

// Every address and header value is free of line breaks and NUL bytes.
bool isSafeToSend(const OutgoingMail& mail);

// Every recipient in order: To, then Cc, then Bcc.
std::vector<MailAddress> allRecipients(const OutgoingMail& mail);

// Any mix of CRLF, bare CR and bare LF as CRLF line ends.
std::string withCrlfLineEnds(const std::string& text);

// The message text to send: From, To, Cc, Reply-To (the sender), Subject, X-Mailer,
// and the text alone or followed by the attachments in base64. No Bcc field. Empty
// when the mail is not safe to send.
std::string buildOutgoingText(const OutgoingMail& mail);

} // namespace mail
