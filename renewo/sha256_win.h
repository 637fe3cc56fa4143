#pragma once
// SHA-256 through the system's cryptography: the CNG functions of bcrypt.dll where
// the system has them (Vista and later), else CryptoAPI's AES provider (XP SP3).
#include "renewo/installer_digest.h"

namespace renewo {

using Sha256Bytes = unsigned char[kSha256Bytes];

// Each is false when its interface is missing or fails.
bool sha256WithBCrypt(const char* data, std::uint32_t size, Sha256Bytes& digest);
bool sha256WithCryptoApi(const char* data, std::uint32_t size, Sha256Bytes& digest);

class SystemDigest : public InstallerDigest {
public:
    bool sha256(const char* data, std::uint32_t size, std::string& hex) override;
};

} // namespace renewo
