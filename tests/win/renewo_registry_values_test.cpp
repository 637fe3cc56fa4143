#include "renewo/registry_values.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kTestKey = "Software\\BrellixTest\\RenewoValues";

class KeyFixture : public ::testing::Test {
protected:
    HKEY key = nullptr;
    void SetUp() override
    {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
};

// A test file type of our own under HKEY_CLASSES_ROOT (Wine does not merge the user's
// classes into it, so it goes there directly).
void setClass(const std::string& subkey, const std::string& value)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

} // namespace

TEST_F(KeyFixture, lastCheckRoundTripsAsAFourByteDword)
{
    renewo::KeyValues values(key);
    values.setDword(renewo::kLastCheckValueName, 0x80000001u);
    std::uint32_t type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(values.query(renewo::kLastCheckValueName, type, data));
    EXPECT_EQ(type, renewo::kRegDword);
    EXPECT_EQ(data, (std::vector<unsigned char>{0x01, 0x00, 0x00, 0x80}));
}

TEST_F(KeyFixture, otherTypesAndSizesComeBackAsStored)
{
    const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    RegSetValueExA(key, renewo::kLastCheckValueName, 0, REG_BINARY, eight, sizeof eight);
    renewo::KeyValues values(key);
    std::uint32_t type = 0;
    std::vector<unsigned char> data;
    ASSERT_TRUE(values.query(renewo::kLastCheckValueName, type, data));
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_BINARY));
    EXPECT_EQ(data.size(), 8u);
    EXPECT_TRUE(renewo::isCheckDue(true, type, data, 2, 0));
    EXPECT_FALSE(values.query("Renewo Missing", type, data));
}

TEST(renewoClassesRootKeys, readsDefaultValuesWithinTheirLimit)
{
    setClass(".brellixtest", "BrellixTest.Page");
    setClass("BrellixTest.Page\\shell\\open\\command", "\"C:\\b.exe\" \"%1\"");
    renewo::ClassesRootKeys root;
    std::string value;
    ASSERT_TRUE(root.defaultValue(".brellixtest", 40, value));
    EXPECT_EQ(value, "BrellixTest.Page");
    ASSERT_TRUE(root.defaultValue(value + "\\shell\\open\\command", 200, value));
    EXPECT_EQ(value, "\"C:\\b.exe\" \"%1\"");
    EXPECT_FALSE(root.defaultValue(".brellixtest", 10, value)) << "longer than its limit";
    EXPECT_FALSE(root.defaultValue(".brellixtest-none", 40, value));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrellixTest.Page\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrellixTest.Page\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrellixTest.Page\\shell");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "BrellixTest.Page");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".brellixtest");
}
