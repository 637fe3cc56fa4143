#pragma once
// Texts the update checker shows that carry numbers or names.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace renewo {

// A byte count in tenths of a kilobyte, halves rounded up: "0 KB", "1.5 KB",
// "1,024 KB", "1,024.5 KB".
std::string kilobyteText(std::uint32_t bytes);

// floor(done * 100 / size) with "%"; size 0 reads as complete.
std::string percentText(std::uint32_t done, std::uint32_t size);

// Replaces each "%s" of format by the next argument (missing ones by nothing) and
// "%%" by "%"; arguments are inserted as they are, never read as formats.
std::string formatText(const std::string& format, std::initializer_list<std::string> args);

// Message box captions: the calling program's name, " - " and the title.
std::string caption(const std::string& appName, const char* title);

// A fixed text field of the exchange record: up to its terminator, and never past the
// end of the field should the caller have left it unterminated.
std::string fieldText(const char* field, std::size_t size);

// Copies text into a fixed field with its terminator; false (field emptied) when it
// does not fit.
bool copyToField(const std::string& text, char* field, std::size_t size);

} // namespace renewo
