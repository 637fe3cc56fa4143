// Starts the real program under a fresh profile, answers its welcome, lets it measure,
// leaves it through the tray menu's Exit and checks what it stored; then starts it
// again and checks that it comes back where and as it was left.
#include "meter/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

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

constexpr const char* kSheetCaption = "Brellix - Preferences";
constexpr int kApplyButton = 0x3021;

template <typename Done> bool waitUntil(Done done)
{
    for (int i = 0; i < 300; ++i) {
        if (done())
            return true;
        Sleep(50);
    }
    return done();
}

HWND preferencesSheet()
{
    HWND sheet = nullptr;
    waitUntil([&] {
        sheet = FindWindowA("#32770", kSheetCaption);
        return sheet != nullptr && IsWindowVisible(sheet);
    });
    return sheet;
}

// Shows page `index` of the sheet and answers its window.
HWND sheetPage(HWND sheet, int index)
{
    PostMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    HWND page = nullptr;
    waitUntil([&] {
        page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page != nullptr &&
               SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0) == index;
    });
    return page;
}

bool applyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

// Sheet buttons are pressed by a posted message: a sent one from another thread hangs.
void pressSheetButton(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

bool sheetCloses(HWND sheet)
{
    return waitUntil([&] { return !IsWindow(sheet); });
}

// Every value of the profile key, by name, with its type and bytes.
std::vector<std::pair<std::string, std::vector<BYTE>>> profileValues()
{
    std::vector<std::pair<std::string, std::vector<BYTE>>> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        BYTE data[4096];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> bytes(data, data + dataSize);
        bytes.push_back(static_cast<BYTE>(type));
        values.emplace_back(name, bytes);
    }
    RegCloseKey(key);
    return values;
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

TEST(endToEnd, alwaysOnTopWithOkMakesTheWindowTopmostAndStoresIt)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    PostMessageA(main, WM_COMMAND, ID_TRAY_PREFERENCES, 0);
    HWND sheet = preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 0);
    PostMessageA(GetDlgItem(page, IDC_OPT_ON_TOP), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));

    EXPECT_TRUE(
        waitUntil([&] { return (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_EQ(readDword("Booleans") & 0x4u, 0x4u); // stored at once
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    deleteProfile();
}

TEST(endToEnd, updateTimesSliderReachesTheStoredTimerTimes)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_COMMAND, ID_TRAY_PREFERENCES, 0);
    HWND sheet = preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 5);
    HWND slider = GetDlgItem(page, IDC_TIM_DRIVE);
    SendMessageA(slider, TBM_SETPOS, TRUE, 4);
    PostMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 4),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);

    DWORD type = 0;
    std::vector<BYTE> times;
    EXPECT_TRUE(waitUntil([&] { return readValue("Timer Times", type, times); }));
    ASSERT_EQ(times.size(), 12u);
    EXPECT_EQ(times[0] | times[1] << 8, 120); // position 4: two minutes
    EXPECT_EQ(times[4], 1);
    EXPECT_EQ(times[8], 5);
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    deleteProfile();
}

TEST(endToEnd, applyThenCancelKeepsTheAppliedChange)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);

    PostMessageA(main, WM_COMMAND, ID_TRAY_PREFERENCES, 0);
    HWND sheet = preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = sheetPage(sheet, 0);
    PostMessageA(GetDlgItem(page, IDC_OPT_START_HIDDEN), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(waitUntil([&] { return !applyEnabled(sheet); }));
    pressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(sheetCloses(sheet));

    EXPECT_EQ(readDword("Booleans") & 0x10u, 0x10u); // "Start hidden" as applied
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    EXPECT_EQ(readDword("Booleans") & 0x10u, 0x10u);
    deleteProfile();
}

TEST(endToEnd, okWithoutChangesLeavesTheRegistryAlone)
{
    freshProfile(0xF820000B);
    Program program;
    ASSERT_TRUE(program.started());
    HWND main = program.mainWindow(30000);
    ASSERT_NE(main, nullptr);
    const auto before = profileValues();

    PostMessageA(main, WM_COMMAND, ID_TRAY_PREFERENCES, 0);
    HWND sheet = preferencesSheet();
    ASSERT_NE(sheet, nullptr);
    sheetPage(sheet, 1);
    EXPECT_FALSE(applyEnabled(sheet));
    pressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(sheetCloses(sheet));
    // The main window answers only once whatever the sheet handed over is stored.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    EXPECT_EQ(profileValues(), before);

    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    ASSERT_TRUE(program.waitForExit(15000, exitCode));
    deleteProfile();
}
