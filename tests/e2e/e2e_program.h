#pragma once
// What the whole-program scenarios share: the real Brellix.exe started under a profile
// of the tests' own, its windows found, the profile's registry values read and written,
// and the preferences sheet driven by posted messages.
#include "meter/res/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

inline constexpr const char* kProfileKey = "Software\\Brellix\\E2E";
inline constexpr const char* kCloseQuestion =
    "Do you want to exit Brellix or hide the main window?";

inline std::string programPath()
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
    Program() : Program("\"" + programPath() + "\" /pref E2E") {}
    // Another program, or this one elsewhere, by its whole command line.
    explicit Program(std::string command)
    {
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

inline void deleteProfile()
{
    HKEY parent;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brellix", 0, KEY_ALL_ACCESS, &parent) ==
        ERROR_SUCCESS) {
        RegDeleteKeyA(parent, "E2E");
        RegCloseKey(parent);
    }
}

inline bool readValue(const char* name, DWORD& type, std::vector<BYTE>& data)
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

inline DWORD readDword(const char* name)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!readValue(name, type, data) || type != REG_DWORD || data.size() != 4)
        return 0xDEADBEEF;
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
}

inline void writeDword(const char* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

inline void writeBinary(const char* name, const std::vector<BYTE>& data)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

inline void writeOrder(const std::vector<int>& kinds)
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
inline void freshProfile(DWORD booleans)
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
inline int meterTop(HWND main, const char* windowName)
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
inline bool becomesVisible(HWND window, bool visible)
{
    for (int i = 0; i < 100; ++i) {
        if ((IsWindowVisible(window) != FALSE) == visible)
            return true;
        Sleep(50);
    }
    return false;
}

inline void exitThroughTrayMenu(HWND main)
{
    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
}

// Leaves through the tray menu's Exit; true when the program ended in time.
inline bool exitsThroughTrayMenu(const Program& program, HWND main)
{
    exitThroughTrayMenu(main);
    DWORD exitCode = 1;
    return program.waitForExit(15000, exitCode);
}

inline constexpr const char* kSheetCaption = "Brellix - Preferences";
inline constexpr int kApplyButton = 0x3021;

template <typename Done> inline bool waitUntil(Done done)
{
    for (int i = 0; i < 300; ++i) {
        if (done())
            return true;
        Sleep(50);
    }
    return done();
}

inline HWND preferencesSheet()
{
    HWND sheet = nullptr;
    waitUntil([&] {
        sheet = FindWindowA("#32770", kSheetCaption);
        return sheet != nullptr && IsWindowVisible(sheet);
    });
    return sheet;
}

// Opens the preferences as the tray menu does; the sheet, or null when it did not come.
inline HWND openPreferencesFromTray(HWND main)
{
    PostMessageA(main, WM_COMMAND, ID_TRAY_PREFERENCES, 0);
    return preferencesSheet();
}

// Shows page `index` of the sheet and answers its window.
inline HWND sheetPage(HWND sheet, int index)
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

inline bool applyEnabled(HWND sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet, kApplyButton)) != FALSE;
}

// Sheet buttons are pressed by a posted message: a sent one from another thread hangs.
inline void pressSheetButton(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

inline bool sheetCloses(HWND sheet)
{
    return waitUntil([&] { return !IsWindow(sheet); });
}

// Every value of the profile key, by name, with its type and bytes.
inline std::vector<std::pair<std::string, std::vector<BYTE>>> profileValues()
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

} // namespace e2e
