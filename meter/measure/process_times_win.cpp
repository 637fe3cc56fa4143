#include "meter/measure/process_times_win.h"

#include <windows.h>

namespace {

std::uint64_t hundredNanoseconds(const FILETIME& t)
{
    return static_cast<std::uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

constexpr std::uint64_t kTicksPerSecond = 10000000;

} // namespace

bool SystemProcessTimes::totalSeconds(std::uint32_t pid, std::uint32_t* seconds)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process == nullptr)
        return false;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool ok = GetProcessTimes(process, &created, &exited, &kernel, &user) != FALSE;
    CloseHandle(process);
    if (!ok)
        return false;
    const std::uint64_t total =
        (hundredNanoseconds(kernel) + hundredNanoseconds(user)) / kTicksPerSecond;
    *seconds = total > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(total);
    return true;
}
