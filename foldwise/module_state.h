#pragma once
// What the library keeps for the whole process: its own module handle and the lock
// count that says whether anything of it is still in use. Objects and pages of
// several property-sheet threads share the count, so it changes interlocked.
#include <windows.h>

namespace foldwise {

void setModuleInstance(HINSTANCE instance);
HINSTANCE moduleInstance();

void lockModule();
void unlockModule();
// S_OK when nothing holds the module, else S_FALSE.
HRESULT canUnloadModule();

// Leaves a trace for a debugger when a failure is swallowed at the library's edge.
void traceFailure(const char* what);

// Runs body and turns anything it throws into an error code with a trace: nothing may
// leave the library through a COM method, an export or a window procedure.
template <typename Body> HRESULT guarded(const char* what, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        traceFailure(what);
        return E_UNEXPECTED;
    }
}

} // namespace foldwise
