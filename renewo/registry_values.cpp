#include "renewo/registry_values.h"

namespace renewo {

namespace {

class KeyOwner {
public:
    explicit KeyOwner(HKEY h) : h_(h) {}
    ~KeyOwner() { RegCloseKey(h_); }
    KeyOwner(const KeyOwner&) = delete;
    KeyOwner& operator=(const KeyOwner&) = delete;
    HKEY get() const { return h_; }

private:
    HKEY h_;
};

} // namespace

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

bool ClassesRootKeys::defaultValue(const std::string& subkey, std::size_t maxBytes,
                                   std::string& value)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return false;
    }
    KeyOwner key(h);
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

} // namespace renewo
