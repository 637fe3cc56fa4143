#pragma once
// The text of the HTML file the message window shows: what the view needs beyond
// the HTML body itself.

#include <string>
#include <utility>
#include <vector>

namespace mail {

// Quoted-printable remnants that survive in some HTML bodies are tidied: "=20" and
// a soft line break ("=" before a line break) become blanks, and the "3D" of an
// encoded equals sign ("=3D") becomes one blank after the "=".
std::string htmlWithoutEncodingRemnants(const std::string& html);

// Every "cid:" reference (up to the next double quote) whose content id matches,
// ignoring case, one of `files` (content id without angle brackets, file name) is
// replaced by that file name; others stay as they are.
std::string
htmlWithContentIdsResolved(const std::string& html,
                           const std::vector<std::pair<std::string, std::string>>& files);

} // namespace mail
