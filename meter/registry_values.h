#pragma once
// Typed reads and writes of single registry values. A read succeeds only for the
// exact type (and, for numbers and records, the exact size) it asks for; anything
// else leaves the caller's value untouched, so a damaged value keeps its default.
#include "meter/registry_key.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The longest text the settings keep in one value (a path's worth).
constexpr std::size_t kMaxSettingsText = 259;

bool readDword(const RegistryKey& key, const std::string& name, std::uint32_t& out);
// REG_BINARY of exactly `size` bytes.
bool readBinary(const RegistryKey& key, const std::string& name, std::size_t size,
                std::vector<std::uint8_t>& out);
// REG_SZ up to its first zero; texts longer than `maxLength` are refused.
bool readText(const RegistryKey& key, const std::string& name, std::string& out,
              std::size_t maxLength = kMaxSettingsText);

bool writeDword(RegistryKey& key, const std::string& name, std::uint32_t value);
bool writeBinary(RegistryKey& key, const std::string& name, const std::vector<std::uint8_t>& data);
// Stored with its terminating zero, as Windows programs expect of REG_SZ.
bool writeText(RegistryKey& key, const std::string& name, const std::string& text);

// Little-endian 32-bit words of a binary record.
std::uint32_t wordAt(const std::vector<std::uint8_t>& data, std::size_t index);
void appendWord(std::vector<std::uint8_t>& data, std::uint32_t value);
