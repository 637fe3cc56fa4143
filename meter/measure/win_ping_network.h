#pragma once
// The ping meter's network on Windows: names through the Winsock resolver, echoes over
// a raw ICMP socket, or through the ICMP helper when raw sockets are not allowed.
#include "meter/measure/perf_stats_registry_win.h"
#include "meter/measure/ping_engine.h"
#include "meter/measure/ping_network.h"

#include <winsock2.h>

class WinPingNetwork : public PingNetwork {
public:
    // winsockStarted: whether the program's Winsock session started.
    explicit WinPingNetwork(bool winsockStarted);

    bool ready() const override { return ready_; }
    // A dotted address as it is; else the first IPv4 address of the name.
    std::optional<std::uint32_t> resolve(const std::string& host) override;
    std::vector<EchoOutcome> echo(const std::vector<std::uint32_t>& addresses,
                                  std::uint32_t timeoutMs) override;

protected:
    // A raw ICMP socket for one tick, or INVALID_SOCKET and the error.
    virtual SOCKET openIcmpSocket(int& error);

private:
    bool ready_;
    SystemTickClock clock_;
    PingEngine engine_;
};
