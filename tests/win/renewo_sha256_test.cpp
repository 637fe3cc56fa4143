// SHA-256 through both of the system's interfaces, against the standard test vectors
// (FIPS 180-2): the empty message, "abc", the two-block 448-bit message, and a million
// "a" to cross many update blocks.
#include "renewo/sha256_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace renewo;

namespace {

struct Vector {
    std::string message;
    const char* digest;
};

const std::vector<Vector>& vectors()
{
    static const std::vector<Vector> all = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    return all;
}

using Sha256 = bool (*)(const char*, std::uint32_t, Sha256Bytes&);

void expectVectors(Sha256 sha256)
{
    for (const Vector& v : vectors()) {
        Sha256Bytes digest{};
        ASSERT_TRUE(sha256(v.message.data(), static_cast<std::uint32_t>(v.message.size()), digest))
            << v.message.size() << " bytes";
        EXPECT_EQ(lowerHex(digest, kSha256Bytes), v.digest) << v.message.size() << " bytes";
    }
}

} // namespace

TEST(renewoSha256, bcryptGivesTheStandardDigests)
{
    expectVectors(sha256WithBCrypt);
}

TEST(renewoSha256, cryptoApiGivesTheStandardDigests)
{
    expectVectors(sha256WithCryptoApi);
}

TEST(renewoSha256, theInstallerDigestIsLowerCaseHexAndTellsOneBitApart)
{
    SystemDigest system;
    std::string hex;
    ASSERT_TRUE(system.sha256("abc", 3, hex));
    EXPECT_EQ(hex, vectors()[1].digest);
    std::string other;
    ASSERT_TRUE(system.sha256("abb", 3, other));
    EXPECT_NE(other, hex);
}
