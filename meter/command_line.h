#pragma once
// The meter program's command line. Options start with "/" or "-" and compare without
// case; the only one known is "pref NAME", which selects a settings profile.
#include <string>
#include <vector>

// Splits a whole command line, the program's name first, the way Windows programs do:
// blanks separate, double quotes group, backslashes escape only quotes.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

// The profile name from the parameters after the program's name: the one after "pref"
// when it is not itself an option; empty when none was given.
std::string parseProfileName(const std::vector<std::string>& parameters);

// The profile name from a whole command line, the program's name first (as the
// system hands it to the program).
std::string profileNameFromCommandLine(const std::string& commandLine);

// The folder part of a program path, up to and including its last backslash.
std::string folderOfPath(const std::string& path);
