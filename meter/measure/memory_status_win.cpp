#include "meter/measure/memory_status_win.h"

#include <windows.h>

namespace {

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);

// Bound by name: Windows 95 and NT 4 have no such function, and a static import
// would keep the program from starting there.
GlobalMemoryStatusExFn extendedStatus()
{
    static const GlobalMemoryStatusExFn fn = [] {
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        return kernel == nullptr
                   ? nullptr
                   : reinterpret_cast<GlobalMemoryStatusExFn>(reinterpret_cast<void (*)()>(
                         GetProcAddress(kernel, "GlobalMemoryStatusEx")));
    }();
    return fn;
}

} // namespace

MemoryStatusBytes SystemMemoryStatus::read()
{
    MemoryStatusBytes bytes;
    if (GlobalMemoryStatusExFn ex = extendedStatus()) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        if (ex(&status)) {
            bytes.totalPageFile = status.ullTotalPageFile;
            bytes.availablePageFile = status.ullAvailPageFile;
            bytes.totalPhysical = status.ullTotalPhys;
            bytes.availablePhysical = status.ullAvailPhys;
            bytes.memoryLoad = status.dwMemoryLoad;
            return bytes;
        }
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    bytes.totalPageFile = status.dwTotalPageFile;
    bytes.availablePageFile = status.dwAvailPageFile;
    bytes.totalPhysical = status.dwTotalPhys;
    bytes.availablePhysical = status.dwAvailPhys;
    bytes.memoryLoad = status.dwMemoryLoad;
    return bytes;
}
