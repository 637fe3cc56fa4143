#pragma once
// The processes the process meter follows, each with its own pair of performance
// counters. The counters are addressed by instance name: the n-th process of a name is
// "name#n" (the first just "name"). When one of several same-named processes ends, the
// system renumbers the others, so the tracker hands the counters down the same way to
// keep every process reading its own figures.
#include "meter/measure/counter_library.h"
#include "meter/measure/perf_data_block.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct TrackedProcess {
    std::uint32_t pid = 0;
    int instance = 0; // 0: the first process of its name
    PdhCounterHandle timeCounter = nullptr;
    PdhCounterHandle memoryCounter = nullptr;
    // Percent of one processor: a busy process on several processors reads over 100.
    std::int32_t share = 0;
    std::uint64_t workingSet = 0; // bytes
    std::uint32_t totalSeconds = 0;
    std::string name;
    std::string key;      // the name in lower case: names match ignoring case
    std::string sortName; // the instance name in lower case

    // "name" for the first of its name, else "name#n".
    std::string instanceName() const;
};

// Adds and removes a process's two counters in the query.
class ProcessCounterBinder {
public:
    virtual ~ProcessCounterBinder() = default;
    // Both counters of an instance name, or neither.
    virtual bool addCounters(const std::string& instanceName, PdhCounterHandle* time,
                             PdhCounterHandle* memory) = 0;
    virtual void removeCounters(PdhCounterHandle time, PdhCounterHandle memory) = 0;
};

// The sort list of the options page, in its order.
enum class ProcessSortOrder : int {
    CpuUsage = 0,
    Name = 1,
    MemoryUsage = 2,
    TotalCpuTime = 3,
};

// An order read from the options record; a value outside the list sorts by usage.
ProcessSortOrder processSortOrder(std::int32_t stored);

class ProcessTracker {
public:
    // Matches the current processes against the tracked ones by id and name (an id the
    // system reuses for another program is a new process), hands down the counters of
    // ended ones, and starts following the new ones (the idle process, id 0, only with
    // includeIdle). A process whose counters cannot be added is tried again next time.
    void refresh(const std::vector<ProcessIdentity>& current, bool includeIdle,
                 ProcessCounterBinder& binder);
    void sort(ProcessSortOrder order);
    // Forgets every process; its counters go with the query.
    void clear() { entries_.clear(); }

    std::vector<TrackedProcess>& entries() { return entries_; }
    const std::vector<TrackedProcess>& entries() const { return entries_; }

private:
    void matchCurrent(const std::vector<ProcessIdentity>& current);
    void endProcesses(ProcessCounterBinder& binder);
    void addNew(const std::vector<ProcessIdentity>& current, bool includeIdle,
                ProcessCounterBinder& binder);

    std::vector<TrackedProcess> entries_;
    // Scratch of a refresh, kept so that a tick allocates little.
    std::unordered_map<std::uint32_t, std::size_t> lastWithPid_;
    std::vector<std::size_t> previousWithPid_;
    std::vector<char> taken_;
    std::vector<char> ended_;
    std::unordered_map<std::string, std::vector<std::size_t>> endedGroups_;
    std::unordered_map<std::string, int> highestInstance_;
};

// The name in lower case (ASCII letters), the form names are compared in.
std::string lowerName(const std::string& name);
