#pragma once
// The shell's folder chooser, starting at a given folder: the one chooser of the meter
// program and the update checker.
#include <windows.h>

#include <string>

// Shows the chooser with `title`, preselecting folder. True when a file-system folder
// was chosen: folder then holds its path with a trailing "\". False, folder unchanged,
// otherwise.
bool browseForFolder(HWND owner, std::string& folder, const std::string& title);
