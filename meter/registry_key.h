#pragma once
// A registry key as the settings code sees it: values carry their type and their
// exact bytes, so every reader can insist on the type and size it expects. The
// program reaches the real registry through the Win32 implementation; tests use
// the in-memory one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Value types, numbered as Windows numbers them.
namespace RegType {
constexpr std::uint32_t kSz = 1;
constexpr std::uint32_t kBinary = 3;
constexpr std::uint32_t kDword = 4;
} // namespace RegType

struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // A subkey (a path of names separated by backslashes), or null when it cannot be
    // opened.
    virtual std::unique_ptr<RegistryKey> openSubkey(const std::string& path) = 0;
    // Opens the subkey, creating it and every missing key on the way; null on failure.
    virtual std::unique_ptr<RegistryKey> createSubkey(const std::string& path) = 0;
    // False when the value is missing or cannot be read.
    virtual bool queryValue(const std::string& name, RegistryValue& value) const = 0;
    virtual bool setValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                          std::size_t size) = 0;
    virtual bool deleteValue(const std::string& name) = 0;
    // Deletes the direct subkey `name` together with everything below it.
    virtual bool deleteSubkey(const std::string& name) = 0;
};
