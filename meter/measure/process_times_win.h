#pragma once
// Total processor time of a process, from the system's process accounting.
#include "meter/measure/process_list_counter.h"

class SystemProcessTimes : public ProcessTimes {
public:
    bool totalSeconds(std::uint32_t pid, std::uint32_t* seconds) override;
};
