#pragma once
// How the folder chooser treats folder texts: what it preselects and what it answers.
#include <string>

// The chooser selects a folder without its trailing "\", except a drive root.
std::string chooserPreselection(const std::string& folder);

// The folder with a "\" at its end; the chooser always answers that way.
std::string folderWithBackslash(const std::string& folder);
