#pragma once
// Parsing of POP3 reply texts, apart from the socket: the STAT line, LIST and UIDL
// listings and the dot-stuffing of multi-line replies.
#include <cstdint>
#include <string>
#include <vector>

namespace mail {

// "+OK count size" (exactly "+OK", as servers send it). False when either number is
// missing, not decimal or too large.
bool parseStatLine(const std::string& line, std::int32_t& count, std::int64_t& totalSize);

// The lines of a LIST or UIDL reply after its status line, up to the "." line. Every
// line must be "number value" with the number between 1 and `expected`, each number
// once, and there must be exactly `expected` lines. Each value goes into the slot of
// its number (entry n-1 for message n).
bool parseSizeListing(const std::string& body, std::int32_t expected,
                      std::vector<std::int32_t>& sizes);
bool parseUidListing(const std::string& body, std::int32_t expected,
                     std::vector<std::string>& uids);

// Removes the dot a server puts before every line that begins with one.
void dotUnstuff(std::string& text);

// Does the status line begin with "+OK", in any case?
bool isPositive(const std::string& reply);

} // namespace mail
