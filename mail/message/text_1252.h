#pragma once
// Mail texts arrive in any charset; the plug-in shows and stores them as 8-bit
// Windows-1252 strings. Everything that leaves a parsed message goes through here.

#include <string>

namespace mail {

// The Windows-1252 byte for a Unicode code point, or '?' when it has none.
char windows1252FromCodePoint(char32_t codePoint);

// UTF-8 bytes as Windows-1252; malformed sequences and characters the code page
// lacks become '?'.
std::string windows1252FromUtf8(const std::string& utf8);

// True when the bytes hold at least one non-ASCII character and are valid UTF-8.
bool looksLikeUtf8(const std::string& bytes);

// Bytes in the named charset (a MIME charset name, any case) as Windows-1252.
// Text in a charset nobody knows keeps its ASCII; every other byte becomes '?'.
std::string windows1252FromCharset(const std::string& bytes, const std::string& charset);

} // namespace mail
