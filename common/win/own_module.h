#pragma once
// The module this code is linked into: the program, or the library (Mail.dll,
// Renewo.dll, a test program) that links the toolkit in. Its dialogs, strings and
// window classes are the ones that module carries, whoever calls it.
#include <windows.h>

// Null only if the system cannot tell, which does not happen for code of a loaded module.
HMODULE ownModule();
