#include "mail/message/mime_depth.h"

#include <vmime/contentTypeField.hpp>
#include <vmime/vmime.hpp>

#include <algorithm>
#include <exception>
#include <string_view>
#include <vector>

namespace mail {
namespace {

struct Entity {
    size_t begin;
    size_t end;
    int depth; // multipart levels around this entity
};

bool isPadding(char c)
{
    return c == ' ' || c == '\t';
}

// The boundary vmime guesses for a multipart that names none: the first line that
// starts with "--" (the body's first line, or a later one), without the dashes and
// the blanks and line breaks around it.
std::string guessedBoundary(const std::string& raw, size_t begin, size_t end)
{
    size_t pos = begin;
    if (end - begin > 2 && raw.compare(begin, 2, "--") == 0) {
        pos += 2;
    } else {
        pos = raw.find("\n--", begin);
        if (pos == std::string::npos || pos >= end)
            return std::string();
        if (pos + 3 < end)
            pos += 3;
    }
    const size_t window = std::min(end, pos + 255);
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (pos < window && isBlank(raw[pos]))
        ++pos;
    // vmime uses no guess that begins with an 8-bit byte: the body then stays one part,
    // and whatever it nests is counted from its start.
    if (pos < window && static_cast<unsigned char>(raw[pos]) >= 0x80)
        return std::string();
    size_t stop = pos;
    while (stop < window && raw[stop] != '\r' && raw[stop] != '\n')
        ++stop;
    if (stop - pos >= 100)
        return std::string();
    while (stop > pos && isBlank(raw[stop - 1]))
        --stop;
    return raw.substr(pos, stop - pos);
}

// The boundary of an entity's body when vmime will split it into parts; empty when
// it is a single part. *bodyStart receives where the body begins.
std::string multipartBoundary(const std::string& raw, const Entity& entity, size_t* bodyStart)
{
    vmime::header header;
    size_t pos = entity.begin;
    try {
        header.parse(raw, entity.begin, entity.end, &pos);
    } catch (const std::exception&) {
        // Some malformed encoded words make vmime throw. The message's own parse then
        // throws on the same header, so nothing below it is nested.
        return std::string();
    }
    *bodyStart = pos;
    auto field = header.findField<vmime::contentTypeField>(vmime::fields::CONTENT_TYPE);
    if (!field)
        return std::string();
    if (field->getValue<vmime::mediaType>()->getType() != vmime::mediaTypes::MULTIPART) {
        return std::string();
    }
    if (field->hasBoundary())
        return field->getBoundary();
    const std::string guess = guessedBoundary(raw, pos, entity.end);
    // Without a usable boundary the body still counts as one more level: erring on
    // the deep side only costs a strange message its structure.
    return guess.empty() ? std::string(1, '\0') : guess;
}

// Start of the next boundary line of `boundary` in [from, end), as vmime finds it:
// "--" + boundary at the start of a line (transport padding allowed before it),
// followed by a line break or "-". *lineStart is where the delimiter's line break
// begins, *afterBoundary the first byte after the boundary text; npos when none.
size_t findBoundaryLine(const std::string& text, const std::string& boundary, size_t from,
                        size_t end, size_t* lineStart, size_t* afterBoundary)
{
    if (boundary.empty())
        return std::string::npos;
    // Only a boundary that starts inside the range counts; searching no further
    // keeps a message of many parts from being scanned to its end for each one.
    const std::string_view window(text.data(), std::min(text.size(), end + boundary.size()));
    size_t pos = from;
    while (pos < end) {
        pos = window.find(boundary, pos);
        if (pos == std::string::npos || pos >= end)
            return std::string::npos;
        size_t padding = 0;
        while (pos > padding && isPadding(text[pos - padding - 1]))
            ++padding;
        const size_t dashes = pos - padding;
        const size_t afterText = pos + boundary.size();
        if (dashes >= 3 && text.compare(dashes - 3, 3, "\n--") == 0 && afterText < text.size()) {
            const char next = text[afterText];
            if (next == '\r' || next == '\n' || next == '-') {
                size_t startOfLine = dashes - 3;
                if (startOfLine > 0 && text[startOfLine - 1] == '\r')
                    --startOfLine;
                *lineStart = startOfLine;
                *afterBoundary = afterText;
                return pos;
            }
        }
        ++pos;
    }
    return std::string::npos;
}

// Splits a multipart body into its parts as vmime does: the text between one
// delimiter line and the next, until the closing delimiter or the end.
void pushParts(const std::string& raw, const std::string& boundary, size_t begin, size_t end,
               int depth, std::vector<Entity>* pending)
{
    size_t lineStart = 0;
    size_t after = 0;
    size_t pos = findBoundaryLine(raw, boundary, begin, end, &lineStart, &after);
    size_t partStart = begin;
    bool first = true;
    while (pos < end) {
        const bool closing = after + 1 < end && raw.compare(after, 2, "--") == 0;
        if (!first) {
            pending->push_back(
                {std::min(partStart, lineStart), std::max(partStart, lineStart), depth});
        }
        first = false;
        if (closing)
            return;
        size_t next = after;
        while (next < end && isPadding(raw[next]))
            ++next;
        if (next + 1 < end && raw.compare(next, 2, "\r\n") == 0) {
            next += 2;
        } else if (next < end && raw[next] == '\n') {
            ++next;
        }
        partStart = next;
        pos = findBoundaryLine(raw, boundary, next, end, &lineStart, &after);
    }
    // Without a closing delimiter vmime may take the rest (the whole body when there
    // was no delimiter at all) as one more part; count it as one.
    pending->push_back({partStart, end, depth});
}

} // namespace

int mimeNestingDepth(const std::string& raw, int limit)
{
    std::vector<Entity> pending{{0, raw.size(), 0}};
    int deepest = 0;
    while (!pending.empty()) {
        const Entity entity = pending.back();
        pending.pop_back();
        size_t bodyStart = entity.begin;
        const std::string boundary = multipartBoundary(raw, entity, &bodyStart);
        if (boundary.empty() || bodyStart >= entity.end)
            continue;
        const int depth = entity.depth + 1;
        if (depth > limit)
            return limit + 1;
        deepest = std::max(deepest, depth);
        pushParts(raw, boundary, bodyStart, entity.end, depth, &pending);
    }
    return deepest;
}

} // namespace mail
