#pragma once
// What the ping counter needs of the network: whether Winsock is up, the address of a
// host, and one echo to each of several addresses within one time-out.
#include "meter/measure/ping_status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class PingNetwork {
public:
    virtual ~PingNetwork() = default;
    // False when the program could not start Winsock: nothing can be sent.
    virtual bool ready() const = 0;
    // An IPv4 address in host order for a dotted address or a host name.
    virtual std::optional<std::uint32_t> resolve(const std::string& host) = 0;
    // One outcome per address, in order, all waited for together.
    virtual std::vector<EchoOutcome> echo(const std::vector<std::uint32_t>& addresses,
                                          std::uint32_t timeoutMs) = 0;
};
