#pragma once
// Sends one echo to each of a list of addresses and collects the replies until a
// single time-out ends: a tick with several silent hosts waits once, not once per host.
#include "meter/measure/echo_socket.h"
#include "meter/measure/ping_status.h"
#include "meter/measure/tick_clock.h"

#include <cstdint>
#include <vector>

class PingEngine {
public:
    static constexpr std::size_t kReceiveBufferSize = 1024;

    // identifier: the low 16 bits of the process id, carried by every echo.
    PingEngine(std::uint16_t identifier, const TickClock& clock);

    // One outcome per address, in order. A reply counts only when it is an echo reply
    // with our identifier, the sequence number of that very echo and the address it
    // was sent to; anything else (our own request on loopback, a reply to another
    // program or to an echo of an earlier tick) is read past until the time-out.
    std::vector<EchoOutcome> pingAll(EchoSocket& socket,
                                     const std::vector<std::uint32_t>& addresses,
                                     std::uint32_t timeoutMs);

private:
    struct Pending {
        std::size_t index;
        std::uint32_t address;
        std::uint16_t sequence;
        std::uint32_t sendTime;
    };

    void sendAll(EchoSocket& socket, const std::vector<std::uint32_t>& addresses,
                 std::vector<EchoOutcome>& outcomes, std::vector<Pending>& pending);
    // Takes the datagram as the reply of a pending echo when it is one.
    void match(std::size_t size, std::vector<EchoOutcome>& outcomes,
               std::vector<Pending>& pending) const;

    std::uint16_t identifier_;
    const TickClock& clock_;
    // Every echo gets a number of its own, so a late reply cannot pass for a new one.
    std::uint16_t nextSequence_ = 0;
    std::vector<std::uint8_t> buffer_;
};
