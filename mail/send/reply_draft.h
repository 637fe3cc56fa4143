#pragma once
// What a reply starts from: the recipients read from the original's address fields,
// the subject marked as a reply once, and the quoted text.
#include "mail/message/header_text.h"

#include <string>
#include <vector>

namespace mail {

class CMailMessage;

struct ReplyDraft {
    std::vector<MailAddress> to;
    std::string subject;
    std::string text; // CRLF line ends, ready for an edit control and the wire
};

// The subject with "Re:" in front, unless "Re:" stands in it anywhere already.
std::string replySubject(const std::string& subject);

// Reply: to the reply address, with the original quoted under an attribution line.
// Reply to all: to the sender, then every reply address not named yet; no quote.
ReplyDraft makeReply(const CMailMessage& original, bool replyAll);

// The addresses of a recipient field as the user typed them: separated by ",", ";"
// or "|" (inside quotes these are part of a name), each as an address list entry.
std::vector<MailAddress> recipientsFromField(const std::string& field);

// Addresses as a recipient field shows them, separated by " ; ", so that the field
// reads back as the same list; a local part holding a separator is quoted.
std::string recipientField(const std::vector<MailAddress>& addresses);

} // namespace mail
