#pragma once
// A scripted raw socket on a hand-driven clock for the ping suites: what is sent is
// recorded, and datagrams arrive at set ticks, built from what was sent.
#include "meter/measure/echo_socket.h"
#include "meter/measure/icmp_echo.h"
#include "meter/measure/tick_clock.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

constexpr std::uint32_t kLoopback = 0x7F000001;
constexpr std::uint32_t kLoopback2 = 0x7F000002;
constexpr std::uint32_t kLoopback3 = 0x7F000003;

class HandClock : public TickClock {
public:
    std::uint32_t tickCount() const override { return now; }
    std::uint32_t now = 1000;
};

struct SentEcho {
    std::uint32_t address;
    std::vector<std::uint8_t> bytes;
};

// An IP header from source, then the ICMP message.
inline std::vector<std::uint8_t> ipDatagram(std::uint32_t source,
                                            const std::vector<std::uint8_t>& icmp)
{
    // Sized at once: GCC 12 at -O3 takes an insert after the header for an overrun.
    std::vector<std::uint8_t> d(20 + icmp.size(), 0);
    d[0] = 0x45;
    d[9] = 1;
    for (int i = 0; i < 4; ++i)
        d[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(source >> (24 - 8 * i));
    std::copy(icmp.begin(), icmp.end(), d.begin() + 20);
    return d;
}

// What a host sends back for an echo: the same message as a reply.
inline std::vector<std::uint8_t> replyTo(const SentEcho& sent, std::uint32_t from)
{
    std::vector<std::uint8_t> icmp = sent.bytes;
    icmp[0] = kIcmpEchoReply;
    return ipDatagram(from, icmp);
}

class ScriptedEchoSocket : public EchoSocket {
public:
    using Build = std::function<std::vector<std::uint8_t>(const std::vector<SentEcho>&)>;
    struct Arrival {
        std::uint32_t at;
        Build build;
    };

    explicit ScriptedEchoSocket(HandClock& clock) : clock_(clock) {}

    // Arrivals are delivered in the order added.
    void arrive(std::uint32_t at, Build build) { arrivals_.push_back({at, std::move(build)}); }
    // The reply of the host to echo number n of this socket, from the address it went to.
    void answer(std::size_t n, std::uint32_t at)
    {
        arrive(at,
               [n](const std::vector<SentEcho>& s) { return replyTo(s.at(n), s.at(n).address); });
    }

    int sendTo(std::uint32_t address, const std::uint8_t* data, std::size_t size) override
    {
        sent.push_back({address, std::vector<std::uint8_t>(data, data + size)});
        const auto refused = std::find(refuse.begin(), refuse.end(), address);
        return refused != refuse.end() ? sendError : 0;
    }

    EchoReceipt receive(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) override
    {
        waits.push_back(waitMs);
        if (failWith != 0)
            return {EchoReceipt::Kind::Failed, 0, failWith};
        // Ticks compared as the system's wrapping counter is: by their difference.
        const auto dueIn =
            arrivals_.empty()
                ? std::int64_t{waitMs} + 1
                : std::int64_t{static_cast<std::int32_t>(arrivals_.front().at - clock_.now)};
        if (dueIn > std::int64_t{waitMs}) {
            clock_.now += waitMs;
            return {};
        }
        if (dueIn > 0)
            clock_.now = arrivals_.front().at;
        const std::vector<std::uint8_t> d = arrivals_.front().build(sent);
        arrivals_.erase(arrivals_.begin());
        const std::size_t n = std::min(d.size(), capacity);
        std::memcpy(buffer, d.data(), n);
        return {EchoReceipt::Kind::Datagram, n, 0};
    }

    std::vector<SentEcho> sent;
    std::vector<std::uint32_t> waits;
    std::vector<std::uint32_t> refuse;
    int sendError = 10065; // WSAEHOSTUNREACH
    int failWith = 0;

private:
    HandClock& clock_;
    std::vector<Arrival> arrivals_;
};
