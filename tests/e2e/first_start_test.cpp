// Starts the real program under a fresh profile, answers its welcome, lets it measure,
// leaves it through the tray menu's Exit and checks what it stored; then starts it
// again and checks that it comes back where and as it was left.
#include "meter/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kProfileKey = "Software\\Brellix\\E2E";
constexpr const char* kCloseQuestion = "Do you want to exit Brellix or hide the main window?";

std::string programPath()
{
    // The build passes the program's path on the build machine: drive Z: is its root.
    std::string path = std::string("Z:") + BRELLIX_EXE;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

class Program {
public:
    Program()
    {
        std::string command = "\"" + programPath() + "\" /pref E2E";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    ~Program()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    bool started() const { return started_; }

    // The program's top-level dialogs (its main window, message boxes).
    std::vector<HWND> dialogs() const
    {
        Search search{process_.dwProcessId, {}};
        EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The main window: the dialog holding the meter windows.
    HWND mainWindow(DWORD timeoutMs) const
    {
        return waitFor(timeoutMs, [this]() -> HWND {
            for (HWND d : dialogs())
                if (FindWindowExA(d, nullptr, "BrellixMeter", nullptr) != nullptr)
                    return d;
            return nullptr;
        });
    }

    // A message box whose text contains `text`.
    HWND messageBox(const char* text, DWORD timeoutMs) const
    {
        return waitFor(timeoutMs, [this, text]() -> HWND {
            for (HWND d : dialogs()) {
                HWND child = nullptr;
                while ((child = FindWindowExA(d, child, "Static", nullptr)) != nullptr) {
                    char buffer[512] = {};
                    GetWindowTextA(child, buffer, sizeof buffer);
                    if (std::string(buffer).find(text) != std::string::npos)
                        return d;
                }
            }
            return nullptr;
        });
    }

    bool waitForExit(DWORD timeoutMs, DWORD& exitCode) const
    {
        if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return false;
        GetExitCodeProcess(process_.hProcess, &exitCode);
        return true;
    }

private:
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK collectDialog(HWND hwnd, LPARAM lParam)
    {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        char cls[32] = {};
        GetClassNameA(hwnd, cls, sizeof cls);
        if (pid == search->pid && std::string(cls) == "#32770" && IsWindowVisible(hwnd))
            search->found.push_back(hwnd);
        return TRUE;
    }

    template <typename Find> static HWND waitFor(DWORD timeoutMs, Find find)
    {
        const DWORD start = GetTickCount();
        do {
            if (HWND found = find())
                return found;
            Sleep(100);
        } while (GetTickCount() - start < timeoutMs);
        return nullptr;
    }

    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

void deleteProfile()
{
    HKEY parent;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brellix", 0, KEY_ALL_ACCESS, &parent) ==
        ERROR_SUCCESS) {
        RegDeleteKeyA(parent, "E2E");
        RegCloseKey(parent);
    }
}

bool readValue(const char* name, DWORD& type, std::vector<BYTE>& data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
    data.resize(size);
    if (rc == ERROR_SUCCESS && size > 0)
        rc = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

DWORD readDword(const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!readValue(name, type, data) || type != REG_DWORD || data.size() != 4)
        return 0xDEADBEEF;
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
}

void writeDword(const char* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void writeBinary(const char* name, const std::vector<BYTE>& data)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void writeOrder(const std::vector<int>& kinds)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    std::vector<BYTE> data;
    for (int kind : kinds)
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<BYTE>(kind >> (8 * i)));
    RegSetValueExA(key, "Meter Order", 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

// A profile of the test's own that holds only the flag word.
void freshProfile(DWORD booleans)
{
    deleteProfile();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    writeDword("Booleans", booleans);
}

// The top of a meter window (by its window name) in the main window's client area.
int meterTop(HWND main, const char* windowName)
{
    HWND meter = FindWindowExA(main, nullptr, "BrellixMeter", windowName);
    if (meter == nullptr || !IsWindowVisible(meter))
        return -1;
    RECT r;
    GetWindowRect(meter, &r);
    POINT p{r.left, r.top};
    ScreenToClient(main, &p);
    return p.y;
}

// Waits until the window's visibility is as expected.
bool becomesVisible(HWND window, bool visible)
{
    for (int i = 0; i < 100; ++i) {
        if ((IsWindowVisible(window) != FALSE) == visible)
            return true;
        Sleep(50);
    }
    return false;
}

void exitThroughTrayMenu(HWND main)
{
    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
}

} // namespace

TEST(endToEnd, firstStartThenRestoredSecondStart)
{
    deleteProfile();
    {
        Program program;
        ASSERT_TRUE(program.started()) << programPath();
        HWND welcome = program.messageBox("Welcome to Brellix v2.6.0", 30000);
        ASSERT_NE(welcome, nullptr) << "no welcome on a first start";
        PostMessageA(welcome, WM_COMMAND, IDOK, 0);

        HWND main = program.mainWindow(10000);
        ASSERT_NE(main, nullptr);
        char title[64] = {};
        GetWindowTextA(main, title, sizeof title);
        EXPECT_STREQ(title, "Brellix");
        // The default stack: Uptime above Drive Space above CPU.
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
        EXPECT_LT(meterTop(main, "CPU"), meterTop(main, "Uptime"));
        exitThroughTrayMenu(main);
        DWORD exitCode = 1;
        ASSERT_TRUE(program.waitForExit(15000, exitCode));
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
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
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

    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    deleteProfile();
}

TEST(endToEnd, pingMeterSwitchedOnThroughItsRecord)
{
    freshProfile(0xF820000B);
    // The ping record at its default place (position 12): active, on timer 1, a
    // loopback host that answers and a name that never resolves.
    std::vector<BYTE> record(1620, 0);
    record[0] = 2;     // version
    record[4] = 12;    // kind
    record[8] = 1;     // active
    record[12] = 1;    // usage timer 1
    record[16] = 0xEE; // 750 ms
    record[17] = 0x02;
    const char* hosts[] = {"127.0.0.1", "nowhere.invalid"};
    for (int i = 0; i < 2; ++i)
        std::memcpy(&record[20 + 80 * i], hosts[i], std::strlen(hosts[i]));
    writeBinary("Meter Options 12", record);

    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    HWND ping = FindWindowExA(main, nullptr, "BrellixMeter", "PingMeter");
    ASSERT_NE(ping, nullptr);
    EXPECT_NE(meterTop(main, "PingMeter"), -1);

    // Two rows of the meter font and the frame around them.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE line{};
    GetTextExtentPoint32A(dc, "Xg", 2, &line);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT r;
    GetClientRect(ping, &r);
    EXPECT_EQ(r.bottom - r.top, 2 * line.cy + 13);
    Sleep(2500); // a few pings

    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(exitCode, 0u);
    DWORD type = 0;
    std::vector<BYTE> saved;
    ASSERT_TRUE(readValue("Meter Options 12", type, saved));
    EXPECT_EQ(saved, record); // kept byte for byte
    deleteProfile();
}
