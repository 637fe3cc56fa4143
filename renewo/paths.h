#pragma once
// File and folder names of the download: where the installer goes and what it is called.
#include <cstddef>
#include <string>

namespace renewo {

// installerPath holds at most this many characters (plus its terminator).
constexpr std::size_t kMaxInstallerPath = 257;

// The text after the last "/" of the download address (the whole address without one).
std::string installerFileName(const std::string& downloadUrl);

// The server names the file, so the name must stay a plain name inside the chosen
// folder: not empty, not "." or "..", no path separators, drive colons, wildcards,
// quotes, angle brackets, pipes or control characters.
bool isPlainFileName(const std::string& name);

// The saved installer is started as a program, so its name must be one that names a
// program file: plain, ending in ".exe" in any case, and not a device (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, with or without an extension), which Windows would open
// in place of a file.
bool isInstallerFileName(const std::string& name);

// Folder (given a trailing "\" if it lacks one) plus name; false when the name is no
// installer name or the result would not fit installerPath.
bool installerPathFor(const std::string& folder, const std::string& name, std::string& path);

// The folder of a program file: its path up to and including the last "\".
std::string folderOf(const std::string& modulePath);

// The folder chooser selects a folder without its trailing "\", except a drive root.
std::string preselectionOf(const std::string& folder);

std::string withTrailingBackslash(const std::string& folder);

} // namespace renewo
