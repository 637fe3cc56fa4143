#include "meter/measure/win_ping_network.h"
#include "meter/measure/win_ping_factory.h"

#include "meter/measure/icmp_helper_echo.h"
#include "meter/measure/win_echo_socket.h"

#include <windows.h>

#include <cstring>

WinPingNetwork::WinPingNetwork(bool winsockStarted)
    : ready_(winsockStarted),
      engine_(static_cast<std::uint16_t>(GetCurrentProcessId() & 0xFFFF), clock_)
{
}

std::optional<std::uint32_t> WinPingNetwork::resolve(const std::string& host)
{
    if (host.empty())
        return std::nullopt;
    const unsigned long dotted = inet_addr(host.c_str());
    if (dotted != INADDR_NONE)
        return ntohl(dotted);
    const hostent* entry = gethostbyname(host.c_str());
    // Only an IPv4 address can be pinged over an IPv4 socket.
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 ||
        entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr)
        return std::nullopt;
    std::uint32_t address;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return ntohl(address);
}

std::vector<EchoOutcome> WinPingNetwork::echo(const std::vector<std::uint32_t>& addresses,
                                              std::uint32_t timeoutMs)
{
    int error = 0;
    const SOCKET s = openIcmpSocket(error);
    if (s == INVALID_SOCKET) {
        if (error == WSAEACCES)
            return echoThroughIcmpHelper(addresses, timeoutMs);
        return std::vector<EchoOutcome>(addresses.size(), EchoOutcome{-1, error});
    }
    WinEchoSocket socket(s);
    return engine_.pingAll(socket, addresses, timeoutMs);
}

SOCKET WinPingNetwork::openIcmpSocket(int& error)
{
    return openRawIcmpSocket(error);
}

std::unique_ptr<PingNetwork> makeWinPingNetwork(bool winsockStarted)
{
    return std::make_unique<WinPingNetwork>(winsockStarted);
}
