#pragma once
// The process counter's seams as scripts: the registry's performance data and the
// system's process times.
#include "meter/measure/process_list_counter.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

// The English names of the process object (230) and its id counter (784).
inline std::vector<char> englishNames()
{
    const std::string names = std::string("230\0Process\0"
                                          "784\0ID Process\0\0",
                                          28);
    return {names.begin(), names.end()};
}

// The registry as a script: the names, the block it returns, and how reads go.
class ScriptedPerfData : public PerfDataReader {
public:
    std::vector<char> names = englishNames();
    std::vector<std::uint8_t> block;
    bool fails = false;
    std::vector<std::uint32_t> offeredSizes;

    std::vector<char> englishCounterNames() override { return names; }
    Status performanceData(const std::string& objects, std::uint8_t* buffer,
                           std::uint32_t* size) override
    {
        requested = objects;
        offeredSizes.push_back(*size);
        if (fails)
            return Status::Failed;
        if (block.size() > *size)
            return Status::MoreData;
        std::memcpy(buffer, block.data(), block.size());
        *size = static_cast<std::uint32_t>(block.size());
        return Status::Ok;
    }
    std::string requested;
};

class ScriptedTimes : public ProcessTimes {
public:
    std::map<std::uint32_t, std::uint32_t> seconds; // processes that can be opened
    bool totalSeconds(std::uint32_t pid, std::uint32_t* s) override
    {
        const auto it = seconds.find(pid);
        if (it == seconds.end())
            return false;
        *s = it->second;
        return true;
    }
};
