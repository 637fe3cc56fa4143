#pragma once
// The socket seam of the ping meter: a raw ICMP socket that sends datagrams to IPv4
// addresses and hands back what arrives, IP header included.
#include <cstddef>
#include <cstdint>

struct EchoReceipt {
    enum class Kind { Datagram, TimedOut, Failed };
    Kind kind = Kind::TimedOut;
    // Datagram: the bytes stored, at most the capacity (a longer one is cut short).
    std::size_t size = 0;
    // Failed: the socket error.
    int error = 0;
};

class EchoSocket {
public:
    virtual ~EchoSocket() = default;
    // 0 when sent, else the socket error. address: IPv4 in host order.
    virtual int sendTo(std::uint32_t address, const std::uint8_t* data, std::size_t size) = 0;
    // Waits at most waitMs for one datagram.
    virtual EchoReceipt receive(std::uint8_t* buffer, std::size_t capacity,
                                std::uint32_t waitMs) = 0;
};
