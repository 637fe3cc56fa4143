#include "foldwise/use_page.h"

#include "common/folderscan/win/folder_tree_view.h"
#include "foldwise/module_state.h"
#include "foldwise/usage_page.h"

#include <commctrl.h>
#include <oleauto.h>
#include <shellapi.h>

#include <new>

namespace foldwise {

namespace {

// The page's folder with its "\" must stay within what the find-file calls accept.
constexpr UINT kMaxFolderChars = 259;

// Releases a storage medium that the data object handed over.
class MediumOwner {
public:
    explicit MediumOwner(STGMEDIUM& medium) : medium_(medium) {}
    ~MediumOwner() { ReleaseStgMedium(&medium_); }
    MediumOwner(const MediumOwner&) = delete;
    MediumOwner& operator=(const MediumOwner&) = delete;

private:
    STGMEDIUM& medium_;
};

std::string folderWithSeparator(const std::wstring& folder)
{
    std::string utf8 = utf8FromWide(folder.c_str());
    if (utf8.empty() || utf8.back() != '\\')
        utf8 += '\\';
    return utf8;
}

} // namespace

HRESULT UsePage::create(IUnknown* outer, REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    auto* page = new (std::nothrow) UsePage(outer);
    if (page == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT result = page->inner_.QueryInterface(iid, object);
    page->inner_.Release();
    return result;
}

UsePage::UsePage(IUnknown* outer) : inner_(*this), controlling_(outer ? outer : &inner_)
{
    lockModule();
}

UsePage::~UsePage()
{
    if (typeInfo_ != nullptr)
        typeInfo_->Release();
    unlockModule();
}

STDMETHODIMP UsePage::InnerUnknown::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown)) {
        *object = static_cast<IUnknown*>(this);
    } else if (IsEqualIID(iid, IID_IUsePage) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IUsePage*>(&owner_);
    } else if (IsEqualIID(iid, IID_IShellExtInit)) {
        *object = static_cast<IShellExtInit*>(&owner_);
    } else if (IsEqualIID(iid, IID_IShellPropSheetExt)) {
        *object = static_cast<IShellPropSheetExt*>(&owner_);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*object)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) UsePage::InnerUnknown::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&owner_.references_));
}

STDMETHODIMP_(ULONG) UsePage::InnerUnknown::Release()
{
    const LONG left = InterlockedDecrement(&owner_.references_);
    if (left == 0)
        delete &owner_;
    return static_cast<ULONG>(left);
}

STDMETHODIMP UsePage::QueryInterface(REFIID iid, void** object)
{
    return controlling_->QueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) UsePage::AddRef()
{
    return controlling_->AddRef();
}

STDMETHODIMP_(ULONG) UsePage::Release()
{
    return controlling_->Release();
}

HRESULT UsePage::typeInfo(ITypeInfo** info)
{
    if (typeInfo_ == nullptr) {
        wchar_t path[MAX_PATH * 2];
        const DWORD length = GetModuleFileNameW(moduleInstance(), path, MAX_PATH * 2);
        if (length == 0 || length >= MAX_PATH * 2)
            return TYPE_E_CANTLOADLIBRARY;
        ITypeLib* library = nullptr;
        HRESULT result = LoadTypeLibEx(path, REGKIND_NONE, &library);
        if (FAILED(result))
            return result;
        result = library->GetTypeInfoOfGuid(IID_IUsePage, &typeInfo_);
        library->Release();
        if (FAILED(result))
            return result;
    }
    typeInfo_->AddRef();
    *info = typeInfo_;
    return S_OK;
}

STDMETHODIMP UsePage::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP UsePage::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return typeInfo(info);
}

STDMETHODIMP UsePage::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT result = typeInfo(&info);
    if (FAILED(result))
        return result;
    result = DispGetIDsOfNames(info, names, count, ids);
    info->Release();
    return result;
}

STDMETHODIMP UsePage::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT answer = typeInfo(&info);
    if (FAILED(answer))
        return answer;
    answer = DispInvoke(static_cast<IUsePage*>(this), info, member, flags, params, result,
                        exception, argumentError);
    info->Release();
    return answer;
}

STDMETHODIMP UsePage::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY)
{
    return guarded("UsePage::Initialize", [&] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        if (data == nullptr)
            return E_INVALIDARG;
        return readSelection(*data);
    });
}

HRESULT UsePage::readSelection(IDataObject& data)
{
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    // Only a medium that was handed over is ours to release.
    if (FAILED(data.GetData(&format, &medium)))
        return E_INVALIDARG;
    MediumOwner owner(medium);
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr)
        return E_INVALIDARG;
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    // More than one item selected: no page, as for any other multiple selection.
    if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) != 1)
        return E_INVALIDARG;
    const UINT chars = DragQueryFileW(drop, 0, nullptr, 0);
    if (chars == 0 || chars > kMaxFolderChars)
        return E_INVALIDARG;
    std::wstring folder(chars + 1, L'\0');
    if (DragQueryFileW(drop, 0, &folder[0], chars + 1) != chars)
        return E_INVALIDARG;
    folder.resize(chars);
    if (folder.back() != L'\\' && chars + 1 > kMaxFolderChars)
        return E_INVALIDARG;
    folder_ = folder;
    return S_OK;
}

STDMETHODIMP UsePage::AddPages(LPFNSVADDPROPSHEETPAGE addPage, LPARAM parameter)
{
    guarded("UsePage::AddPages", [&] {
        if (addPage == nullptr || folder_.empty())
            return S_OK;
        const HPROPSHEETPAGE page = createUsagePage(folderWithSeparator(folder_));
        if (page != nullptr && !addPage(page, parameter))
            DestroyPropertySheetPage(page);
        return S_OK;
    });
    return S_OK;
}

STDMETHODIMP UsePage::ReplacePage(EXPPS, LPFNSVADDPROPSHEETPAGE, LPARAM)
{
    return E_NOTIMPL;
}

} // namespace foldwise
