#pragma once
#include "common/win/own_module.h"

namespace renewo {

// The module this code is linked into (Renewo.dll, or a test program): its dialogs
// and strings are the ones shown.
using ::ownModule;

} // namespace renewo
