// A received message, any bytes a server may send as one. The parse does not fail on
// it; the nesting guard never measures less than vmime will recurse (that recursion is
// what overflows the stack) and answers the same for any limit; every attachment gets
// a file name that is safe to write into the chosen folder and differs, in any letter
// case Windows would ignore, from the message's other attachments; the texts shown are
// made from the message's bytes, no longer than them. The input's lines are also taken
// as proposed file names of attachments of one message.
#include "fuzz_support.h"
#include "mail/message/attachment_name.h"
#include "mail/message/mail_message.h"
#include "mail/message/mime_depth.h"

#include <vmime/vmime.hpp>

#include <vector>

namespace {

// The longest name a Windows file system takes for one path component, and the
// longest a proposed name is cut to, to leave room under MAX_PATH for the folder.
constexpr std::size_t kLongestFileName = 255;
constexpr std::size_t kLongestSafeName = 200;

// Windows-1252 upper case as Windows compares file names: ASCII and the accented
// letters of the code page alike.
unsigned char folded(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A:
        return 0x8A; // s caron
    case 0x9C:
        return 0x8C; // oe
    case 0x9E:
        return 0x8E; // z caron
    case 0xFF:
        return 0x9F; // y diaeresis
    default:
        return c;
    }
}

bool sameFileName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (folded(static_cast<unsigned char>(a[i])) != folded(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool isDevice(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    for (char& c : stem)
        c = static_cast<char>(folded(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (stem == device)
            return true;
    }
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)) {
        const auto digit = static_cast<unsigned char>(stem[3]);
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

// A plain base name: nothing that leaves the folder, names a drive, a stream or a
// device, nothing Windows would alter on writing.
void checkSafeName(const std::string& name)
{
    FUZZ_CHECK(!name.empty() && name.size() <= kLongestFileName);
    FUZZ_CHECK(name != "." && name != "..");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        FUZZ_CHECK(byte >= 0x20 && byte != 0x7F);
        FUZZ_CHECK(std::string("\\/:<>\"|?*").find(c) == std::string::npos);
    }
    FUZZ_CHECK(name.front() != ' ' && name.back() != ' ' && name.back() != '.');
    FUZZ_CHECK(!isDevice(name));
}

void checkDistinctNames(const std::vector<std::string>& names)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        checkSafeName(names[i]);
        for (std::size_t j = 0; j < i; ++j)
            FUZZ_CHECK(!sameFileName(names[i], names[j]));
    }
}

// The input's lines as the proposed names of one message's attachments.
void checkNamesOfLines(const std::string& input)
{
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos <= input.size() && names.size() < 40) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string::npos)
            end = input.size();
        const std::string safe = mail::safeAttachmentName(input.substr(pos, end - pos),
                                                          static_cast<int>(names.size()) + 1);
        checkSafeName(safe);
        FUZZ_CHECK(safe.size() <= kLongestSafeName);
        // Made safe once, a name stays as it is.
        FUZZ_CHECK(mail::safeAttachmentName(safe, 1) == safe);
        const std::string distinct = mail::distinctAttachmentName(safe, names);
        FUZZ_CHECK(distinct == safe || distinct.size() > safe.size());
        names.push_back(distinct);
        pos = end + 1;
    }
    checkDistinctNames(names);
}

// The deepest multipart nesting of the parsed tree, counted without recursion.
int parsedDepth(const vmime::message& message)
{
    std::vector<std::pair<const vmime::bodyPart*, int>> pending{{&message, 0}};
    int deepest = 0;
    while (!pending.empty()) {
        const auto [part, depth] = pending.back();
        pending.pop_back();
        const auto body = part->getBody();
        if (body->getPartCount() == 0)
            continue;
        deepest = std::max(deepest, depth + 1);
        for (std::size_t i = 0; i < body->getPartCount(); ++i)
            pending.emplace_back(body->getPartAt(i).get(), depth + 1);
    }
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string raw = fuzzBytes(data, size);
    checkNamesOfLines(raw);

    constexpr int kLimit = mail::CMailMessage::kMaxNesting;
    const int depth = mail::mimeNestingDepth(raw, kLimit);
    FUZZ_CHECK(depth >= 0 && depth <= kLimit + 1);
    // A lower limit gives the same answer as far as it reaches.
    const int low = static_cast<int>(size % 4);
    FUZZ_CHECK(mail::mimeNestingDepth(raw, low) == std::min(depth, low + 1));

    const mail::CMailMessage message(raw, "uid", 0, 1);
    if (depth > kLimit)
        FUZZ_CHECK(message.isOpaque());

    // What the guard let through, vmime nests no deeper than measured.
    if (depth <= kLimit) {
        vmime::message parsed;
        try {
            parsed.parse(raw);
            FUZZ_CHECK(parsedDepth(parsed) <= depth);
        } catch (const std::exception&) {
        }
    }

    std::vector<std::string> names;
    for (std::size_t i = 0; i < message.attachmentCount(); ++i) {
        const mail::MessageAttachment& attachment = message.attachments()[i];
        names.push_back(attachment.fileName);
        FUZZ_CHECK(attachment.partIndex == mail::MessageAttachment::kWholeMessage ||
                   attachment.partIndex >= 0);
        FUZZ_CHECK(attachment.contentId.size() <= size);
        FUZZ_CHECK(message.attachmentContent(i).size() <= size);
    }
    checkDistinctNames(names);
    FUZZ_CHECK(message.attachmentContent(message.attachmentCount()).empty());
    // A body shown as one text has no parts to save.
    FUZZ_CHECK(!message.isOpaque() || message.attachmentCount() == 0);

    // Texts decoded from the message's bytes are no longer than they are.
    for (const std::string& text : {message.subject(), message.date(), message.plainBody(),
                                    message.htmlBody(), message.headerBlock()})
        FUZZ_CHECK(text.size() <= size);
    FUZZ_CHECK(message.headerBlock() == raw.substr(0, raw.find("\r\n\r\n")));
    // Addresses come out as "Name <address>" lists, with quotes, escapes, brackets and
    // ", " added, at most a few characters for each byte of the message. Longer than
    // that, the text would be made of something else than the message.
    for (const std::string& text :
         {message.from(), message.to(), message.cc(), message.replyAddress()})
        FUZZ_CHECK(text.size() <= 4 * size + 16);
    message.htmlFileText();
    return 0;
}
