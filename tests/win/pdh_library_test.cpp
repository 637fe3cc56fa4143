// Loading the system's performance data library and the functions bound from it.
#include "meter/measure/pdh_library_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The system's loader, with a system folder that lacks the library and the message
// box replaced by a record.
class MisplacedSystemFolder : public Win32LibraryPlatform {
public:
    std::string folder = "C:\\no such folder";
    std::vector<std::string> errors;
    std::string systemDirectory() override { return folder; }
    void showError(const std::string& message) override { errors.push_back(message); }
};

} // namespace

TEST(SystemPdhLibrary, plainNameServesWhenTheSystemFolderHasNone)
{
    MisplacedSystemFolder platform;
    CounterLibraryLoader loader(platform);
    ASSERT_TRUE(loader.acquire());
    EXPECT_TRUE(platform.errors.empty());
    ASSERT_NE(loader.library(), nullptr);
    loader.release();
    EXPECT_EQ(loader.library(), nullptr);
}

TEST(SystemPdhLibrary, boundFunctionsAnswerLikeTheLibrary)
{
    Win32LibraryPlatform platform;
    CounterLibraryLoader loader(platform);
    ASSERT_TRUE(loader.acquire());
    CounterLibrary& pdh = *loader.library();

    PdhQueryHandle query = nullptr;
    ASSERT_EQ(pdh.openQuery(&query), kPdhOk);
    ASSERT_NE(query, nullptr);

    PdhCounterHandle missing = nullptr;
    EXPECT_NE(pdh.addCounter(query, "\\No Such Object\\No Such Counter", &missing), kPdhOk);
    EXPECT_EQ(missing, nullptr);

    PdhCounterHandle uptime = nullptr;
    ASSERT_EQ(pdh.addCounter(query, "\\System\\System Up Time", &uptime), kPdhOk);
    ASSERT_EQ(pdh.collectQueryData(query), kPdhOk);
    std::int32_t seconds = -1;
    ASSERT_EQ(pdh.formattedLong(uptime, &seconds), kPdhOk);
    EXPECT_GE(seconds, 0);
    EXPECT_EQ(pdh.removeCounter(uptime), kPdhOk);

    // Newer libraries (this one too) add by English name whatever the system's
    // language.
    ASSERT_TRUE(pdh.hasAddEnglishCounter());
    PdhCounterHandle cpu = nullptr;
    EXPECT_EQ(pdh.addEnglishCounter(query, "\\Processor(_Total)\\% Processor Time", &cpu), kPdhOk);
    EXPECT_NE(cpu, nullptr);
    EXPECT_EQ(pdh.closeQuery(query), kPdhOk);
    loader.release();
}
