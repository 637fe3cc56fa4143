#pragma once
// The browser command of the web-page opener, which the update checker shares with
// the meter program.
#include "common/web/browser_command.h"

namespace renewo {
using ::buildBrowserCommandLine;
using ::ClassesRoot;
using ::findBrowserCommand;
using ::kMaxCommandLine;
} // namespace renewo
