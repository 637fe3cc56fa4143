#include "mail/view/message_texts.h"

#include "mail/message/header_text.h"
#include "mail/message/html_text.h"
#include "mail/message/text_1252.h"

#include <vmime/vmime.hpp>

#include <algorithm>
#include <cctype>
#include <utility>

namespace mail {
namespace {

const char kHeaderEnd[] = "\r\n\r\n";
constexpr std::size_t kHeaderEndLength = 4;

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A parameter of a raw header value ("text/plain; charset=\"x\""), unquoted.
std::string headerParameter(const std::string& value, const std::string& name)
{
    const std::string low = lowered(value);
    std::size_t at = 0;
    while ((at = low.find(name + "=", at)) != std::string::npos) {
        const bool starts =
            at == 0 || low[at - 1] == ';' || low[at - 1] == ' ' || low[at - 1] == '\t';
        at += name.size() + 1;
        if (!starts)
            continue;
        std::size_t end = value.find(';', at);
        std::string text =
            value.substr(at, end == std::string::npos ? std::string::npos : end - at);
        while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.pop_back();
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
            text = text.substr(1, text.size() - 2);
        return text;
    }
    return std::string();
}

// The whole body of a message whose type matched no text part: what the message's
// own header says of its encoding and charset is undone.
std::string decodedRawBody(const CMailMessage& message)
{
    const std::string& raw = message.rawText();
    const std::size_t end = raw.find(kHeaderEnd);
    if (end == std::string::npos)
        return std::string();
    const std::string header = message.headerBlock();
    const std::string bytes = decodedTransfer(raw.substr(end + kHeaderEndLength),
                                              rawHeaderValue(header, "Content-Transfer-Encoding"));
    std::string charset = headerParameter(rawHeaderValue(header, "Content-Type"), "charset");
    return windows1252FromCharset(bytes, charset.empty() ? "us-ascii" : charset);
}

// Elements whose content is no text to read.
const char* const kHiddenElements[] = {"script", "style", "head", "title"};
// Elements that begin a new line.
const char* const kLineElements[] = {"br", "p",  "/p", "div", "/div", "tr",    "li",     "h1",
                                     "h2", "h3", "h4", "h5",  "h6",   "table", "/table", "hr"};

bool isElement(const std::string& tag, const char* name)
{
    const std::size_t length = std::char_traits<char>::length(name);
    return tag.compare(0, length, name) == 0 &&
           (tag.size() == length || !std::isalnum(static_cast<unsigned char>(tag[length])));
}

std::string entityText(const std::string& name)
{
    static const std::pair<const char*, const char*> kEntities[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    for (const auto& entity : kEntities) {
        if (name == entity.first)
            return entity.second;
    }
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (!digits.empty() && digits.size() <= 7 &&
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") ==
                std::string::npos) {
            const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
            return std::string(1, windows1252FromCodePoint(static_cast<char32_t>(code)));
        }
    }
    return std::string();
}

} // namespace

std::string messageWindowTitle(const std::string& hostName, const std::string& subject)
{
    return hostName + "-" + subject;
}

std::string attachmentNamesText(const CMailMessage& message)
{
    std::string text;
    for (const auto& attachment : message.attachments()) {
        if (!text.empty())
            text += ',';
        text += attachment.fileName;
    }
    return text;
}

std::string messageDisplayText(const CMailMessage& message)
{
    if (message.hasPlainPart())
        return withCrLf(message.plainBody());
    if (message.isHtml())
        return withCrLf(htmlAsPlainText(message.htmlBody()));
    return withCrLf(decodedRawBody(message));
}

std::string messageHtmlFileText(const CMailMessage& message)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& attachment : message.attachments()) {
        if (!attachment.contentId.empty())
            files.emplace_back(attachment.contentId, attachment.fileName);
    }
    return htmlWithContentIdsResolved(message.htmlBody(), files);
}

std::string htmlAsPlainText(const std::string& html)
{
    const std::string low = lowered(html);
    std::string out;
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            if (close == std::string::npos)
                break;
            const std::string tag = low.substr(i + 1, close - i - 1);
            i = close + 1;
            for (const char* hidden : kHiddenElements) {
                if (isElement(tag, hidden)) {
                    const std::size_t end = low.find(std::string("</") + hidden, i);
                    const std::size_t after = end == std::string::npos ? end : low.find('>', end);
                    i = after == std::string::npos ? html.size() : after + 1;
                    break;
                }
            }
            for (const char* line : kLineElements) {
                if (isElement(tag, line) && !out.empty() && out.back() != '\n') {
                    out += '\n';
                    break;
                }
            }
        } else if (c == '&') {
            const std::size_t semicolon = html.find(';', i);
            const std::string text = semicolon != std::string::npos && semicolon - i <= 10
                                         ? entityText(html.substr(i + 1, semicolon - i - 1))
                                         : std::string();
            if (text.empty()) {
                out += c;
                ++i;
            } else {
                out += text;
                i = semicolon + 1;
            }
        } else if (c == '\r' || c == '\n' || c == '\t' || c == ' ') {
            // Layout of the source, not of the text: runs of white space are one blank.
            if (!out.empty() && out.back() != ' ' && out.back() != '\n')
                out += ' ';
            ++i;
        } else {
            out += c;
            ++i;
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\n'))
        out.pop_back();
    return out;
}

std::string decodedTransfer(const std::string& bytes, const std::string& encoding)
{
    const std::string name = lowered(encoding);
    if (name != "base64" && name != "quoted-printable")
        return bytes;
    auto encoder = vmime::utility::encoder::encoderFactory::getInstance()->create(name);
    vmime::utility::inputStreamStringAdapter in(bytes);
    std::string decoded;
    vmime::utility::outputStreamStringAdapter out(decoded);
    encoder->decode(in, out);
    return decoded;
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string pathInFolder(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + "\\" + name;
}

} // namespace mail
