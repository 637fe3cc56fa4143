// Run by setup_e2e.sh inside a prefix the setup program has just installed into: the
// installed Brellix.exe starts from its folder with the plug-in beside it, shows its
// main window and leaves through the tray menu's Exit; the settings it keeps stay in
// the registry and the account file beside it. Argument: the installed program's path.
#include "e2e_program.h"

namespace {

std::string installedProgram;

constexpr DWORD kPlainProfile = 0xF820000B; // not a first start, the plug-in on
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;

} // namespace

TEST(installedProgram, startsFromItsFolderAndExitsThroughTheTrayMenu)
{
    ASSERT_FALSE(installedProgram.empty()) << "usage: installed_program_check <Brellix.exe>";
    e2e::freshProfile(kPlainProfile);
    const std::string folder = installedProgram.substr(0, installedProgram.find_last_of('\\') + 1);
    const std::string accounts = folder + "Mail.Brellix";
    DeleteFileA(accounts.c_str());
    {
        e2e::Program program("\"" + installedProgram + "\" /pref E2E");
        ASSERT_TRUE(program.started()) << installedProgram;
        HWND main = program.mainWindow(kStartTimeoutMs);
        ASSERT_NE(main, nullptr) << "no main window";
        // The start-up chain loads the plug-in after the main window shows.
        EXPECT_TRUE(e2e::waitUntil([] { return FindWindowA(nullptr, "Mail Tray") != nullptr; }))
            << "the plug-in beside the program did not start";
        e2e::exitThroughTrayMenu(main);
        DWORD exitCode = 1;
        ASSERT_TRUE(program.waitForExit(kExitTimeoutMs, exitCode)) << "did not exit";
        EXPECT_EQ(exitCode, 0u);
    }
    EXPECT_EQ(e2e::readDword("Booleans"), kPlainProfile);
    // The plug-in, loaded from the installed folder, saves its accounts there at exit.
    EXPECT_NE(GetFileAttributesA(accounts.c_str()), INVALID_FILE_ATTRIBUTES) << accounts;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        installedProgram = argv[1];
    return RUN_ALL_TESTS();
}
