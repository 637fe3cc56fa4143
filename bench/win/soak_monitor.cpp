// The Windows half of the soak run (scripts/soak). Four commands:
//   prepare PROFILE [LOGS]
//                    writes a profile: drive timer 60 s, both usage timers 1 s, every
//                    meter Wine can feed active on usage timer 1, no welcome message;
//                    with LOGS (a folder), also the ping meter on 127.0.0.1, and the
//                    drive meter and the CPU graph logging every update into LOGS,
//                    unbuffered (the ping meter keeps no log).
//   sample           finds the running Brellix and prints one line of its resources.
//   idle             shows an empty window and waits: the idle Wine process the CPU
//                    share of Brellix is compared with.
//   watch            prints each new-mail dialog of the mail plug-in as it appears
//                    ("t=<seconds since 1970> text=<its text>") and closes it, until
//                    killed.
//   exit             asks the running Brellix to exit the way the mail plug-in's
//                    "E&xit Brellix" does, so that it saves and the plug-in saves its
//                    accounts.
//
// What Wine answers for another process is checked rather than assumed: GetGuiResources
// is reported as the system gives it (and flagged when it fails), and the GDI objects
// are also counted directly in the process's own handle table, a way that is first
// proved on this process.
#include "bench/win/feedable_meters.h"
#include "mail/plugin/res/resource.h"
#include "meter/measure/perf_data_reader_win.h"
#include "meter/measure/process_times_win.h"
#include "meter/measure/win_ping_factory.h"
#include "meter/res/resource.h"
#include "meter/settings_store.h"
#include "meter/shell_tray.h"
#include "meter/volumes/win_alert_actions.h"
#include "meter/volumes/win_free_resources.h"
#include "meter/volumes/win_volume_system.h"
#include "meter/win32_registry_key.h"

#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- prepare ------------------------------------------------------------------------

// The ping meter on loopback; the drive meter and the CPU graph each writing a record at
// every update.
void addLoggingMeters(AppSettings& settings, MeterSet& meters, const std::string& logFolder)
{
    settings.logFilesFolder = logFolder;
    if (settings.logFilesFolder.back() != '\\')
        settings.logFilesFolder += '\\';
    settings.logFileBuffer = 0; // each record goes to the file at once
    auto& ping = static_cast<PingOptions&>(meters.byKind(MeterKind::Ping).options());
    ping.setActive(true);
    ping.setTimer(1);
    ping.setTimeout(1000);
    ping.setHost(0, "127.0.0.1");
    ping.setHost(1, "");
    meters.byKind(MeterKind::Cpu).options().setLogToFile(true);
    auto& drive = static_cast<DriveOptions&>(meters.byKind(MeterKind::Drive).options());
    drive.setActive(true);
    drive.setLogToFile(true);
    drive.setLogInterval(1);
}

int prepare(const std::string& profile, const std::string& logFolder)
{
    AppSettings settings;
    settings.resetDefaults("C:\\");
    settings.setFlag(Booleans::kFirstRun, false);
    settings.timerSeconds = {60, 1, 1};

    WinVolumeSystem volumes;
    WinAlertActions alerts;
    ShellTrayNotifier tray(GetModuleHandleA(nullptr));
    WinFreeResources resources;
    const auto ping = makeWinPingNetwork(false); // the ping meter stays off here
    RegistryPerfDataReader perfData;
    SystemProcessTimes processTimes;
    MeterSet meters(
        settings, PlatformFamily::NT,
        {volumes, alerts, tray, resources, *ping, perfData, processTimes, narrowToAnsiCodePage});
    activateFeedableMeters(meters);
    if (!logFolder.empty())
        addLoggingMeters(settings, meters, logFolder);

    WindowPlacement placement;
    std::unique_ptr<Win32RegistryKey> root = Win32RegistryKey::root(HKEY_CURRENT_USER);
    const bool saved =
        saveSettings(*root, {profile, "C:\\"}, settings,
                     {&placement, &meters.order(), meters.optionsTable(), PlatformFamily::NT});
    if (!saved) {
        std::fprintf(stderr, "prepare: cannot write the profile %s\n", profile.c_str());
        return 1;
    }
    // No stored placement: the program sizes its window to its meters, as on a first run.
    HKEY key = nullptr;
    const std::string path = settingsKeyPath(profile, true);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        for (const char* name : {"X", "Y", "CX", "CY"})
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    std::printf("prepared HKCU\\%s\n", path.c_str());
    return 0;
}

// ---- sample -------------------------------------------------------------------------

bool hasMeterChild(HWND window)
{
    return FindWindowExA(window, nullptr, "BrellixMeter", nullptr) != nullptr;
}

