#include "renewo/paths.h"

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

bool installerPathFor(const std::string& folder, const std::string& name, std::string& path)
{
    if (folder.empty() || !isPlainFileName(name)) {
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
    if (folder.size() > 3 && folder.back() == '\\') {
        return folder.substr(0, folder.size() - 1);
    }
    return folder;
}

std::string withTrailingBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\') {
        return folder;
    }
    return folder + '\\';
}

} // namespace renewo
