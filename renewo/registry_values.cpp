#include "renewo/registry_values.h"

#include "common/win/reg_key.h"

namespace renewo {

bool KeyValues::query(const char* name, std::uint32_t& type, std::vector<unsigned char>& data)
{
    if (!key_) {
        return false;
    }
    DWORD t = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &t, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    data.assign(size, 0);
    if (RegQueryValueExA(key_, name, nullptr, &t, data.empty() ? nullptr : data.data(), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    data.resize(size);
    type = t;
    return true;
}

void KeyValues::setDword(const char* name, std::uint32_t value)
{
    if (!key_) {
        return;
    }
    const DWORD v = value;
    RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

} // namespace renewo
