#pragma once
// Opening a web address in the user's browser: through the command registered for
// web pages, or by asking the shell to open the address. The meter program and the
// update checker share it; each passes its own title for the failure message.
#include <windows.h>

#include <string>

// True when the browser was started; otherwise shows "Failed to execute web browser."
// captioned with appTitle (owned by owner) and returns false.
bool openWebPage(bool useBrowserCommand, const std::string& address, const char* appTitle,
                 HWND owner = nullptr);
