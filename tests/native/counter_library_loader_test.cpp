#include "tests/native/scripted_counter_library.h"

#include <gtest/gtest.h>

TEST(CounterLibraryLoader, prefersTheSystemFolderThenThePlainName)
{
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform(pdh);
    platform.present = {"PDH.DLL"};
    CounterLibraryLoader loader(platform);
    ASSERT_TRUE(loader.acquire());
    EXPECT_EQ(platform.loads,
              (std::vector<std::string>{"C:\\WINDOWS\\System32\\PDH.DLL", "PDH.DLL"}));
    EXPECT_NE(loader.library(), nullptr);
    EXPECT_TRUE(platform.errors.empty());
}

TEST(CounterLibraryLoader, loadsOnceAndFreesWithTheLastUse)
{
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform(pdh);
    CounterLibraryLoader loader(platform);
    ASSERT_TRUE(loader.acquire());
    ASSERT_TRUE(loader.acquire());
    EXPECT_EQ(platform.loads.size(), 1u);
    loader.release();
    EXPECT_EQ(platform.frees, 0);
    EXPECT_NE(loader.library(), nullptr);
    loader.release();
    EXPECT_EQ(platform.frees, 1);
    EXPECT_EQ(loader.library(), nullptr);
    loader.release(); // one too many does not free twice
    EXPECT_EQ(platform.frees, 1);

    ASSERT_TRUE(loader.acquire()); // and it can be loaded again
    EXPECT_EQ(platform.loads.size(), 2u);
}

TEST(CounterLibraryLoader, missingLibraryIsReportedOncePerRun)
{
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform(pdh);
    platform.present.clear();
    CounterLibraryLoader loader(platform);
    EXPECT_FALSE(loader.acquire());
    EXPECT_FALSE(loader.acquire());
    EXPECT_EQ(loader.useCount(), 0);
    EXPECT_EQ(loader.library(), nullptr);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Unable to find PDH.DLL. None of the usage meters will be "
                                  "available.\n\nTry re-installing Brellix.");
}
