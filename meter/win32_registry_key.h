#pragma once
// The registry seam over the Win32 registry functions. A key opened or created here
// is closed by its owner on every path; predefined roots are never closed.
#include "meter/registry_key.h"

#include <windows.h>

class Win32RegistryKey : public RegistryKey {
public:
    // A predefined root such as HKEY_CURRENT_USER.
    static std::unique_ptr<Win32RegistryKey> root(HKEY predefined);
    ~Win32RegistryKey() override;
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    std::unique_ptr<RegistryKey> openSubkey(const std::string& path) override;
    std::unique_ptr<RegistryKey> createSubkey(const std::string& path) override;
    bool queryValue(const std::string& name, RegistryValue& value) const override;
    bool setValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size) override;
    bool deleteValue(const std::string& name) override;
    bool deleteSubkey(const std::string& name) override;

    HKEY handle() const { return key_; }

private:
    Win32RegistryKey(HKEY key, bool owned) : key_(key), owned_(owned) {}

    HKEY key_;
    bool owned_;
};

// The folder of the running program, ending in a backslash.
std::string programFolder();
