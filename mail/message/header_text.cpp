#include "mail/message/header_text.h"

#include "mail/message/text_1252.h"

#include <vmime/vmime.hpp>

#include <algorithm>
#include <cctype>

namespace mail {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// A decoded name may hold any byte, line breaks and NUL among them. Names are shown in
// one-line fields, written into recipient lists and sent in header lines, where such a
// byte would cut the text short or end the line: each becomes a blank.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

bool sameName(const std::string& line, size_t begin, size_t length, const std::string& name)
{
    if (length != name.size())
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(line[begin + i])) !=
            std::tolower(static_cast<unsigned char>(name[i]))) {
            return false;
        }
    }
    return true;
}

std::string textAs1252(const vmime::text& text)
{
    std::string out;
    for (const auto& word : text.getWordList()) {
        out += windows1252FromCharset(word->getBuffer(), word->getCharset().getName());
    }
    return out;
}

bool isPlainAscii(const std::string& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The library writes an address with 8-bit characters back out as an encoded word,
// which is no address to show or to send to, and throws when it has no converter for
// the word's charset (any name a message cares to give). Such an address is shown as
// its characters in the code page instead.
std::string emailText(const vmime::emailAddress& email)
{
    const vmime::word& local = email.getLocalName();
    const vmime::word& domain = email.getDomainName();
    if (isPlainAscii(local.getBuffer()) && isPlainAscii(domain.getBuffer()))
        return windows1252FromUtf8(email.toString());
    return windows1252FromCharset(local.getBuffer(), local.getCharset().getName()) + "@" +
           windows1252FromCharset(domain.getBuffer(), domain.getCharset().getName());
}

void appendMailboxes(const vmime::address& address, std::vector<MailAddress>* out)
{
    if (address.isGroup()) {
        const auto& group = dynamic_cast<const vmime::mailboxGroup&>(address);
        for (const auto& member : group.getMailboxList())
            appendMailboxes(*member, out);
        return;
    }
    const auto& mailbox = dynamic_cast<const vmime::mailbox&>(address);
    const std::string email = emailText(mailbox.getEmail());
    if (mailbox.getEmail().isEmpty() || email.empty())
        return;
    out->push_back({trimmed(oneLine(textAs1252(mailbox.getName()))), email});
}

} // namespace

std::string headerBlock(const std::string& raw)
{
    const size_t end = raw.find("\r\n\r\n");
    return end == std::string::npos ? raw : raw.substr(0, end);
}

std::string rawHeaderValue(const std::string& block, const std::string& name)
{
    size_t line = 0;
    while (line < block.size()) {
        size_t lineEnd = block.find('\n', line);
        if (lineEnd == std::string::npos)
            lineEnd = block.size();
        const size_t colon = block.find(':', line);
        if (colon < lineEnd && sameName(block, line, colon - line, name)) {
            std::string value = block.substr(colon + 1, lineEnd - colon - 1);
            // Continuation lines start with a blank; unfolding drops only the line break.
            size_t next = lineEnd + 1;
            while (next < block.size() && (block[next] == ' ' || block[next] == '\t')) {
                size_t nextEnd = block.find('\n', next);
                if (nextEnd == std::string::npos)
                    nextEnd = block.size();
                if (!value.empty() && value.back() == '\r')
                    value.pop_back();
                value += block.substr(next, nextEnd - next);
                next = nextEnd + 1;
            }
            return trimmed(value);
        }
        line = lineEnd + 1;
    }
    return std::string();
}

std::string decodedHeaderText(const std::string& value)
{
    if (value.empty())
        return value;
    try {
        return trimmed(textAs1252(*vmime::text::decodeAndUnfold(value)));
    } catch (const std::exception&) {
        // vmime throws on some malformed runs of encoded words; the text stays as sent.
        return trimmed(value);
    }
}

std::vector<MailAddress> parseAddressList(const std::string& value)
{
    std::vector<MailAddress> out;
    if (value.empty())
        return out;
    vmime::addressList list;
    try {
        list.parse(value);
    } catch (const std::exception&) {
        // Thrown on some malformed encoded words; such a field names no address we can
        // trust.
        return out;
    }
    for (const auto& address : list.getAddressList())
        appendMailboxes(*address, &out);
    return out;
}

std::string formatAddress(const MailAddress& address)
{
    if (address.name.empty())
        return address.email;
    // A name with "=?" in it unquoted is read as the start of an encoded word, which
    // swallows the rest of the list.
    bool quote = address.name.find("=?") != std::string::npos;
    // A "(" left open even inside quotes makes the list reader skip the rest of the list
    // as a comment; escaped, it reads as the character.
    int open = 0;
    for (const char c : address.name)
        open = c == '(' ? open + 1 : (c == ')' && open > 0 ? open - 1 : open);
    std::string escaped;
    for (const char c : address.name) {
        if (std::string(",;:<>()[]@\\\".|").find(c) != std::string::npos)
            quote = true;
        if (c == '"' || c == '\\' || (c == '(' && open > 0))
            escaped += '\\';
        escaped += c;
    }
    const std::string name = quote ? "\"" + escaped + "\"" : address.name;
    return name + " <" + address.email + ">";
}

std::string formatAddressList(const std::vector<MailAddress>& addresses)
{
    std::string out;
    for (const auto& address : addresses) {
        if (!out.empty())
            out += ", ";
        out += formatAddress(address);
    }
    return out;
}

} // namespace mail
