#pragma once
// The class object of UsePage. It lives as long as the module; LockServer holds the
// module for a client that wants to create objects later.
#include <windows.h>

#include <unknwn.h>

namespace foldwise {

// The class object when clsid names UsePage, answered as iid; else
// CLASS_E_CLASSNOTAVAILABLE.
HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** object);

} // namespace foldwise
