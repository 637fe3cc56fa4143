#pragma once
// When a check is due: the library keeps the time of the last completed check in the
// caller's settings key and checks again only after the chosen interval.
#include <cstdint>
#include <vector>

namespace renewo {

constexpr const char* kLastCheckValueName = "Renewo LastCheck";
constexpr std::uint32_t kRegDword = 4; // the registry's REG_DWORD type

// The caller's settings key, as far as the update checker uses it.
class SettingsValues {
public:
    virtual ~SettingsValues() = default;
    // False when the value does not exist or cannot be read.
    virtual bool query(const char* name, std::uint32_t& type, std::vector<unsigned char>& data) = 0;
    virtual void setDword(const char* name, std::uint32_t value) = 0;
};

// Seconds between checks for an interval code; 0 for code 1 (every call). Codes
// nobody defined count as a day.
std::int64_t intervalSeconds(std::uint32_t intervalCode);

// The check is due unless a well-formed LastCheck (a 4-byte REG_DWORD, read as signed
// seconds since 1970) plus the interval is still at or after now.
bool isCheckDue(bool present, std::uint32_t type, const std::vector<unsigned char>& data,
                std::uint32_t intervalCode, std::int32_t now);

} // namespace renewo