BOOL CALLBACK findMain(HWND window, LPARAM found)
{
    char className[64] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 && std::strcmp(title, "Brellix") == 0 &&
        hasMeterChild(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    int count;
};

BOOL CALLBACK countChild(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == c->pid)
        ++c->count;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM param)
{
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == c->pid) {
        ++c->count;
        EnumChildWindows(window, countChild, param);
    }
    return TRUE;
}

// Every window of the process, top-level and child: the USER objects that can be
// counted from outside when the system does not report them.
int countWindows(DWORD pid)
{
    WindowCount c{pid, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

// The process's GDI handle table, found through its process environment block. Each
// entry is 24 bytes; the byte at offset 14 holds the object type, 0 for a free entry.
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiTypeOffset = 14;

// Where the pointer to the table lies, relative to the block that
// ProcessBasicInformation names, and how wide it is. A 32-bit process that Wine runs
// on a 64-bit system keeps the pointer in its 64-bit block: the thread's GDI batch
// count field then holds the address of the 64-bit thread block, whose 64-bit process
// block lies at a fixed distance from the 32-bit one. The layout is taken from this
// process, and trusted for another only because both run on the same Wine.
struct TableLocation {
    LONG_PTR offset = 0;
    std::size_t width = 0;
};

TableLocation locateTableInSelf()
{
    TableLocation where;
#ifdef _WIN64
    where.offset = 0xF8;
    where.width = 8;
#else
    // Through ntdll's export: the compiler's inline segment read trips its own bounds check.
    using CurrentTeb = void*(WINAPI*)();
    const auto currentTeb = reinterpret_cast<CurrentTeb>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtCurrentTeb")));
    if (currentTeb == nullptr)
        return where;
    const auto* teb = static_cast<const unsigned char*>(currentTeb());
    const auto* peb = static_cast<const TEB*>(currentTeb())->ProcessEnvironmentBlock;
    DWORD teb64 = 0;
    std::memcpy(&teb64, teb + 0xF70, sizeof teb64);
    if (teb64 == 0) {
        where.offset = 0x94;
        where.width = 4;
        return where;
    }
    unsigned long long peb64 = 0;
    std::memcpy(&peb64, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(teb64) + 0x60),
                sizeof peb64);
    where.offset = static_cast<LONG_PTR>(static_cast<long long>(peb64) -
                                         static_cast<long long>(reinterpret_cast<ULONG_PTR>(peb))) +
                   0xF8;
    where.width = 8;
#endif
    return where;
}

using QueryInformationProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);

// -1 when the table cannot be read.
long countGdiObjects(HANDLE process)
{
    static const auto query = reinterpret_cast<QueryInformationProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    static const TableLocation where = locateTableInSelf();
    if (query == nullptr)
        return -1;
    PROCESS_BASIC_INFORMATION info{};
    if (query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return -1;
    unsigned long long table = 0;
    SIZE_T read = 0;
    const auto* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
    if (where.width == 0 ||
        !ReadProcessMemory(process, peb + where.offset, &table, where.width, &read) || table == 0 ||
        table > static_cast<unsigned long long>(static_cast<ULONG_PTR>(-1)))
        return -1;
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<ULONG_PTR>(table)),
                           entries.data(), entries.size(), &read) ||
        read != entries.size())
        return -1;
    long used = 0;
    for (std::size_t i = 0; i < kGdiEntries; ++i)
        if (entries[i * kGdiEntrySize + kGdiTypeOffset] != 0)
            ++used;
    return used;
}

// The table count is trusted only if it sees this process's own new objects come and go.
bool gdiTableCountWorks()
{
    HANDLE self = GetCurrentProcess();
    const long before = countGdiObjects(self);
    if (before < 0)
        return false;
    constexpr int kProbe = 16;
    HBRUSH brushes[kProbe];
    for (int i = 0; i < kProbe; ++i)
        brushes[i] = CreateSolidBrush(RGB(i, 2 * i, 3 * i));
    const long during = countGdiObjects(self);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    const long after = countGdiObjects(self);
    return during == before + kProbe && after == before;
}

// The handles the system lists for a process (SystemHandleInformation), for when
// GetProcessHandleCount does not know; -1 when the list cannot be had.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    void* object;
    ULONG access;
};

struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

long countHandles(DWORD pid)
{
    static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return -1;
    constexpr ULONG kSystemHandleInformation = 16;
    constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
    std::vector<unsigned char> buffer(1 << 16);
    LONG status;
    for (;;) {
        ULONG needed = 0;
        status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                       &needed);
        if (status != kInfoLengthMismatch || buffer.size() >= (64u << 20))
            break;
        buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
    }
    if (status != 0)
        return -1;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof count);
    const std::size_t first = offsetof(HandleList, entries);
    if (first + count * sizeof(HandleEntry) > buffer.size())
        return -1;
    long owned = 0;
    for (ULONG i = 0; i < count; ++i) {
        HandleEntry entry;
        std::memcpy(&entry, buffer.data() + first + i * sizeof entry, sizeof entry);
        if (entry.ownerPid == pid)
            ++owned;
    }
    return owned;
}

