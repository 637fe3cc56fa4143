#pragma once
// The small rules of the plug-in's texts: the name used when the host gives none, the
// profile key, folders, the account file and the version text.
#include <string>

namespace mail {

// The host name kept when a host passes an empty one.
constexpr char kDefaultHostName[] = "Harbinal";

// The host name the plug-in keeps: the given one, or the default when it is empty.
std::string keptHostName(const std::string& hostName);

// The key of the plug-in's profile below "Software\": the host name in lower case.
std::string profileHostKey(const std::string& hostName);

// `folder` with a backslash at its end.
std::string withTrailingBackslash(const std::string& folder);

// The folder of the account file: the host program's folder for an empty text,
// otherwise the text with a trailing backslash.
std::string accountFolder(const std::string& folderText, const std::string& programFolder);

// The folder of a full path: everything up to and including its last backslash.
std::string folderOf(const std::string& path);

// The base name of a module's file: without its folder and its extension.
std::string moduleBaseName(const std::string& path);

struct FileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// "Version 1.2.3.4", "Version 1.2.3" (build only), "Version 1.2.x.4" (revision only)
// or "Version 1.2".
std::string versionText(const FileVersion& version, bool showBuild, bool showRevision);

} // namespace mail
