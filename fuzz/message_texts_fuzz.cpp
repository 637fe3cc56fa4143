// The texts a received message is turned into for showing: charset conversion to
// Windows-1252, transfer decoding, line breaks for the edit control, HTML as plain
// text and the HTML file's tidying. Any bytes a sender may put in a body go in. Every
// Windows-1252 text survives the trip through UTF-8 and back; base64 and
// quoted-printable of any bytes decode to those bytes; line breaks come out as CRLF
// only; and none of the conversions makes more text than it was given, beyond what
// the few things each one adds.
#include "fuzz_support.h"
#include "mail/message/html_text.h"
#include "mail/message/text_1252.h"
#include "mail/view/message_texts.h"

#include <vector>

namespace {

// The code points of Windows-1252's bytes 0x80-0x9F; 0 for the five it leaves out.
// From 0xA0 on a byte is its own code point.
constexpr char32_t kHighBlock[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 bytes as UTF-8, and what the conversion back must give: the same
// bytes, with '?' for the five bytes that name no character.
void asUtf8(const std::string& text, std::string& utf8, std::string& back)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t cp = byte >= 0x80 && byte < 0xA0 ? kHighBlock[byte - 0x80] : byte;
        appendUtf8(cp == 0 ? U'?' : cp, utf8);
        back += cp == 0 ? '?' : c;
    }
}

std::string base64(const std::string& bytes)
{
    static const char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            group |= static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(group >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[group & 63] : '=';
        if (out.size() % 78 == 76)
            out += "\r\n";
    }
    return out;
}

// Every byte but the printable ASCII ones as "=XX", lines kept short by soft breaks.
std::string quotedPrintable(const std::string& bytes)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t line = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        std::string piece(1, c);
        if (byte < 0x21 || byte > 0x7E || c == '=')
            piece = std::string("=") + kHex[byte >> 4] + kHex[byte & 15];
        if (line + piece.size() > 72) {
            out += "=\r\n";
            line = 0;
        }
        out += piece;
        line += piece.size();
    }
    return out;
}

bool onlyCrlfLineEnds(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

std::string withoutLineBreaks(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

std::size_t lineBreaks(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++count;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzBytes(data, size);

    // Windows-1252 through UTF-8 and back; any bytes as UTF-8 give one byte or none
    // for each character.
    std::string utf8;
    std::string back;
    asUtf8(text, utf8, back);
    FUZZ_CHECK(mail::windows1252FromUtf8(utf8) == back);
    FUZZ_CHECK(mail::windows1252FromCharset(utf8, "UTF-8") == back);
    FUZZ_CHECK(mail::windows1252FromUtf8(text).size() <= size);
    // Text in a charset nobody knows keeps its length: its ASCII and a '?' for the rest.
    FUZZ_CHECK(mail::windows1252FromCharset(text, "x-unknown-charset").size() == size);

    // Transfer encodings of any bytes decode to those bytes; decoding what came as
    // received never makes more bytes than it was given.
    FUZZ_CHECK(mail::decodedTransfer(base64(text), "BASE64") == text);
    FUZZ_CHECK(mail::decodedTransfer(quotedPrintable(text), "Quoted-Printable") == text);
    FUZZ_CHECK(mail::decodedTransfer(text, "base64").size() <= size);
    FUZZ_CHECK(mail::decodedTransfer(text, "quoted-printable").size() <= size);
    FUZZ_CHECK(mail::decodedTransfer(text, "8bit") == text);

    // CRLF line breaks only, as many as there were, the rest of the text untouched.
    const std::string crlf = mail::withCrLf(text);
    FUZZ_CHECK(onlyCrlfLineEnds(crlf));
    FUZZ_CHECK(withoutLineBreaks(crlf) == withoutLineBreaks(text));
    FUZZ_CHECK(lineBreaks(crlf) == lineBreaks(text));

    // HTML as text: markup only ever shrinks to its text; a tag that makes a line
    // break ("<br>" and the like, four bytes at least) gives two bytes.
    FUZZ_CHECK(mail::htmlAsPlainText(text).size() <= size);
    FUZZ_CHECK(mail::htmlWithoutEncodingRemnants(text).size() <= size);

    // Only "cid:" references of the listed ids change, into their file names.
    std::string lowered = text;
    for (char& c : lowered)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    const std::string resolved =
        mail::htmlWithContentIdsResolved(text, {{"pic1@example", "picture.png"}});
    if (lowered.find("cid:") == std::string::npos)
        FUZZ_CHECK(resolved == text);
    FUZZ_CHECK(mail::htmlWithContentIdsResolved(text, {}) == text);
    return 0;
}
