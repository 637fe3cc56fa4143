#include "renewo/paths.h"

#include <gtest/gtest.h>

using namespace renewo;

TEST(renewoInstallerFileName, isTheTextAfterTheLastSlash)
{
    EXPECT_EQ(installerFileName("http://host/dir/setup-2.7.exe"), "setup-2.7.exe");
    EXPECT_EQ(installerFileName("setup.exe"), "setup.exe");
    EXPECT_EQ(installerFileName("http://host/dir/"), "");
}

TEST(renewoInstallerPath, keepsTheNamePlainInsideTheFolder)
{
    std::string path = "unchanged";
    EXPECT_TRUE(installerPathFor("C:\\Down\\", "setup.exe", path));
    EXPECT_EQ(path, "C:\\Down\\setup.exe");
    EXPECT_TRUE(installerPathFor("C:\\Down", "setup.exe", path));
    EXPECT_EQ(path, "C:\\Down\\setup.exe");
    path = "unchanged";
    for (const char* bad : {"", ".", "..", "..\\..\\Windows\\evil.exe", "C:evil.exe",
                            "setup.exe?session=1", "a\"b", "tab\there", "a|b"}) {
        EXPECT_FALSE(installerPathFor("C:\\Down\\", bad, path)) << bad;
    }
    EXPECT_EQ(path, "unchanged");
    EXPECT_FALSE(installerPathFor("", "setup.exe", path));
}

TEST(renewoInstallerPath, refusesPathsLongerThanTheRecordHolds)
{
    const std::string folder = "C:\\" + std::string(240, 'f') + "\\"; // 244 characters
    std::string path;
    EXPECT_TRUE(installerPathFor(folder, std::string(13, 'n'), path));
    EXPECT_EQ(path.size(), 257u);
    path = "unchanged";
    EXPECT_FALSE(installerPathFor(folder, std::string(14, 'n'), path));
    EXPECT_EQ(path, "unchanged");
}

TEST(renewoFolders, preselectionDropsTheBackslashExceptAtARoot)
{
    EXPECT_EQ(preselectionOf("C:\\Program Files\\"), "C:\\Program Files");
    EXPECT_EQ(preselectionOf("C:\\"), "C:\\");
    EXPECT_EQ(preselectionOf("C:\\Tools"), "C:\\Tools");
    EXPECT_EQ(preselectionOf(""), "");
    EXPECT_EQ(withTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
    EXPECT_EQ(withTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(folderOf("C:\\Program Files\\Brellix\\Brellix.exe"), "C:\\Program Files\\Brellix\\");
    EXPECT_EQ(folderOf("Brellix.exe"), "");
}
