#include "renewo/paths.h"

#include "common/web/folder_text.h"

namespace renewo {

std::string installerFileName(const std::string& downloadUrl)
{
    const auto slash = downloadUrl.rfind('/');
    return slash == std::string::npos ? downloadUrl : downloadUrl.substr(slash + 1);
}

bool isPlainFileName(const std::string& name)
{
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
        switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return false;
        default:
            break;
        }
    }
    return true;
}

namespace {

std::string upperAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// Windows reads a device name in the part before the first dot, ignoring spaces
// after it; COM and LPT take the digits 1-9 and the superscripts 1-3 of the ANSI code page.
bool isDeviceName(const std::string& name)
{
    std::string stem = upperAscii(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" ||
        stem == "CONOUT$" || stem == "CLOCK$") {
        return true;
    }
    if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) {
        return false;
    }
    const unsigned char digit = static_cast<unsigned char>(stem[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

} // namespace

bool isInstallerFileName(const std::string& name)
{
    static const std::string kExtension = ".EXE";
    return isPlainFileName(name) && name.size() > kExtension.size() &&
           upperAscii(name.substr(name.size() - kExtension.size())) == kExtension &&
           !isDeviceName(name);
}

bool installerPathFor(const std::string& folder, const std::string& name, std::string& path)
{
    if (folder.empty() || !isInstallerFileName(name)) {
        return false;
    }
    std::string full = withTrailingBackslash(folder) + name;
    if (full.size() > kMaxInstallerPath) {
        return false;
    }
    path = std::move(full);
    return true;
}

std::string folderOf(const std::string& modulePath)
{
    const auto backslash = modulePath.rfind('\\');
    return backslash == std::string::npos ? std::string() : modulePath.substr(0, backslash + 1);
}

std::string preselectionOf(const std::string& folder)
{
    return chooserPreselection(folder);
}

std::string withTrailingBackslash(const std::string& folder)
{
    return folderWithBackslash(folder);
}

} // namespace renewo
