#include "mail/send/reply_draft.h"

#include "mail/message/mail_message.h"
#include "mail/send/outgoing_mail.h"

#include <algorithm>
#include <cctype>

namespace mail {
namespace {

const char kReplyMark[] = "Re:";
const char kFieldSeparator[] = " ; ";

bool sameEmail(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void appendNew(std::vector<MailAddress>& list, const std::vector<MailAddress>& more)
{
    for (const auto& address : more) {
        const bool known = std::any_of(list.begin(), list.end(), [&](const MailAddress& a) {
            return sameEmail(a.email, address.email);
        });
        if (!known)
            list.push_back(address);
    }
}

// The address as the field shows it. A local part may hold a separator of the field
// unquoted ("a|b@x" is a valid address); it is quoted, which names the same mailbox.
MailAddress fieldAddress(MailAddress address)
{
    const std::size_t at = address.email.rfind('@');
    if (at == std::string::npos || address.email[0] == '"')
        return address;
    const std::string local = address.email.substr(0, at);
    if (local.find_first_of(",;|") == std::string::npos)
        return address;
    std::string quoted = "\"";
    for (const char c : local) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    address.email = quoted + "\"" + address.email.substr(at);
    return address;
}

std::string attribution(const CMailMessage& original)
{
    return "\r\n\r\nOn " + original.date() + ", " + original.from() + " wrote:\r\n\r\n";
}

} // namespace

std::string replySubject(const std::string& subject)
{
    if (subject.find(kReplyMark) != std::string::npos)
        return subject;
    return std::string(kReplyMark) + " " + subject;
}

ReplyDraft makeReply(const CMailMessage& original, bool replyAll)
{
    ReplyDraft draft;
    draft.subject = replySubject(original.subject());
    if (replyAll) {
        // The raw field, not the decoded text: an encoded name may hold a comma.
        appendNew(draft.to, parseAddressList(rawHeaderValue(original.headerBlock(), "From")));
        appendNew(draft.to, original.replyAddresses());
        return draft;
    }
    draft.to = original.replyAddresses();
    // The sender's name and the date are header texts, and a decoded word may hold a
    // line break: the attribution is brought to CRLF with the body.
    draft.text = withCrlfLineEnds(attribution(original) + original.plainBody());
    return draft;
}

std::vector<MailAddress> recipientsFromField(const std::string& field)
{
    std::string list;
    bool quoted = false;
    bool escaped = false;
    for (const char c : field) {
        if (escaped) {
            escaped = false;
        } else if (quoted && c == '\\') {
            escaped = true;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ';' || c == '|')) {
            list += ',';
            continue;
        }
        list += c;
    }
    return parseAddressList(list);
}

std::string recipientField(const std::vector<MailAddress>& addresses)
{
    std::string out;
    for (const auto& address : addresses) {
        if (!out.empty())
            out += kFieldSeparator;
        out += formatAddress(fieldAddress(address));
    }
    return out;
}

} // namespace mail
