#pragma once
// Alert sounds from the program's wave resources and alert programs started as processes.
#include "meter/volumes/volume_alert.h"

#include <map>

class WinAlertActions : public AlertActions {
public:
    // module: where the wave resources live (the program itself when null).
    explicit WinAlertActions(void* module = nullptr);

    bool playWave(int resource, bool synchronous) override;
    bool startProcess(const std::string& commandLine) override;

private:
    const void* waveData(int resource);

    void* module_;
    // A loaded resource stays mapped with its module, so loading once is enough.
    std::map<int, const void*> waves_;
};
