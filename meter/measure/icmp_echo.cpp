#include "meter/measure/icmp_echo.h"

namespace {

constexpr std::size_t kMinimumIpHeader = 20;
constexpr std::size_t kEchoHeadAndTime = 12;

void putLittle16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint16_t little16(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

} // namespace

std::uint16_t internetChecksum(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < size; i += 2)
        sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
    if (i < size)
        sum += static_cast<std::uint32_t>(data[i] << 8);
    while (sum >> 16 != 0)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum);
}

EchoRequest makeEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                            std::uint32_t sendTime)
{
    EchoRequest request{};
    request[0] = kIcmpEchoRequest;
    request[1] = 0;
    putLittle16(&request[4], identifier);
    putLittle16(&request[6], sequence);
    putLittle16(&request[8], static_cast<std::uint16_t>(sendTime));
    putLittle16(&request[10], static_cast<std::uint16_t>(sendTime >> 16));
    for (std::size_t i = 12; i < kEchoRequestSize; ++i)
        request[i] = kEchoPayloadByte;
    // The sum is order-independent: stored high byte first, it checks out on every host.
    const std::uint16_t checksum = internetChecksum(request.data(), request.size());
    request[2] = static_cast<std::uint8_t>(checksum >> 8);
    request[3] = static_cast<std::uint8_t>(checksum);
    return request;
}

std::optional<ReceivedEcho> readReceivedEcho(const std::uint8_t* data, std::size_t size)
{
    if (size < kMinimumIpHeader)
        return std::nullopt;
    const std::size_t headerLength = static_cast<std::size_t>(data[0] & 0x0F) * 4;
    if (headerLength < kMinimumIpHeader || size < headerLength + kEchoHeadAndTime)
        return std::nullopt;
    ReceivedEcho echo;
    echo.source = static_cast<std::uint32_t>(data[12]) << 24 |
                  static_cast<std::uint32_t>(data[13]) << 16 |
                  static_cast<std::uint32_t>(data[14]) << 8 | data[15];
    const std::uint8_t* icmp = data + headerLength;
    echo.type = icmp[0];
    echo.identifier = little16(icmp + 4);
    echo.sequence = little16(icmp + 6);
    return echo;
}
