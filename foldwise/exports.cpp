// The library's boundary: the entry point and the four exports COM and the
// registration tools call. Each delegates and lets nothing escape.
#include "foldwise/class_factory.h"
#include "foldwise/module_state.h"
#include "foldwise/self_registration.h"

#include <windows.h>

#include <olectl.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        foldwise::setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return foldwise::guarded("DllCanUnloadNow", [] { return foldwise::canUnloadModule(); });
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object)
{
    return foldwise::guarded("DllGetClassObject",
                             [&] { return foldwise::getClassObject(clsid, iid, object); });
}

STDAPI DllRegisterServer()
{
    return foldwise::guarded("DllRegisterServer",
                             [] { return foldwise::registerServer(foldwise::moduleInstance()); });
}

STDAPI DllUnregisterServer()
{
    return foldwise::guarded("DllUnregisterServer",
                             [] { return foldwise::unregisterServer(foldwise::moduleInstance()); });
}