// Likewise trusted only if it sees this process's own new handles.
bool handleListWorks()
{
    const DWORD self = GetCurrentProcessId();
    const long before = countHandles(self);
    if (before < 0)
        return false;
    constexpr int kProbe = 16;
    HANDLE events[kProbe];
    for (HANDLE& event : events)
        event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const long during = countHandles(self);
    for (HANDLE event : events)
        CloseHandle(event);
    const long after = countHandles(self);
    return during == before + kProbe && after == before;
}

int sample()
{
    HWND main = nullptr;
    EnumWindows(findMain, reinterpret_cast<LPARAM>(&main));
    if (main == nullptr) {
        std::fprintf(stderr, "sample: no Brellix window\n");
        return 1;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (process == nullptr) {
        std::fprintf(stderr, "sample: cannot open process %lu (%lu)\n", pid, GetLastError());
        return 1;
    }

    SetLastError(0);
    const DWORD gdiApi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD gdiApiError = GetLastError();
    SetLastError(0);
    const DWORD userApi = GetGuiResources(process, GR_USEROBJECTS);
    const DWORD userApiError = GetLastError();

    DWORD handles = 0;
    const bool handlesKnown = GetProcessHandleCount(process, &handles) != FALSE;

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    const bool memoryKnown =
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory) != FALSE;

    const long gdiTable = gdiTableCountWorks() ? countGdiObjects(process) : -1;
    const int windows = countWindows(pid);
    const long handleList = handleListWorks() ? countHandles(pid) : -1;

    std::printf(
        "pid=%lu gdi_api=%lu gdi_api_error=%lu user_api=%lu user_api_error=%lu "
        "gdi_table=%ld windows=%d handles=%ld handle_list=%ld private_kb=%ld pagefile_kb=%ld "
        "working_set_kb=%ld\n",
        pid, gdiApi, gdiApiError, userApi, userApiError, gdiTable, windows,
        handlesKnown ? static_cast<long>(handles) : -1L, handleList,
        memoryKnown ? static_cast<long>(memory.PrivateUsage / 1024) : -1L,
        memoryKnown ? static_cast<long>(memory.PagefileUsage / 1024) : -1L,
        memoryKnown ? static_cast<long>(memory.WorkingSetSize / 1024) : -1L);
    CloseHandle(process);
    return 0;
}

// ---- idle ---------------------------------------------------------------------------

int idle()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BrellixSoakIdle";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Idle", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  600, 20, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
    if (window == nullptr)
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

// ---- watch -------------------------------------------------------------------------

BOOL CALLBACK findNotice(HWND window, LPARAM found)
{
    char className[64] = {};
    char title[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") == 0 &&
        std::strcmp(title, "Brellix - Notification") == 0 && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The plug-in shows one dialog at a time and a later notice replaces it, so the notices
// of one account are caught only while no other account's notice follows within the
// polling interval; the soak spaces the accounts' checks by seconds.
int watch()
{
    for (;;) {
        std::vector<HWND> notices;
        EnumWindows(findNotice, reinterpret_cast<LPARAM>(&notices));
        for (HWND notice : notices) {
            char text[256] = {};
            SendMessageA(GetDlgItem(notice, IDC_NEW_MAIL_TEXT), WM_GETTEXT, sizeof text,
                         reinterpret_cast<LPARAM>(text));
            FILETIME now{};
            GetSystemTimeAsFileTime(&now);
            const ULONGLONG ticks = (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
            const double unixSeconds = double(ticks - 116444736000000000ULL) / 1e7;
            std::printf("t=%.3f text=%s\n", unixSeconds, text);
            std::fflush(stdout);
            SendMessageA(notice, WM_COMMAND, IDOK, 0);
        }
        Sleep(100);
    }
}

int exitBrellix()
{
    HWND main = nullptr;
    EnumWindows(findMain, reinterpret_cast<LPARAM>(&main));
    if (main == nullptr) {
        std::fprintf(stderr, "exit: no Brellix window\n");
        return 1;
    }
    return PostMessageA(main, WMU_PLUGIN_COMMAND, PLUGIN_ITEM_EXIT, 0) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "prepare" && argc > 2)
        return prepare(argv[2], argc > 3 ? argv[3] : "");
    if (command == "watch")
        return watch();
    if (command == "sample")
        return sample();
    if (command == "idle")
        return idle();
    if (command == "exit")
        return exitBrellix();
    std::fprintf(
        stderr,
        "usage: brellix_soak_monitor prepare PROFILE [LOGS] | sample | idle | watch | exit\n");
    return 2;
}
