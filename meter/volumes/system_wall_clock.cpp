#include "meter/volumes/system_wall_clock.h"

#include <windows.h>

std::tm SystemWallClock::localTime() const
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::tm t{};
    t.tm_year = now.wYear - 1900;
    t.tm_mon = now.wMonth - 1;
    t.tm_mday = now.wDay;
    t.tm_hour = now.wHour;
    t.tm_min = now.wMinute;
    t.tm_sec = now.wSecond;
    t.tm_wday = now.wDayOfWeek;
    t.tm_isdst = -1;
    return t;
}
