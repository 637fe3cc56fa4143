// The identities of Foldwise.idl, defined once. The system headers come first so that
// only the library's own identities are defined here.
#include <windows.h>

#include <ole2.h>

#include <initguid.h>

#include "Foldwise_h.h"
