// The ping meter's reading of a received datagram: any bytes a raw socket may deliver.
// A reply is read exactly when its IP header and the echo's first 12 bytes are inside
// the datagram, and then says what those bytes say; a request the meter would build
// from the same identifier, sequence and time carries a checksum that verifies.
#include "fuzz_support.h"
#include "meter/measure/icmp_echo.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An exact-size copy, so that AddressSanitizer sees any read past the end.
    const std::vector<std::uint8_t> datagram(data, data + size);
    const std::optional<ReceivedEcho> echo = readReceivedEcho(datagram.data(), datagram.size());

    const std::size_t headerLength = size > 0 ? static_cast<std::size_t>(data[0] & 0x0F) * 4 : 0;
    const bool readable = size >= 20 && headerLength >= 20 && size >= headerLength + 12;
    FUZZ_CHECK(echo.has_value() == readable);
    if (!echo)
        return 0;

    const std::uint8_t* icmp = data + headerLength;
    FUZZ_CHECK(echo->source == (std::uint32_t(data[12]) << 24 | std::uint32_t(data[13]) << 16 |
                                std::uint32_t(data[14]) << 8 | data[15]));
    FUZZ_CHECK(echo->type == icmp[0]);
    FUZZ_CHECK(echo->identifier == (icmp[4] | icmp[5] << 8));
    FUZZ_CHECK(echo->sequence == (icmp[6] | icmp[7] << 8));

    const std::uint32_t sendTime =
        icmp[8] | icmp[9] << 8 | icmp[10] << 16 | std::uint32_t(icmp[11]) << 24;
    const EchoRequest request = makeEchoRequest(echo->identifier, echo->sequence, sendTime);
    FUZZ_CHECK(internetChecksum(request.data(), request.size()) == 0);
    return 0;
}
