#include "meter/registry_values.h"

#include <algorithm>

bool readDword(const RegistryKey& key, const std::string& name, std::uint32_t& out)
{
    RegistryValue value;
    if (!key.queryValue(name, value) || value.type != RegType::kDword || value.data.size() != 4)
        return false;
    out = wordAt(value.data, 0);
    return true;
}

bool readBinary(const RegistryKey& key, const std::string& name, std::size_t size,
                std::vector<std::uint8_t>& out)
{
    RegistryValue value;
    if (!key.queryValue(name, value) || value.type != RegType::kBinary || value.data.size() != size)
        return false;
    out = std::move(value.data);
    return true;
}

bool readText(const RegistryKey& key, const std::string& name, std::string& out,
              std::size_t maxLength)
{
    RegistryValue value;
    if (!key.queryValue(name, value) || value.type != RegType::kSz)
        return false;
    // The stored bytes need not be terminated; the text ends at the first zero or at
    // the end of the data, whichever comes first.
    const auto end = std::find(value.data.begin(), value.data.end(), std::uint8_t{0});
    const auto length = static_cast<std::size_t>(end - value.data.begin());
    if (length > maxLength)
        return false;
    out.assign(value.data.begin(), end);
    return true;
}

bool writeDword(RegistryKey& key, const std::string& name, std::uint32_t value)
{
    std::vector<std::uint8_t> data;
    appendWord(data, value);
    return key.setValue(name, RegType::kDword, data.data(), data.size());
}

bool writeBinary(RegistryKey& key, const std::string& name, const std::vector<std::uint8_t>& data)
{
    return key.setValue(name, RegType::kBinary, data.data(), data.size());
}

bool writeText(RegistryKey& key, const std::string& name, const std::string& text)
{
    return key.setValue(name, RegType::kSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                        text.size() + 1);
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& data, std::size_t index)
{
    const std::size_t at = index * 4;
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 |
           static_cast<std::uint32_t>(data[at + 3]) << 24;
}

void appendWord(std::vector<std::uint8_t>& data, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
