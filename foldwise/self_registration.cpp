#include "foldwise/self_registration.h"

#include "common/folderscan/win/folder_tree_view.h"
#include "foldwise/registrar.h"
#include "foldwise/registry_editor_win.h"
#include "foldwise/res/resource.h"

#include <oleauto.h>

#include <string>
#include <vector>

namespace foldwise {

namespace {

constexpr HRESULT kScriptMissing = HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
constexpr HRESULT kScriptMalformed = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);

std::wstring modulePath(HINSTANCE module)
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// The path in its short 8.3 form, which old shells read best, when the system has one.
std::wstring shortPath(const std::wstring& path)
{
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed)
        return path;
    return std::wstring(buffer.data(), length);
}

HRESULT loadScript(HINSTANCE module, RegistrarScript& script)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_USEPAGE), "REGISTRY");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return kScriptMissing;
    const std::string text(static_cast<const char*>(bytes), SizeofResource(module, found));
    const std::wstring path = modulePath(module);
    if (path.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    const ScriptVariables variables{{"MODULE", utf8FromWide(shortPath(path).c_str())}};
    std::string error;
    if (!parseRegistrarScript(text, variables, script, error)) {
        OutputDebugStringA(("Foldwise: registration script: " + error + "\n").c_str());
        return kScriptMalformed;
    }
    return S_OK;
}

HRESULT loadTypeLibrary(HINSTANCE module, ITypeLib** library, std::wstring& path)
{
    path = modulePath(module);
    if (path.empty())
        return HRESULT_FROM_WIN32(GetLastError());
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}

HRESULT registerTypeLibrary(HINSTANCE module)
{
    ITypeLib* library = nullptr;
    std::wstring path;
    HRESULT result = loadTypeLibrary(module, &library, path);
    if (FAILED(result))
        return result;
    std::vector<wchar_t> writable(path.begin(), path.end());
    writable.push_back(L'\0');
    result = RegisterTypeLib(library, writable.data(), nullptr);
    library->Release();
    return result;
}

HRESULT unregisterTypeLibrary(HINSTANCE module)
{
    ITypeLib* library = nullptr;
    std::wstring path;
    HRESULT result = loadTypeLibrary(module, &library, path);
    if (FAILED(result))
        return result;
    TLIBATTR* attributes = nullptr;
    result = library->GetLibAttr(&attributes);
    if (SUCCEEDED(result)) {
        result = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum,
                                   attributes->wMinorVerNum, attributes->lcid, attributes->syskind);
        library->ReleaseTLibAttr(attributes);
    }
    library->Release();
    return result;
}

} // namespace

HRESULT registerServer(HINSTANCE module)
{
    RegistrarScript script;
    HRESULT result = loadScript(module, script);
    if (FAILED(result))
        return result;
    Win32RegistryEditor registry;
    if (const long failed = registerScript(script, registry))
        return HRESULT_FROM_WIN32(static_cast<DWORD>(failed));
    result = registerTypeLibrary(module);
    if (FAILED(result))
        unregisterScript(script, registry);
    return result;
}

HRESULT unregisterServer(HINSTANCE module)
{
    RegistrarScript script;
    HRESULT result = loadScript(module, script);
    if (FAILED(result))
        return result;
    Win32RegistryEditor registry;
    const long failed = unregisterScript(script, registry);
    const HRESULT typeLibrary = unregisterTypeLibrary(module);
    if (failed != 0)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(failed));
    return typeLibrary;
}

} // namespace foldwise
