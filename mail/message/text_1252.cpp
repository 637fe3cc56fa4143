#include "mail/message/text_1252.h"

#include <vmime/vmime.hpp>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace mail {
namespace {

// Unicode code points of bytes 0x80..0x9F; 0 where the code page leaves a hole,
// which Windows maps to the C1 control of the same value.
const char16_t kHighBlock[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string lowered(const std::string& text)
{
    std::string out = text;
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// One UTF-8 sequence at bytes[pos]; returns its length, or 0 when it is malformed
// (overlong forms, surrogates and values past U+10FFFF included).
size_t decodeUtf8(const std::string& bytes, size_t pos, char32_t* codePoint)
{
    const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(pos);
    size_t length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byteAt(pos + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *codePoint = value;
    return length;
}

bool isUtf8Name(const std::string& name)
{
    return name == "utf-8" || name == "utf8";
}

// Names whose bytes already are Windows-1252. Mail labelled ISO-8859-1 or ASCII is
// very often written in Windows-1252; reading it as such is what mail readers do.
bool isWindows1252Name(const std::string& name)
{
    return name.empty() || name == "us-ascii" || name == "ascii" || name == "iso-8859-1" ||
           name == "iso_8859-1" || name == "latin1" || name == "windows-1252" || name == "cp1252" ||
           name == "x-unknown" || name == "unknown-8bit";
}

std::string withoutHighBytes(const std::string& bytes)
{
    std::string out = bytes;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80)
            c = '?';
    }
    return out;
}

} // namespace

char windows1252FromCodePoint(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (size_t i = 0; i < 32; ++i) {
        const char32_t mapped =
            kHighBlock[i] != 0 ? kHighBlock[i] : static_cast<char32_t>(0x80 + i);
        if (mapped == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string windows1252FromUtf8(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        const size_t length = decodeUtf8(utf8, pos, &codePoint);
        if (length == 0) {
            out += '?';
            ++pos;
        } else {
            out += windows1252FromCodePoint(codePoint);
            pos += length;
        }
    }
    return out;
}

bool looksLikeUtf8(const std::string& bytes)
{
    bool wide = false;
    size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t codePoint = 0;
        const size_t length = decodeUtf8(bytes, pos, &codePoint);
        if (length == 0)
            return false;
        wide = wide || length > 1;
        pos += length;
    }
    return wide;
}

std::string windows1252FromCharset(const std::string& bytes, const std::string& charset)
{
    const std::string name = lowered(charset);
    if (bytes.empty())
        return bytes;
    if (isUtf8Name(name))
        return windows1252FromUtf8(bytes);
    if (isWindows1252Name(name)) {
        // Unlabelled 8-bit text is most often UTF-8 these days.
        return looksLikeUtf8(bytes) ? windows1252FromUtf8(bytes) : bytes;
    }
    // Every other charset goes through vmime's converter (ICU natively, the Windows
    // code pages in the plug-in) to UTF-8, and from there through the one mapping above,
    // so both builds give the same bytes for the same characters.
    try {
        std::string utf8;
        vmime::charset::convert(bytes, utf8, vmime::charset(name),
                                vmime::charset(vmime::charsets::UTF_8));
        return windows1252FromUtf8(utf8);
    } catch (const std::exception&) {
        return withoutHighBytes(bytes);
    }
}

} // namespace mail
