#include "meter/measure/process_rows.h"

#include "common/numtext/numtext.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kMegabytesPerByte = 9.536743e-7;

} // namespace

std::string processTimeText(std::uint32_t seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

std::string workingSetText(std::uint64_t bytes)
{
    // The same megabytes as those of a 32-bit byte count, without its wrap at 4 GiB.
    return formatAdaptive(static_cast<double>(bytes) * kMegabytesPerByte, 1, 3, true, true) + " MB";
}

void buildProcessRows(const std::vector<TrackedProcess>& sorted, const ProcessRowOptions& options,
                      std::vector<ProcessRow>& out)
{
    out.clear();
    const std::size_t considered =
        std::min(sorted.size(), static_cast<std::size_t>(std::max(options.maxRows, 0)));
    for (std::size_t i = 0; i < considered; ++i) {
        const TrackedProcess& p = sorted[i];
        if (p.share == 0 && !options.showZeroUsage)
            continue;
        ProcessRow row;
        row.name = p.instanceName();
        row.share = p.share;
        row.shareText = std::to_string(p.share) + "%";
        row.workingSetText = workingSetText(p.workingSet);
        if (options.showTotalTime)
            row.timeText = processTimeText(p.totalSeconds);
        row.idle = p.pid == 0;
        out.push_back(std::move(row));
    }
}

GraphColour processRowColour(std::int32_t share)
{
    if (share >= 98)
        return kColourHigh;
    if (share >= 90)
        return kColourWarning;
    return kColourNormal;
}

ProcessColumns fitProcessColumns(int innerLeft, int innerWidth, const ProcessColumnWidths& w,
                                 bool timeWanted)
{
    const int gap = kProcessColumnGap;
    ProcessColumns c;
    c.share = true;
    c.workingSet = true;
    c.time = timeWanted;
    const int allButTime = innerWidth - (w.name + w.workingSet + w.share + 2 * gap);
    int margin = (allButTime - (c.time ? w.time + gap : 0)) / 2;
    if (margin < kProcessMinimumMargin && c.time) {
        c.time = false;
        margin = allButTime / 2;
    }
    if (margin < kProcessMinimumMargin) {
        c.workingSet = false;
        margin = (innerWidth - w.share - w.name - gap) / 2;
    }
    if (margin < kProcessMinimumMargin) {
        c.share = false;
        margin = (innerWidth - w.name) / 2;
    }
    int x = innerLeft + margin;
    if (c.share) {
        c.shareLeft = x;
        x += w.share + gap;
    }
    c.nameLeft = x;
    x += w.name + gap;
    if (c.workingSet) {
        c.workingSetLeft = x;
        x += w.workingSet + gap;
    }
    if (c.time)
        c.timeLeft = x;
    return c;
}
