#include "mail/plugin/plugin_texts.h"

#include "mail/mail_log.h"

#include <algorithm>
#include <cctype>

namespace mail {

namespace {
constexpr char kRegistryRoot[] = "Software\\";
constexpr char kRootWord[] = "software";
} // namespace

std::string keptHostName(const std::string& hostName)
{
    return hostName.empty() ? std::string(kDefaultHostName) : hostName;
}

std::string profileHostKey(const std::string& hostName)
{
    // The key is formed with its root and the root cut off again: what stays is the
    // lower-cased host name, also when the name itself holds the word "software".
    std::string key = kRegistryRoot + keptHostName(hostName);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (key.find(kRootWord) != std::string::npos) {
        key.erase(0, sizeof kRegistryRoot - 1);
    }
    return key;
}

std::string withTrailingBackslash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '\\') {
        return folder;
    }
    return folder + "\\";
}

std::string accountFolder(const std::string& folderText, const std::string& programFolder)
{
    if (folderText.empty()) {
        return programFolder;
    }
    return withTrailingBackslash(folderText);
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string moduleBaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

std::string versionText(const FileVersion& v, bool showBuild, bool showRevision)
{
    if (showBuild && showRevision) {
        return formatText("Version %i.%i.%i.%i", v.major, v.minor, v.build, v.revision);
    }
    if (showBuild) {
        return formatText("Version %i.%i.%i", v.major, v.minor, v.build);
    }
    if (showRevision) {
        return formatText("Version %i.%i.x.%i", v.major, v.minor, v.revision);
    }
    return formatText("Version %i.%i", v.major, v.minor);
}

} // namespace mail
