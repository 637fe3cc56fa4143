#pragma once
// What the process meter shows: one row per busy process with its share, name, working
// set and optionally its total processor time, in columns that give way one by one
// when the meter is too narrow for all of them.
#include "meter/colours.h"
#include "meter/measure/process_tracker.h"

#include <cstdint>
#include <string>
#include <vector>

struct ProcessRow {
    std::string name;       // the instance name
    std::int32_t share = 0; // percent of one processor
    std::string shareText;  // "12%"
    std::string workingSetText;
    std::string timeText; // empty unless the time column is on
    bool idle = false;    // the idle process: no working set or time shown
};

struct ProcessRowOptions {
    int maxRows = 4;
    bool showZeroUsage = false;
    bool showTotalTime = false;
};

// Rows of the first maxRows sorted processes; one at 0% is left out (not replaced by a
// later one) unless those are shown. out is refilled.
void buildProcessRows(const std::vector<TrackedProcess>& sorted, const ProcessRowOptions& options,
                      std::vector<ProcessRow>& out);

// "h:mm:ss"; the hours go on past a day.
std::string processTimeText(std::uint32_t seconds);
// Megabytes of a byte count and " MB"; exact beyond 4 GiB.
std::string workingSetText(std::uint64_t bytes);

// With graph colours on, a row's colour by its share: fixed thresholds, not the bar
// graph's limits.
GraphColour processRowColour(std::int32_t share);

// Widths of the texts the columns are fitted with.
struct ProcessColumnWidths {
    int share = 0;      // P, of "88%"
    int name = 0;       // N, the widest name seen
    int workingSet = 0; // M, the widest working set seen
    int time = 0;       // T, of "0:00:00"
};

// Left edges and widths of the shown columns.
struct ProcessColumns {
    bool share = false;
    bool workingSet = false;
    bool time = false;
    int shareLeft = 0;
    int nameLeft = 0;
    int workingSetLeft = 0;
    int timeLeft = 0;
};

constexpr int kProcessColumnGap = 10;
constexpr int kProcessMinimumMargin = 3;

// Fits the columns into the inner rectangle from innerLeft, innerWidth wide: the time
// column goes first, then the working set, then the share; the rest is centred.
ProcessColumns fitProcessColumns(int innerLeft, int innerWidth, const ProcessColumnWidths& widths,
                                 bool timeWanted);
