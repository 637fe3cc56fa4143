#pragma once
// What the statistics summary shows: the memory status and the highest samples of the
// page-file, network and disk meters, as texts, and which of its rows stay hidden
// because their meter is off.
#include "meter/measure/memory_status_cache.h"

#include <cstdint>
#include <string>

class MeterSet;

// The highest sample a meter has seen, when the meter is on.
struct MeterPeak {
    bool on = false;
    std::uint32_t highest = 0;
};

struct StatisticsPeaks {
    MeterPeak pageFileGraph; // KB
    MeterPeak pageFile;      // KB
    MeterPeak network;       // bytes per second
    MeterPeak disk;          // bytes per second
};

// Which peak rows the summary shows.
struct StatisticsRows {
    bool pageFilePeak = false;
    bool network = false;
    bool disk = false;
};

struct StatisticsTexts {
    std::string memoryLoad;
    std::string physicalTotal, physicalAvailable, physicalUsed, physicalInUse;
    std::string pageFileTotal, pageFileAvailable, pageFileUsed, pageFileInUse;
    std::string pageFilePeak;
    std::string networkPeak;
    std::string diskPeakKB, diskPeakMB;
};

// The text of a peak whose meter is off.
inline constexpr const char* kMeterNotOn = "not on";

// 100 less the rounded share that is available; 0 when there is no total to share,
// and never below 0 when the system reports more available than total.
int percentInUse(std::uint64_t total, std::uint64_t available);

// The peaks of the page-file, network and disk meters, each when it is on.
StatisticsPeaks statisticsPeaks(MeterSet& meters);

StatisticsRows statisticsRows(const StatisticsPeaks& peaks);

StatisticsTexts statisticsTexts(const MemoryStatusBytes& memory, const StatisticsPeaks& peaks);
