// A reply to a received message: its address fields, subject and text are whatever the
// sender wrote. The recipients a reply starts with are shown in the send window's field
// and read back from it when the user sends, so that trip must give back the same
// addresses with the same names: nobody added, lost or split in two. Names hold no
// control characters (a NUL would cut the field short), the subject is marked once, and
// the quoted text leaves with CRLF line ends only.
//
// The input's first three lines are the From, Reply-To and Subject fields of a message,
// the rest its text; the first line alone is also taken as a recipient field typed by
// hand.
#include "fuzz_support.h"
#include "mail/message/mail_message.h"
#include "mail/send/outgoing_mail.h"
#include "mail/send/reply_draft.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

std::string nextLine(const std::string& text, std::size_t& at)
{
    const std::size_t end = std::min(text.find('\n', at), text.size());
    std::string line = text.substr(at, end - at);
    at = end < text.size() ? end + 1 : end;
    return line;
}

bool sameEmail(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isLocalPartCharacter(unsigned char c)
{
    return c > ' ' && c < 0x7F &&
           std::string("\"\\<>()[]@:").find(static_cast<char>(c)) == std::string::npos;
}

bool isHostCharacter(unsigned char c)
{
    return std::isalnum(c) || c == '-' || c == '.';
}

bool holdsEncodedWordMark(const std::string& text)
{
    return text.find("=?") != std::string::npos || text.find("?=") != std::string::npos;
}

// Addresses as mail systems hand them out: a local part of printable characters ("|",
// "," and ";" among them, the last two from a quoted local part) at a host name, under
// a name of any characters. Anything else is the reader's best guess at a broken field,
// and a guess need not survive a trip; nor need a name or local part that reads as the
// start or end of an encoded word, nor the local part "=" alone, which the list reader
// misreads ("=@x" comes back as "\"=@x\"@" and the local host's name), nor an address
// longer than the 254 characters mail can carry, which it reads as invalid@invalid.
bool arePlain(const std::vector<mail::MailAddress>& addresses)
{
    for (const mail::MailAddress& address : addresses) {
        const std::string& email = address.email;
        const std::size_t at = email.find('@');
        if (at == 0 || at == std::string::npos || at + 1 == email.size() || email.size() > 254 ||
            email.compare(0, 2, "=@") == 0 || holdsEncodedWordMark(email) ||
            holdsEncodedWordMark(address.name))
            return false;
        for (std::size_t i = 0; i < email.size(); ++i) {
            const auto c = static_cast<unsigned char>(email[i]);
            if (i != at && !(i < at ? isLocalPartCharacter(c) : isHostCharacter(c)))
                return false;
        }
    }
    return true;
}

// The mailbox an address names: a quoted local part and the same part written bare
// are one mailbox, and the reader keeps the quotes only where they are needed.
std::string mailbox(const std::string& email)
{
    if (email.empty() || email[0] != '"')
        return email;
    std::string out;
    for (std::size_t i = 1; i < email.size(); ++i) {
        if (email[i] == '\\' && i + 1 < email.size())
            out += email[++i];
        else if (email[i] == '"')
            return out + email.substr(i + 1);
        else
            out += email[i];
    }
    return email;
}

// What the send window does with the recipients it was given: shows them as one field
// and reads the field back.
void checkFieldTrip(const std::vector<mail::MailAddress>& addresses)
{
    const std::vector<mail::MailAddress> back =
        mail::recipientsFromField(mail::recipientField(addresses));
    FUZZ_CHECK(back.size() == addresses.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        FUZZ_CHECK(mailbox(back[i].email) == mailbox(addresses[i].email));
        FUZZ_CHECK(back[i].name == addresses[i].name);
    }
}

void checkOneLineNames(const std::vector<mail::MailAddress>& addresses)
{
    for (const mail::MailAddress& address : addresses)
        for (const char c : address.name)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

// Line ends are CRLF and nothing else.
void checkCrlf(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] == '\n')
            FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 4096)
        return 0;
    const std::string input = fuzzBytes(data, size);
    std::size_t at = 0;
    const std::string from = nextLine(input, at);
    const std::string replyTo = nextLine(input, at);
    const std::string subject = nextLine(input, at);
    const std::string text = input.substr(at);

    // A field typed by hand: what it reads as shows and reads back the same.
    const std::vector<mail::MailAddress> typed = mail::recipientsFromField(from);
    if (arePlain(typed))
        checkFieldTrip(typed);

    const std::string marked = mail::replySubject(subject);
    FUZZ_CHECK(marked.find("Re:") != std::string::npos);
    FUZZ_CHECK(mail::replySubject(marked) == marked);
    FUZZ_CHECK(marked.size() >= subject.size() &&
               marked.compare(marked.size() - subject.size(), subject.size(), subject) == 0);

    // Header lines must not break inside the message the reply is made from.
    for (const std::string* field : {&from, &replyTo, &subject})
        if (field->find('\r') != std::string::npos)
            return 0;
    const std::string raw = "From: " + from + "\r\nReply-To: " + replyTo +
                            "\r\nSubject: " + subject + "\r\n\r\n" + text;
    const mail::CMailMessage message(raw, "uid", 0, 1);

    const mail::ReplyDraft reply = mail::makeReply(message, false);
    const std::vector<mail::MailAddress> expected = message.replyAddresses();
    FUZZ_CHECK(reply.to.size() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        FUZZ_CHECK(reply.to[i].email == expected[i].email);
    if (arePlain(reply.to))
        checkFieldTrip(reply.to);
    checkCrlf(reply.text);
    FUZZ_CHECK(reply.subject == mail::replySubject(message.subject()));

    // Reply to all names each address once, every reply address among them, no text.
    const mail::ReplyDraft all = mail::makeReply(message, true);
    for (std::size_t i = 0; i < all.to.size(); ++i)
        for (std::size_t j = i + 1; j < all.to.size(); ++j)
            FUZZ_CHECK(!sameEmail(all.to[i].email, all.to[j].email));
    for (const mail::MailAddress& address : expected)
        FUZZ_CHECK(std::any_of(all.to.begin(), all.to.end(), [&](const mail::MailAddress& a) {
            return sameEmail(a.email, address.email);
        }));
    FUZZ_CHECK(all.text.empty());
    checkOneLineNames(all.to);
    if (arePlain(all.to))
        checkFieldTrip(all.to);
    return 0;
}
