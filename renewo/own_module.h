#pragma once
#include <windows.h>

namespace renewo {

// The module this code is linked into (Renewo.dll, or a test program): its dialogs
// and strings are the ones shown.
HINSTANCE ownModule();

} // namespace renewo
