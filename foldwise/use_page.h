#pragma once
// The shell extension object: initialised by the shell with the selected folder, it
// adds the "Usage" page to the folder's property sheet. Its IUsePage has no methods
// of its own; IDispatch is served from the embedded type library. It can be
// aggregated: then its IUnknown calls go to the outer object, and the outer object
// holds the inner unknown.
#include <windows.h>

#include <shlobj.h>

#include "Foldwise_h.h"

#include <string>

namespace foldwise {

class UsePage final : public IUsePage, public IShellExtInit, public IShellPropSheetExt {
public:
    // Creates an object and answers iid of it. With outer set the object is
    // aggregated, and iid must be IID_IUnknown (the inner unknown is answered).
    static HRESULT create(IUnknown* outer, REFIID iid, void** object);

    // IUnknown, delegating to the controlling unknown.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // IShellExtInit
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY progId) override;

    // IShellPropSheetExt
    STDMETHODIMP AddPages(LPFNSVADDPROPSHEETPAGE addPage, LPARAM parameter) override;
    STDMETHODIMP ReplacePage(EXPPS page, LPFNSVADDPROPSHEETPAGE replaceWith,
                             LPARAM parameter) override;

private:
    // The non-delegating unknown: the object's own identity and reference count.
    class InnerUnknown : public IUnknown {
    public:
        explicit InnerUnknown(UsePage& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        UsePage& owner_;
    };

    explicit UsePage(IUnknown* outer);
    ~UsePage();
    UsePage(const UsePage&) = delete;
    UsePage& operator=(const UsePage&) = delete;

    HRESULT typeInfo(ITypeInfo** info);
    HRESULT readSelection(IDataObject& data);

    InnerUnknown inner_;
    IUnknown* controlling_; // the outer object, or inner_
    LONG references_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
    std::wstring folder_; // the selected folder, empty until initialised
};

} // namespace foldwise
