#pragma once
// The account file on disk. A save writes a temporary file beside the real one, flushes
// it and moves it over the old file in one step, so that a crash or a full disk leaves
// either the old file or the new one, never a mixture.
#include "mail/account_store.h"

namespace mail {

class WinAccountFiles : public AccountFiles {
public:
    bool read(const std::string& path, std::string& bytes) override;
    bool replace(const std::string& path, const std::string& bytes) override;
    bool keepAside(const std::string& path, const std::string& aside) override;
};

// The largest account file read: far beyond any real one, and still loadable in a
// 32-bit process.
constexpr unsigned long long kLargestAccountFile = 512ull << 20;

} // namespace mail
