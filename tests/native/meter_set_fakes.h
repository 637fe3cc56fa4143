#pragma once
// Services for a whole meter set in tests: scripted volumes, recorded alerts and tray,
// and a machine with no free resources, no network, no performance data and no
// process times.
#include "meter/meter_set.h"
#include "volume_fakes.h"

namespace meter_set_test {

class NoResources : public FreeResourcesQuery {
public:
    int freePercent(ResourceHeap) override { return 0; }
};

class NoNetwork : public PingNetwork {
public:
    bool ready() const override { return false; }
    std::optional<std::uint32_t> resolve(const std::string&) override { return std::nullopt; }
    std::vector<EchoOutcome> echo(const std::vector<std::uint32_t>& addresses,
                                  std::uint32_t) override
    {
        return std::vector<EchoOutcome>(addresses.size());
    }
};

class NoPerfData : public PerfDataReader {
public:
    std::vector<char> englishCounterNames() override { return {}; }
    Status performanceData(const std::string&, std::uint8_t*, std::uint32_t*) override
    {
        return Status::Failed;
    }
};

class NoProcessTimes : public ProcessTimes {
public:
    bool totalSeconds(std::uint32_t, std::uint32_t*) override { return false; }
};

struct Services {
    FakeVolumeSystem volumes;
    RecordingAlerts alerts;
    RecordingTray tray;
    NoResources resources;
    NoNetwork ping;
    NoPerfData perfData;
    NoProcessTimes times;
    MeterSetServices get()
    {
        return {volumes, alerts, tray, resources, ping, perfData, times, narrowToWindows1252};
    }
};

} // namespace meter_set_test
