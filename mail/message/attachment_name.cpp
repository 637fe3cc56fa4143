#include "mail/message/attachment_name.h"

#include <cctype>

namespace mail {
namespace {

// Longest name kept; leaves room under MAX_PATH for the folder it is saved in.
constexpr size_t kMaxNameLength = 200;

// Windows-1252 upper case as Windows compares file names: the accented letters of the
// code page too, so that "\xE9t\xE9.txt" and "\xC9T\xC9.txt" are one file.
char upperLetter(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<char>(c - 0x20);
    switch (c) {
    case 0x9A: // s caron
    case 0x9C: // oe
    case 0x9E: // z caron
        return static_cast<char>(c - 0x10);
    case 0xFF: // y diaeresis
        return static_cast<char>(0x9F);
    default:
        return static_cast<char>(c);
    }
}

std::string upper(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = upperLetter(static_cast<unsigned char>(c));
    return out;
}

// Windows opens the device, not a file, for these stems whatever the extension.
bool isDeviceName(std::string stem)
{
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    stem = upper(stem);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" ||
        stem == "CONOUT$") {
        return true;
    }
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)) {
        const unsigned char digit = static_cast<unsigned char>(stem[3]);
        // Superscript one, two and three count as digits too.
        return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

std::string withoutControls(const std::string& name)
{
    std::string out;
    for (const char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            out += c;
    }
    return out;
}

std::string lastPathPart(const std::string& name)
{
    const size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// "C:name" is relative to drive C's current folder; "name:stream" writes a hidden
// stream. Neither colon belongs in a file name.
std::string withoutDriveOrStream(std::string name)
{
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
        name.erase(0, 2);
    }
    const size_t colon = name.find(':');
    if (colon != std::string::npos)
        name.erase(colon);
    return name;
}

std::string withReservedReplaced(std::string name)
{
    for (char& c : name) {
        if (std::string("<>\"|?*").find(c) != std::string::npos)
            c = '_';
    }
    return name;
}

std::string trimmedEnds(std::string name)
{
    size_t begin = 0;
    while (begin < name.size() && name[begin] == ' ')
        ++begin;
    name.erase(0, begin);
    // Windows drops trailing dots and blanks, so "a.exe." would be written as a.exe.
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
    return name;
}

std::string shortened(const std::string& name)
{
    if (name.size() <= kMaxNameLength)
        return name;
    const size_t dot = name.rfind('.');
    const size_t extension = dot == std::string::npos ? 0 : name.size() - dot;
    if (extension == 0 || extension > 16)
        return name.substr(0, kMaxNameLength);
    return name.substr(0, kMaxNameLength - extension) + name.substr(dot);
}

} // namespace

std::string safeAttachmentName(const std::string& proposed, int number)
{
    std::string name = withoutControls(proposed);
    name = lastPathPart(name);
    name = withoutDriveOrStream(name);
    name = withReservedReplaced(name);
    name = trimmedEnds(shortened(name));
    if (name.empty())
        return "attachment" + std::to_string(number);
    if (isDeviceName(name.substr(0, name.find('.')))) {
        name = "_" + name;
        // The prefix must not take the name past its bound.
        name = trimmedEnds(shortened(name));
    }
    return name;
}

std::string distinctAttachmentName(const std::string& name, const std::vector<std::string>& taken)
{
    const auto isTaken = [&](const std::string& candidate) {
        for (const auto& other : taken) {
            if (upper(other) == upper(candidate))
                return true;
        }
        return false;
    };
    const size_t dot = name.rfind('.');
    const size_t split = dot == std::string::npos || dot == 0 ? name.size() : dot;
    std::string candidate = name;
    for (int copy = 2; isTaken(candidate); ++copy)
        candidate = name.substr(0, split) + " (" + std::to_string(copy) + ")" + name.substr(split);
    return candidate;
}

} // namespace mail
