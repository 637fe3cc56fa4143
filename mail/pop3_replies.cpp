#include "mail/pop3_replies.h"

#include "mail/pop3_client.h"

#include <cstring>
#include <utility>

namespace mail {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits a line at blanks and tabs; empty tokens are skipped.
std::vector<std::string> tokens(const std::string& line, std::size_t from)
{
    std::vector<std::string> out;
    std::size_t i = from;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            out.push_back(line.substr(start, i - start));
        }
    }
    return out;
}

bool parseDecimal(const std::string& text, std::int64_t max, std::int64_t& value)
{
    if (text.empty() || text.size() > 18) {
        return false;
    }
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    if (v > max) {
        return false;
    }
    value = v;
    return true;
}

// The lines of a listing as "number value" pairs, checked against the count. Only
// once there are exactly `expected` lines is anything sized by that count, so a STAT
// that promises two billion messages costs nothing until they arrive.
bool parseListing(const std::string& body, std::int32_t expected,
                  std::vector<std::pair<std::size_t, std::string>>& entries)
{
    if (expected < 0) {
        return false;
    }
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t end = body.find('\n', pos);
        if (end == std::string::npos) {
            end = body.size();
        }
        std::string line = body.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        auto parts = tokens(line, 0);
        std::int64_t number = 0;
        if (parts.size() < 2 || !parseDecimal(parts[0], expected, number) || number < 1 ||
            entries.size() >= static_cast<std::size_t>(expected)) {
            return false;
        }
        entries.emplace_back(static_cast<std::size_t>(number - 1), std::move(parts[1]));
    }
    return entries.size() == static_cast<std::size_t>(expected);
}

// Puts each value into its number's slot; false when a number comes twice.
template <typename T, typename Convert>
bool fillSlots(const std::vector<std::pair<std::size_t, std::string>>& entries, std::vector<T>& out,
               Convert convert)
{
    std::vector<T> slots(entries.size());
    std::vector<bool> seen(entries.size());
    for (const auto& [slot, text] : entries) {
        if (seen[slot] || !convert(text, slots[slot])) {
            return false;
        }
        seen[slot] = true;
    }
    out = std::move(slots);
    return true;
}

} // namespace

bool isPositive(const std::string& reply)
{
    return reply.size() >= 3 && reply[0] == '+' && (reply[1] == 'O' || reply[1] == 'o') &&
           (reply[2] == 'K' || reply[2] == 'k');
}

bool parseStatLine(const std::string& line, std::int32_t& count, std::int64_t& totalSize)
{
    if (line.compare(0, 3, "+OK") != 0 || line.size() < 4 || !isBlank(line[3])) {
        return false;
    }
    const auto parts = tokens(line, 3);
    std::int64_t c = 0;
    std::int64_t total = 0;
    if (parts.size() < 2 || !parseDecimal(parts[0], INT32_MAX, c) ||
        !parseDecimal(parts[1], INT64_MAX / 16, total)) {
        return false;
    }
    count = static_cast<std::int32_t>(c);
    totalSize = total;
    return true;
}

bool parseSizeListing(const std::string& body, std::int32_t expected,
                      std::vector<std::int32_t>& sizes)
{
    std::vector<std::pair<std::size_t, std::string>> entries;
    return parseListing(body, expected, entries) &&
           fillSlots(entries, sizes, [](const std::string& text, std::int32_t& size) {
               std::int64_t value = 0;
               if (!parseDecimal(text, INT32_MAX, value)) {
                   return false;
               }
               size = static_cast<std::int32_t>(value);
               return true;
           });
}

bool parseUidListing(const std::string& body, std::int32_t expected, std::vector<std::string>& uids)
{
    std::vector<std::pair<std::size_t, std::string>> entries;
    return parseListing(body, expected, entries) &&
           fillSlots(entries, uids, [](const std::string& text, std::string& uid) {
               if (text.size() > Pop3Limits::kUniqueId) {
                   return false;
               }
               for (char c : text) {
                   const auto byte = static_cast<unsigned char>(c);
                   if (byte < 0x21 || byte > 0x7e) {
                       return false;
                   }
               }
               uid = text;
               return true;
           });
}

void dotUnstuff(std::string& text)
{
    // In place: unstuffing only ever shortens the text, so a 50 MB message needs no
    // second copy.
    std::size_t out = 0;
    bool lineStart = true;
    for (std::size_t in = 0; in < text.size(); ++in) {
        const char c = text[in];
        if (lineStart && c == '.') {
            lineStart = false;
            continue;
        }
        lineStart = c == '\n';
        text[out++] = c;
    }
    text.resize(out);
}

} // namespace mail
