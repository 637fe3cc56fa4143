#pragma once
// The process meter's counter: it follows every process of this computer with a pair
// of performance counters of its own (processor time and working set) in the external
// query, learns which processes exist from the raw performance data, and keeps the list
// sorted for the meter. It needs the NT family: elsewhere the names are not found and
// it follows nothing.
#include "meter/measure/meter_counter.h"
#include "meter/measure/process_tracker.h"

#include <cstdint>
#include <string>
#include <vector>

class PdhQuerySource;

// The registry's performance data, as bytes.
class PerfDataReader {
public:
    enum class Status { Ok, MoreData, Failed };

    virtual ~PerfDataReader() = default;
    // The "Counters" value of the English counter names; empty when it cannot be read.
    virtual std::vector<char> englishCounterNames() = 0;
    // The performance data of the objects listed in objects (index texts) into buffer,
    // at most *size bytes; *size becomes the length returned.
    virtual Status performanceData(const std::string& objects, std::uint8_t* buffer,
                                   std::uint32_t* size) = 0;
};

// Total processor time of a process.
class ProcessTimes {
public:
    virtual ~ProcessTimes() = default;
    // Kernel and user time in whole seconds; false when the process cannot be opened.
    virtual bool totalSeconds(std::uint32_t pid, std::uint32_t* seconds) = 0;
};

// What the counter takes from the meter's options before every start.
struct ProcessCounterOptions {
    bool includeIdle = false;
    bool readProcessTimes = false;
    ProcessSortOrder sortOrder = ProcessSortOrder::CpuUsage;
};

class ProcessListCounter : public MeterCounter, private ProcessCounterBinder {
public:
    static constexpr std::uint32_t kInitialBufferSize = 64000;
    static constexpr std::uint32_t kBufferGrowth = 20480;
    // A system that keeps asking for more past this is not answered.
    static constexpr std::uint32_t kMaximumBufferSize = 64u << 20;

    ProcessListCounter(PerfDataReader& reader, ProcessTimes& times,
                       NarrowName narrow = narrowToWindows1252);

    // Only a performance data query can hold the counters.
    bool Attach(CounterSource* source) override;
    bool IsLocal() const override { return false; }
    // Finds the names and follows the current processes; fails when nothing is followed.
    bool Start() override;
    // Reads every followed process, then refreshes and sorts the list.
    void Sample() override;
    // The query's close releases the counters.
    void Stop() override;

    void setOptions(const ProcessCounterOptions& options) { options_ = options; }
    const ProcessCounterOptions& options() const { return options_; }
    const ProcessCounterNames& names() const { return names_; }
    // In the chosen order after every sample.
    const std::vector<TrackedProcess>& processes() const { return tracker_.entries(); }

private:
    bool addCounters(const std::string& instanceName, PdhCounterHandle* time,
                     PdhCounterHandle* memory) override;
    void removeCounters(PdhCounterHandle time, PdhCounterHandle memory) override;
    bool addCounter(int firstPathId, const std::string& instanceName, PdhCounterHandle* counter);

    void readCounters();
    void readTimes();
    // Follows the processes of a fresh read; a failed read changes nothing.
    void refresh();
    bool readProcessList();

    PerfDataReader& reader_;
    ProcessTimes& times_;
    NarrowName narrow_;
    PdhQuerySource* query_ = nullptr;
    ProcessCounterOptions options_;
    ProcessCounterNames names_;
    std::uint32_t objectIndex_ = 0;
    std::vector<std::uint8_t> buffer_;
    std::vector<ProcessIdentity> current_;
    ProcessTracker tracker_;
};

// A path template of the table (with "%s" for the instance and "%%" for a percent
// sign) filled with an instance name. The name is data from the system, so it is put in
// by substitution, never used as a format.
std::string fillInstancePath(const char* pattern, const std::string& instanceName);
