#include "meter/timer_labels.h"

#include <cstdio>

namespace {

std::string printed(const char* format, int a, int b = 0)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

} // namespace

std::string driveIntervalLabel(unsigned seconds)
{
    if (seconds == 30)
        return "&Update every 30 seconds";
    if (seconds == 60)
        return "&Update every minute";
    const int minutes = static_cast<int>(seconds / 60);
    if (seconds % 60 == 0)
        return printed("&Update every %d minutes", minutes);
    return printed("&Update every %d½ minutes", minutes);
}

std::string usageIntervalLabel(int timer, unsigned seconds)
{
    std::string text = seconds == 1 ? printed("Timer %d:  Update every second", timer)
                                    : printed("Timer %d:  Update every %d seconds", timer,
                                              static_cast<int>(seconds));
    const std::size_t at = timer >= 1 ? static_cast<std::size_t>(timer - 1) : 0;
    if (at < text.size())
        text.insert(at, 1, '&');
    return text;
}

std::string usageFrequencyText(unsigned seconds)
{
    return printed("%d sec.", static_cast<int>(seconds));
}

std::string driveFrequencyText(unsigned seconds)
{
    return printed("%d min.", static_cast<int>(seconds / 60));
}
