#include "renewo/paths.h"

#include <gtest/gtest.h>

#include <cctype>
#include <vector>

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
    EXPECT_TRUE(installerPathFor(folder, std::string(9, 'n') + ".exe", path));
    EXPECT_EQ(path.size(), 257u);
    path = "unchanged";
    EXPECT_FALSE(installerPathFor(folder, std::string(10, 'n') + ".exe", path));
    EXPECT_EQ(path, "unchanged");
}

TEST(renewoInstallerName, acceptsOnlyPlainProgramFileNames)
{
    for (const char* good : {"setup.exe", "SETUP.EXE", "Setup-2.7.0.Exe", "com10.exe", "lpt0.exe",
                             "console.exe", "nully.exe", "con_setup.exe", "my setup.exe"}) {
        EXPECT_TRUE(isInstallerFileName(good)) << good;
    }
    for (const char* bad :
         {"", ".exe", "setup", "wininet.dll", "setup.exe.txt", "setup.exe.", "setup.exe ",
          "setup.ex", "setupexe", "..\\setup.exe", "dir/setup.exe", "C:setup.exe", "setup?.exe"}) {
        EXPECT_FALSE(isInstallerFileName(bad)) << bad;
    }
    std::string path = "unchanged";
    EXPECT_FALSE(installerPathFor("C:\\Down\\", "wininet.dll", path));
    EXPECT_EQ(path, "unchanged");
}

TEST(renewoInstallerName, refusesDeviceNamesWithOrWithoutAnExtension)
{
    std::vector<std::string> devices = {"CON", "PRN", "AUX", "NUL"};
    for (char digit = '1'; digit <= '9'; ++digit) {
        devices.push_back(std::string("COM") + digit);
        devices.push_back(std::string("LPT") + digit);
    }
    for (const std::string& device : devices) {
        std::string lower = device;
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::string mixed = lower.substr(0, 1) + device.substr(1);
        for (const std::string& name : {device, lower + ".exe", device + ".EXE", mixed + ".Exe",
                                        device + ".tar.exe", device + " .exe"}) {
            EXPECT_FALSE(isInstallerFileName(name)) << name;
        }
    }
    EXPECT_FALSE(isInstallerFileName("nul.exe"));
    EXPECT_FALSE(isInstallerFileName("Com1.EXE"));
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
