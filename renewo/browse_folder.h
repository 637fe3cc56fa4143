#pragma once
// The shell's folder chooser, starting at a given folder.
#include <windows.h>

#include <string>

namespace renewo {

// Shows the chooser titled with string titleId of module resources, preselecting
// folder. True when a file-system folder was chosen: folder then holds its path with a
// trailing "\". False, folder unchanged, otherwise.
bool browseForFolder(HINSTANCE resources, HWND owner, std::string& folder, int titleId);

} // namespace renewo
