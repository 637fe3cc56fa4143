#include "tests/foldwise/foldwise_rig.h"

#include <algorithm>
#include <cstring>

namespace foldwise_test {

namespace {

// This program's own view of the registry, named explicitly so that a 32-bit
// registration can never be read from the 64-bit view or the other way round.
constexpr REGSAM kView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

class OpenKey {
public:
    explicit OpenKey(const std::wstring& path)
    {
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | kView, &key_) !=
            ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~OpenKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::vector<std::wstring> sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::wstring libraryPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.resize(folder.find_last_of(L'\\') + 1);
    return folder + L"Foldwise.dll";
}

HMODULE library()
{
    static HMODULE module = LoadLibraryW(libraryPath().c_str());
    return module;
}

DWORD runRegsvr32(bool unregister)
{
    std::wstring command = std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"") + L"\"" +
                           libraryPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

bool keyExists(const std::wstring& path)
{
    return OpenKey(path).get() != nullptr;
}

bool readText(const std::wstring& path, const wchar_t* name, std::wstring& text)
{
    OpenKey key(path);
    if (key.get() == nullptr)
        return false;
    wchar_t buffer[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    text = buffer;
    return true;
}

std::vector<std::wstring> valueNames(const std::wstring& path)
{
    OpenKey key(path);
    std::vector<std::wstring> names;
    for (DWORD i = 0; key.get() != nullptr; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumValueW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return sorted(names);
}

std::vector<std::wstring> subkeyNames(const std::wstring& path)
{
    OpenKey key(path);
    std::vector<std::wstring> names;
    for (DWORD i = 0; key.get() != nullptr; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return sorted(names);
}

HRESULT canUnloadNow()
{
    using Function = HRESULT(STDAPICALLTYPE*)();
    const auto function = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(library(), "DllCanUnloadNow")));
    return function != nullptr ? function() : E_FAIL;
}

DropData::DropData(std::vector<std::wstring> paths, bool wide)
    : paths_(std::move(paths)), wide_(wide)
{
}

DropData* DropData::failing()
{
    auto* data = new DropData({}, true);
    data->fail_ = true;
    return data;
}

DropData::~DropData()
{
    for (HGLOBAL memory : handedOut_)
        GlobalFree(memory);
}

STDMETHODIMP DropData::QueryInterface(REFIID iid, void** object)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DropData::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) DropData::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP DropData::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (fail_) {
        // What a careless data object leaves behind: releasing it would be wrong.
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = nullptr;
        medium->pUnkForRelease = &counter_;
        return DV_E_FORMATETC;
    }
    if (format->cfFormat != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0 ||
        format->dwAspect != DVASPECT_CONTENT || format->lindex != -1)
        return DV_E_FORMATETC;
    // DROPFILES, then each path with its terminator, then one more terminator.
    std::vector<BYTE> list;
    for (const std::wstring& path : paths_) {
        if (wide_) {
            const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
            list.insert(list.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
        } else {
            char ansi[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
            list.insert(list.end(), ansi, ansi + std::strlen(ansi) + 1);
        }
    }
    list.insert(list.end(), wide_ ? sizeof(wchar_t) : 1, 0);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = wide_ ? TRUE : FALSE;
    std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    // The memory stays this object's: releasing the medium only tells the counter.
    handedOut_.push_back(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = &counter_;
    return S_OK;
}

IShellExtInit* createInitialised(const std::wstring& folder)
{
    IShellExtInit* extension = nullptr;
    if (FAILED(CoCreateInstance(kClsidUsePage, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                reinterpret_cast<void**>(&extension))))
        return nullptr;
    auto* data = new DropData({folder}, true);
    const HRESULT result = extension->Initialize(nullptr, data, nullptr);
    data->Release();
    if (FAILED(result)) {
        extension->Release();
        return nullptr;
    }
    return extension;
}

} // namespace foldwise_test
