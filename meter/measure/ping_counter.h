#pragma once
// The ping meter's counter: each sample sends one echo to every configured host and
// keeps a round trip in milliseconds, or -1, per host.
#include "meter/measure/meter_counter.h"
#include "meter/measure/ping_network.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t kDefaultPingTimeoutMs = 750;
constexpr std::uint32_t kLongestPingTimeoutMs = 10000;
constexpr std::size_t kMostPingHosts = 20;

// The time-out a stored value stands for. 0, which only a hand-edited registry holds,
// would wait for ever and means the default; the user-interface thread waits at most
// ten seconds.
std::uint32_t effectivePingTimeout(std::uint32_t storedMs);

class PingCounter : public MeterCounter {
public:
    explicit PingCounter(PingNetwork& network);

    bool IsLocal() const override { return true; }
    // Takes the network's readiness, as it is for the whole run.
    bool Start() override;
    void Sample() override;
    void Stop() override {}

    // From the options: the stored time-out and the host list (the first 20 are used).
    void configure(std::uint32_t storedTimeoutMs, const std::vector<std::string>& hosts);

    std::uint32_t timeout() const { return timeoutMs_; }
    const std::vector<std::string>& hosts() const { return hosts_; }
    // After a sample: one per host.
    const std::vector<std::int32_t>& results() const { return results_; }
    const std::vector<int>& statuses() const { return statuses_; }

private:
    PingNetwork& network_;
    bool ready_ = false;
    std::uint32_t timeoutMs_ = kDefaultPingTimeoutMs;
    std::vector<std::string> hosts_;
    std::vector<std::int32_t> results_;
    std::vector<int> statuses_;
};
