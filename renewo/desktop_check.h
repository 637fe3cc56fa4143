#pragma once
// One update check with the real internet client, registry key and windows.
#include "renewo/update_check.h"

#include <windows.h>

namespace renewo {

// The folder of the program that loaded us, where the folder chooser starts.
std::string callingProgramFolder();

void checkOnDesktop(CheckInput in, HWND owner, HKEY settingsKey, CheckResult& result);

} // namespace renewo
