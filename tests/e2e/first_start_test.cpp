// Starts the real program under a fresh profile, answers its welcome, lets it measure,
// leaves it through the tray menu's Exit and checks what it stored; then starts it
// again and checks that it comes back where and as it was left. Also the close box,
// starting hidden and the hot key.
#include "e2e_program.h"

using namespace e2e;

TEST(endToEnd, firstStartThenRestoredSecondStart)
{
    deleteProfile();
    {
        Program program;
        ASSERT_TRUE(program.started()) << programPath();
        HWND welcome = program.messageBox("Welcome to Brellix v2.6.0", 30000);
        ASSERT_NE(welcome, nullptr) << "no welcome on a first start";
        PostMessageA(welcome, WM_COMMAND, IDOK, 0);

        // The welcome leads to the preferences; cancelled, they change nothing.
        HWND sheet = preferencesSheet();
        ASSERT_NE(sheet, nullptr) << "no preferences after the welcome";
        pressSheetButton(sheet, PSBTN_CANCEL);
        EXPECT_TRUE(sheetCloses(sheet));

        HWND main = program.mainWindow(10000);
        ASSERT_NE(main, nullptr);
        char title[64] = {};
        GetWindowTextA(main, title, sizeof title);
        EXPECT_STREQ(title, "Brellix");
        // The default stack: Uptime above Drive Space above CPU.
        ASSERT_TRUE(waitUntil([&] { return meterTop(main, "CPU") != -1; }));
        EXPECT_LT(meterTop(main, "Uptime"), meterTop(main, "DriveMeter"));
        EXPECT_LT(meterTop(main, "DriveMeter"), meterTop(main, "CPU"));
        EXPECT_EQ(meterTop(main, "NetworkGraph"), -1); // off by default
        Sleep(2500);                                   // a few usage ticks

        exitThroughTrayMenu(main);
        DWORD exitCode = 1;
        ASSERT_TRUE(program.waitForExit(15000, exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    // What the first run left behind.
    EXPECT_EQ(readDword("Booleans"), 0xF820000Bu); // first-run bit cleared
    EXPECT_NE(readDword("X"), 0xDEADBEEFu);
    EXPECT_NE(readDword("CX"), 0xDEADBEEFu);
    DWORD type = 0;
    std::vector<BYTE> order;
    ASSERT_TRUE(readValue("Meter Order", type, order));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(order.size(), 56u);
    EXPECT_EQ(order[0], 11); // Uptime first
    EXPECT_EQ(order[4], 5);  // then Drive Space
    std::vector<BYTE> record;
    ASSERT_TRUE(readValue("Meter Options 2", type, record)); // the CPU graph's position
    EXPECT_EQ(record.size(), 20u);
    EXPECT_EQ(record[4], 0);                                   // kind 0
    EXPECT_FALSE(readValue("Meter Options 13", type, record)); // the placeholder: not saved

    // Move the window and put the CPU graph first; the next start must follow.
    writeDword("X", 123);
    writeDword("Y", 77);
    writeOrder({0, 11, 5, 8, 9, 1, 2, 7, 6, 3, 4, 10, 12, 13});
    {
        Program program;
        ASSERT_TRUE(program.started());
        HWND main = program.mainWindow(30000);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(program.messageBox("Welcome", 500), nullptr); // not a first start any more
        RECT r;
        GetWindowRect(main, &r);
        EXPECT_EQ(r.left, 123);
        EXPECT_EQ(r.top, 77);
        ASSERT_TRUE(waitUntil(
            [&] { return meterTop(main, "CPU") != -1 && meterTop(main, "Uptime") != -1; }));
        EXPECT_LT(meterTop(main, "CPU"), meterTop(main, "Uptime"));
        ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    }
    EXPECT_EQ(readDword("X"), 123u);
    deleteProfile();
}

TEST(endToEnd, closeBoxAsksAndRemembersTheAnswer)
{
    freshProfile(0xF820000B); // not a first start: no welcome

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    // The system menu's Hide, and a double-click on the tray icon to come back.
    PostMessageA(main, WM_SYSCOMMAND, IDM_SYS_HIDE, 0);
    EXPECT_TRUE(becomesVisible(main, false));
    PostMessageA(main, WMU_TRAY_NOTIFY, 100, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(becomesVisible(main, true));

    // Hide: the window goes, the program stays.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = program.messageBox(kCloseQuestion, 10000);
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDC_CLOSE_HIDE, 0);
    EXPECT_TRUE(becomesVisible(main, false));

    PostMessageA(main, WMU_TRAY_NOTIFY, 100, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(becomesVisible(main, true));

    // Cancel: nothing happens.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    question = program.messageBox(kCloseQuestion, 10000);
    ASSERT_NE(question, nullptr);
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(main));
    DWORD exitCode = 1;
    EXPECT_FALSE(program.waitForExit(0, exitCode));

    // Exit, remembered: the program ends and closes without asking from now on.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    question = program.messageBox(kCloseQuestion, 10000);
    ASSERT_NE(question, nullptr);
    SendMessageA(GetDlgItem(question, IDC_CLOSE_DONT_ASK), BM_SETCHECK, BST_CHECKED, 0);
    PostMessageA(question, WM_COMMAND, IDC_CLOSE_EXIT, 0);
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    const DWORD booleans = readDword("Booleans");
    EXPECT_EQ(booleans & 0x400u, 0x400u); // close exits
    EXPECT_EQ(booleans & 0x200u, 0u);
    deleteProfile();
}

TEST(endToEnd, startHiddenStaysHiddenUntilShown)
{
    freshProfile(0xF820001B); // "Start hidden", not a first start

    Program program;
    ASSERT_TRUE(program.started());
    // The main window exists but is never shown, even after its first ticks.
    HWND main = nullptr;
    for (int i = 0; i < 300 && main == nullptr; ++i) {
        main = FindWindowA("#32770", "Brellix");
        Sleep(100);
    }
    ASSERT_NE(main, nullptr);
    Sleep(2000);
    EXPECT_FALSE(IsWindowVisible(main));

    PostMessageA(main, WMU_TRAY_NOTIFY, 100, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(becomesVisible(main, true));
    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}

TEST(endToEnd, hotKeyHidesAndShowsTheWindow)
{
    freshProfile(0xF821000B); // hot key on (F10, the default), not a first start

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    Sleep(1000);

    // The About box from the tray menu, closed with its OK button.
    PostMessageA(main, WM_COMMAND, ID_TRAY_ABOUT, 0);
    HWND about = nullptr;
    for (int i = 0; i < 100 && about == nullptr; ++i) {
        about = FindWindowA("#32770", "About Brellix");
        Sleep(50);
    }
    ASSERT_NE(about, nullptr);
    EXPECT_NE(GetDlgItem(about, IDC_ABOUT_WEB_SITE), nullptr);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(about); ++i)
        Sleep(50);
    EXPECT_FALSE(IsWindow(about));

    const auto pressF10 = [] {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_F10;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    };
    SetForegroundWindow(main);
    Sleep(300);
    pressF10(); // the window is in front: the key hides it
    EXPECT_TRUE(becomesVisible(main, false));
    pressF10(); // hidden: the key brings it back
    EXPECT_TRUE(becomesVisible(main, true));

    ASSERT_TRUE(exitsThroughTrayMenu(program, main));
    deleteProfile();
}
