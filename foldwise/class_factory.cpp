#include "foldwise/class_factory.h"

#include "foldwise/module_state.h"
#include "foldwise/use_page.h"

namespace foldwise {

namespace {

class UsePageFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is not counted: a client keeps the module with LockServer.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        return guarded("IClassFactory::CreateInstance",
                       [&] { return UsePage::create(outer, iid, object); });
    }

    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            lockModule();
        else
            unlockModule();
        return S_OK;
    }
};

UsePageFactory g_factory;

} // namespace

HRESULT getClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_UsePage))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

} // namespace foldwise
