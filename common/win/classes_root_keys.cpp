#include "common/win/classes_root_keys.h"

#include "common/win/reg_key.h"

#include <windows.h>

bool ClassesRootKeys::defaultValue(const std::string& subkey, std::size_t maxBytes,
                                   std::string& value)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return false;
    }
    RegKeyOwner key(h);
    std::string buffer(maxBytes, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    buffer.resize(size);
    // The stored text may or may not carry its terminator.
    const auto end = buffer.find('\0');
    if (end != std::string::npos) {
        buffer.resize(end);
    }
    if (buffer.empty()) {
        return false;
    }
    value = buffer;
    return true;
}
