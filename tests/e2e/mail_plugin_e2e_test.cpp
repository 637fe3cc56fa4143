// Brellix.exe with Mail.dll beside it: the plug-in's host items come back as message
// 6024, and the plug-in is loaded only while its option is on. Whether the plug-in
// was loaded shows in its account file, which the program has it save at exit.
#include "e2e_program.h"

using namespace e2e;

namespace {

constexpr DWORD kPluginOn = 0xF820000B;   // a plain profile, not a first start
constexpr DWORD kNoMailPlugin = 1u << 15; // "Use e-mail plug-in" off
constexpr WPARAM kOtherItem = 12;         // not one of the program's items

std::string accountFileBesideProgram()
{
    const std::string program = programPath();
    return program.substr(0, program.find_last_of('\\') + 1) + "Mail.Brellix";
}

// Answers of the main window to a host item, as the plug-in's message arrives.
LRESULT sendHostItem(HWND main, WPARAM id)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(main, WMU_PLUGIN_COMMAND, id, 0, SMTO_ABORTIFHUNG, 10000, &result);
    return static_cast<LRESULT>(result);
}

} // namespace

TEST(mailPluginE2E, exitItemEndsTheProgramAndThePluginSavesItsAccounts)
{
    freshProfile(kPluginOn);
    const std::string accounts = accountFileBesideProgram();
    DeleteFileA(accounts.c_str());

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    Sleep(1000); // the start-up chain reaches the plug-in step

    // An item the program does not know is answered and changes nothing.
    EXPECT_EQ(sendHostItem(main, kOtherItem), 1);
    DWORD exitCode = 1;
    EXPECT_FALSE(program.waitForExit(500, exitCode));

    PostMessageA(main, WMU_PLUGIN_COMMAND, PLUGIN_ITEM_EXIT, 0);
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    // No accounts yet: the file holds their count, 0.
    HANDLE file = CreateFileA(accounts.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "the plug-in saved no account file";
    EXPECT_EQ(GetFileSize(file, nullptr), 4u);
    CloseHandle(file);
    DeleteFileA(accounts.c_str());
    deleteProfile();
}

TEST(mailPluginE2E, withThePluginOptionOffNothingIsLoaded)
{
    freshProfile(kPluginOn | kNoMailPlugin);
    const std::string accounts = accountFileBesideProgram();
    DeleteFileA(accounts.c_str());

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    Sleep(1000);
    PostMessageA(main, WMU_PLUGIN_COMMAND, PLUGIN_ITEM_EXIT, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(GetFileAttributesA(accounts.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the plug-in was loaded although its option is off";
    deleteProfile();
}
