#include "meter/measure/ping_counter.h"

#include <algorithm>

std::uint32_t effectivePingTimeout(std::uint32_t storedMs)
{
    if (storedMs == 0)
        return kDefaultPingTimeoutMs;
    return std::min(storedMs, kLongestPingTimeoutMs);
}

PingCounter::PingCounter(PingNetwork& network) : network_(network)
{
}

bool PingCounter::Start()
{
    ready_ = network_.ready();
    return true;
}

void PingCounter::configure(std::uint32_t storedTimeoutMs, const std::vector<std::string>& hosts)
{
    timeoutMs_ = effectivePingTimeout(storedTimeoutMs);
    hosts_.assign(hosts.begin(), hosts.begin() + static_cast<std::ptrdiff_t>(
                                                     std::min(hosts.size(), kMostPingHosts)));
}

void PingCounter::Sample()
{
    results_.assign(hosts_.size(), -1);
    statuses_.assign(hosts_.size(), kPingNoWinsock);
    if (!ready_)
        return;

    // Hosts that resolve are pinged together; the others are down at once.
    std::vector<std::uint32_t> addresses;
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < hosts_.size(); ++i) {
        if (const auto address = network_.resolve(hosts_[i])) {
            addresses.push_back(*address);
            rows.push_back(i);
            statuses_[i] = kPingTimedOut;
        } else {
            statuses_[i] = kPingUnresolvable;
        }
    }
    if (addresses.empty())
        return;
    const std::vector<EchoOutcome> outcomes = network_.echo(addresses, timeoutMs_);
    for (std::size_t k = 0; k < rows.size() && k < outcomes.size(); ++k) {
        results_[rows[k]] = outcomes[k].roundTrip;
        statuses_[rows[k]] = outcomes[k].status;
    }
}
