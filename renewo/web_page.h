#pragma once
// Opening a web address in the user's browser: through the command registered for
// web pages, or by asking the shell to open the address.
#include <windows.h>

#include <string>

namespace renewo {

// True when the browser was started; otherwise shows "Failed to execute web browser."
// captioned with appTitle and returns false.
bool openWebPage(bool useBrowserCommand, const std::string& address, const char* appTitle);

} // namespace renewo
