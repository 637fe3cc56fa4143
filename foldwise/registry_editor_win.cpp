#include "foldwise/registry_editor_win.h"

#include "common/folderscan/win/folder_tree_view.h"
#include "common/win/reg_key.h"

#include <windows.h>

#include <vector>

namespace foldwise {

namespace {

HKEY rootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::classesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::currentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::localMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::users:
        return HKEY_USERS;
    case RegistryRoot::currentConfig:
        return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CLASSES_ROOT;
}

long missingIsFine(long result)
{
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

// Deletes every subkey below key, deepest first, then key itself.
long deleteKeyTree(HKEY parent, const std::wstring& name)
{
    HKEY opened = nullptr;
    long result = RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &opened);
    if (result != ERROR_SUCCESS)
        return missingIsFine(result);
    {
        RegKeyOwner key(opened);
        std::vector<wchar_t> child(256);
        for (;;) {
            // Always the first subkey: the one before was just deleted.
            DWORD length = static_cast<DWORD>(child.size());
            result = RegEnumKeyExW(key.get(), 0, child.data(), &length, nullptr, nullptr, nullptr,
                                   nullptr);
            if (result == ERROR_NO_MORE_ITEMS)
                break;
            if (result != ERROR_SUCCESS)
                return result;
            result = deleteKeyTree(key.get(), std::wstring(child.data(), length));
            if (result != ERROR_SUCCESS)
                return result;
        }
    }
    return missingIsFine(RegDeleteKeyW(parent, name.c_str()));
}

} // namespace

long Win32RegistryEditor::createKey(RegistryRoot root, const std::string& path)
{
    HKEY created = nullptr;
    const long result = RegCreateKeyExW(rootKey(root), wideFromUtf8(path).c_str(), 0, nullptr, 0,
                                        KEY_WRITE, nullptr, &created, nullptr);
    if (result == ERROR_SUCCESS)
        RegCloseKey(created);
    return result;
}

long Win32RegistryEditor::setValue(RegistryRoot root, const std::string& path,
                                   const ScriptValue& value)
{
    HKEY opened = nullptr;
    long result =
        RegOpenKeyExW(rootKey(root), wideFromUtf8(path).c_str(), 0, KEY_SET_VALUE, &opened);
    if (result != ERROR_SUCCESS)
        return result;
    RegKeyOwner key(opened);
    const std::wstring name = wideFromUtf8(value.name);
    const wchar_t* valueName = value.name.empty() ? nullptr : name.c_str();
    switch (value.kind) {
    case ValueKind::string:
    case ValueKind::expandString: {
        const std::wstring text = wideFromUtf8(value.text);
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key.get(), valueName, 0,
                              value.kind == ValueKind::string ? REG_SZ : REG_EXPAND_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    }
    case ValueKind::dword: {
        const DWORD number = value.number;
        return RegSetValueExW(key.get(), valueName, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    case ValueKind::binary:
        return RegSetValueExW(key.get(), valueName, 0, REG_BINARY, value.bytes.data(),
                              static_cast<DWORD>(value.bytes.size()));
    }
    return ERROR_INVALID_PARAMETER;
}

long Win32RegistryEditor::deleteTree(RegistryRoot root, const std::string& path)
{
    return deleteKeyTree(rootKey(root), wideFromUtf8(path));
}

long Win32RegistryEditor::deleteIfNoSubkeys(RegistryRoot root, const std::string& path)
{
    const std::wstring name = wideFromUtf8(path);
    HKEY opened = nullptr;
    const long result = RegOpenKeyExW(rootKey(root), name.c_str(), 0, KEY_READ, &opened);
    if (result != ERROR_SUCCESS)
        return missingIsFine(result);
    DWORD subkeys = 0;
    {
        RegKeyOwner key(opened);
        const long query = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        if (query != ERROR_SUCCESS)
            return query;
    }
    if (subkeys != 0)
        return ERROR_SUCCESS;
    return missingIsFine(RegDeleteKeyW(rootKey(root), name.c_str()));
}

} // namespace foldwise
