#pragma once
// The ICMP echo as it travels: the 44-byte request the meter sends and the parts of a
// received datagram (IP header first, as a raw socket delivers it) that tell whose
// reply it is.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

constexpr std::size_t kEchoRequestSize = 44;
constexpr std::size_t kEchoPayloadSize = 32;
constexpr std::uint8_t kEchoPayloadByte = 0x45; // 'E'
constexpr std::uint8_t kIcmpEchoRequest = 8;
constexpr std::uint8_t kIcmpEchoReply = 0;

using EchoRequest = std::array<std::uint8_t, kEchoRequestSize>;

// The Internet checksum (RFC 1071): the one's complement of the one's complement sum
// of the data as 16-bit words, an odd last byte padded with zero. Returned in network
// order, high byte first, as it is stored.
std::uint16_t internetChecksum(const std::uint8_t* data, std::size_t size);

// Type 8, code 0, checksum, identifier, sequence and send time in the machine's
// (little-endian) order, then 32 bytes of 'E'.
EchoRequest makeEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                            std::uint32_t sendTime);

// What a received datagram says about itself. Addresses are IPv4 in host order
// (127.0.0.1 is 0x7F000001).
struct ReceivedEcho {
    std::uint32_t source = 0;
    std::uint8_t type = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
};

// Reads an IP datagram carrying ICMP. Nothing when it is too short to hold its IP
// header (at least 20 bytes, as the header says) and the 12 bytes of echo header and
// send time, the least an echo reply of ours brings back.
std::optional<ReceivedEcho> readReceivedEcho(const std::uint8_t* data, std::size_t size);
