#pragma once
// The registry's performance data: the English counter names under Perflib and the
// data blocks of HKEY_PERFORMANCE_DATA, handed over as the bytes the system returns.
#include "meter/measure/process_list_counter.h"

class RegistryPerfDataReader : public PerfDataReader {
public:
    RegistryPerfDataReader() = default;
    // The performance data key stays open between reads; closing it lets the system
    // unload the providers it loaded for them.
    ~RegistryPerfDataReader() override;
    RegistryPerfDataReader(const RegistryPerfDataReader&) = delete;
    RegistryPerfDataReader& operator=(const RegistryPerfDataReader&) = delete;

    std::vector<char> englishCounterNames() override;
    Status performanceData(const std::string& objects, std::uint8_t* buffer,
                           std::uint32_t* size) override;

private:
    bool read_ = false;
};

// The names of an instance in the system's ANSI code page.
std::string narrowToAnsiCodePage(const std::u16string& wide);
