#pragma once
// The SHA-256 digest a downloaded installer is checked against when the version file
// publishes one. The system's cryptography computes it (sha256_win.h).
#include <cstddef>
#include <cstdint>
#include <string>

namespace renewo {

constexpr std::size_t kSha256Bytes = 32;

class InstallerDigest {
public:
    virtual ~InstallerDigest() = default;
    // The digest of the bytes as 64 lower-case hexadecimal digits; false when it
    // cannot be computed.
    virtual bool sha256(const char* data, std::uint32_t size, std::string& hex) = 0;
};

inline std::string lowerHex(const unsigned char* bytes, std::size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
    return text;
}

} // namespace renewo
