#include "renewo/due_test.h"

#include <gtest/gtest.h>

using renewo::isCheckDue;
using renewo::kRegDword;

namespace {

std::vector<unsigned char> dword(std::uint32_t v)
{
    return {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
            static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
}

constexpr std::int32_t kNow = 1700000000;

} // namespace

TEST(renewoDueTest, dueOnlyAfterTheWholeIntervalHasPassed)
{
    struct Case {
        std::uint32_t code;
        std::int32_t interval;
    };
    for (const Case c : {Case{2, 86400}, Case{3, 604800}, Case{4, 2592000}}) {
        EXPECT_FALSE(isCheckDue(true, kRegDword, dword(kNow - c.interval), c.code, kNow))
            << "code " << c.code << ": exactly one interval old";
        EXPECT_TRUE(isCheckDue(true, kRegDword, dword(kNow - c.interval - 1), c.code, kNow))
            << "code " << c.code << ": one second more";
        EXPECT_FALSE(isCheckDue(true, kRegDword, dword(kNow - 1), c.code, kNow));
    }
}

TEST(renewoDueTest, undefinedIntervalCodesCountAsADay)
{
    for (std::uint32_t code : {0u, 5u, 6u, 7u}) {
        EXPECT_FALSE(isCheckDue(true, kRegDword, dword(kNow - 86400), code, kNow)) << code;
        EXPECT_TRUE(isCheckDue(true, kRegDword, dword(kNow - 86401), code, kNow)) << code;
    }
}

TEST(renewoDueTest, codeOneIsAlwaysDue)
{
    EXPECT_TRUE(isCheckDue(true, kRegDword, dword(kNow), 1, kNow));
}

TEST(renewoDueTest, aMissingOrMalformedTimeMakesTheCheckDue)
{
    EXPECT_TRUE(isCheckDue(false, 0, {}, 2, kNow));
    EXPECT_TRUE(isCheckDue(true, 3 /* binary */, dword(kNow), 2, kNow));
    EXPECT_TRUE(isCheckDue(true, 1 /* text */, dword(kNow), 2, kNow));
    std::vector<unsigned char> eight = dword(kNow);
    eight.resize(8);
    EXPECT_TRUE(isCheckDue(true, kRegDword, eight, 2, kNow));
    EXPECT_TRUE(isCheckDue(true, kRegDword, {1, 2}, 2, kNow));
}

TEST(renewoDueTest, timesNearTheEndsOfTheRangeDoNotWrap)
{
    // The largest stored time plus a month must not wrap to a negative time and look old.
    EXPECT_FALSE(isCheckDue(true, kRegDword, dword(0x7fffffff), 4, kNow));
    // A stored time before 1970 (read as signed) is simply old.
    EXPECT_TRUE(isCheckDue(true, kRegDword, dword(0x80000000u), 2, kNow));
}
