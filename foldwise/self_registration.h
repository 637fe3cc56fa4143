#pragma once
// Registration of the library: its registration script (resource REGISTRY 101) applied
// under the registry's roots with %MODULE% standing for the library's path, and its
// embedded type library.
#include <windows.h>

namespace foldwise {

// S_OK, or the code of the step that failed.
HRESULT registerServer(HINSTANCE module);
HRESULT unregisterServer(HINSTANCE module);

} // namespace foldwise
