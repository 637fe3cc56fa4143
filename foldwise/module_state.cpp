#include "foldwise/module_state.h"

namespace foldwise {

namespace {

HINSTANCE g_instance = nullptr;
LONG g_locks = 0;

} // namespace

void setModuleInstance(HINSTANCE instance)
{
    g_instance = instance;
}

HINSTANCE moduleInstance()
{
    return g_instance;
}

void lockModule()
{
    InterlockedIncrement(&g_locks);
}

void unlockModule()
{
    InterlockedDecrement(&g_locks);
}

HRESULT canUnloadModule()
{
    return InterlockedCompareExchange(&g_locks, 0, 0) == 0 ? S_OK : S_FALSE;
}

void traceFailure(const char* what)
{
    // No allocation here: this runs inside a catch handler.
    OutputDebugStringA("Foldwise: ");
    OutputDebugStringA(what);
    OutputDebugStringA(" failed by an exception\n");
}

} // namespace foldwise
