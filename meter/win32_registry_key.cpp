#include "meter/win32_registry_key.h"

#include "meter/command_line.h"

#include <vector>

namespace {

// Values larger than this are not settings of ours; reading them is refused rather
// than trusting the size the registry reports.
constexpr DWORD kMaxValueSize = 64 * 1024;

// Owns a key handle for the length of one operation.
class KeyGuard {
public:
    explicit KeyGuard(HKEY key) : key_(key) {}
    ~KeyGuard()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_;
};

// Deletes `name` below `parent` and everything under it; the NT family's
// RegDeleteKey refuses keys that still have subkeys.
bool deleteTree(HKEY parent, const std::string& name)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &raw) != ERROR_SUCCESS)
        return false;
    {
        KeyGuard key(raw);
        char child[256];
        for (;;) {
            DWORD length = sizeof child;
            if (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            if (!deleteTree(key.get(), child))
                break;
        }
    }
    return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

} // namespace

std::unique_ptr<Win32RegistryKey> Win32RegistryKey::root(HKEY predefined)
{
    return std::unique_ptr<Win32RegistryKey>(new Win32RegistryKey(predefined, false));
}

Win32RegistryKey::~Win32RegistryKey()
{
    if (owned_)
        RegCloseKey(key_);
}

std::unique_ptr<RegistryKey> Win32RegistryKey::openSubkey(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(key_, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::unique_ptr<RegistryKey>(new Win32RegistryKey(key, true));
}

std::unique_ptr<RegistryKey> Win32RegistryKey::createSubkey(const std::string& path)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(key_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return std::unique_ptr<RegistryKey>(new Win32RegistryKey(key, true));
}

bool Win32RegistryKey::queryValue(const std::string& name, RegistryValue& value) const
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        size > kMaxValueSize)
        return false;
    std::vector<std::uint8_t> data(size);
    // The value may change between the two calls; the second reports what it wrote.
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, size != 0 ? data.data() : nullptr,
                         &size) != ERROR_SUCCESS ||
        size > data.size())
        return false;
    data.resize(size);
    value.type = type;
    value.data = std::move(data);
    return true;
}

bool Win32RegistryKey::setValue(const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxValueSize)
        return false;
    return RegSetValueExA(key_, name.c_str(), 0, type, data, static_cast<DWORD>(size)) ==
           ERROR_SUCCESS;
}

bool Win32RegistryKey::deleteValue(const std::string& name)
{
    return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

bool Win32RegistryKey::deleteSubkey(const std::string& name)
{
    return deleteTree(key_, name);
}

std::string programFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return folderOfPath(std::string(path, length));
}
