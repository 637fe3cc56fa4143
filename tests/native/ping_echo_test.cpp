#include "meter/measure/icmp_echo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(internetChecksum, matchesTheWorkedExampleOfRfc1071)
{
    // RFC 1071 section 3: the words 0001 f203 f4f5 f6f7 sum to ddf2; the checksum is
    // its complement.
    const std::uint8_t data[] = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
    EXPECT_EQ(internetChecksum(data, sizeof data), 0x220d);
}

TEST(internetChecksum, padsAnOddLastByteAndFoldsEveryCarry)
{
    const std::uint8_t odd[] = {0x12, 0x34, 0x56};
    // 1234 + 5600 = 6834, complement 97cb.
    EXPECT_EQ(internetChecksum(odd, sizeof odd), 0x97cb);
    // ffff + ffff + 0002 = 2 0000; folded twice: 0001 + 0001 = 0002, complement fffd.
    const std::uint8_t carries[] = {0xff, 0xff, 0xff, 0xff, 0x00, 0x02};
    EXPECT_EQ(internetChecksum(carries, sizeof carries), 0xfffd);
}

TEST(makeEchoRequest, layoutAndChecksumWorkedByHand)
{
    const EchoRequest r = makeEchoRequest(0x0102, 0x0003, 0x0A0B0C0D);
    ASSERT_EQ(r.size(), 44u);
    EXPECT_EQ(r[0], 8);
    EXPECT_EQ(r[1], 0);
    // Identifier, sequence and send time low byte first.
    EXPECT_EQ(std::vector<std::uint8_t>(r.begin() + 4, r.begin() + 12),
              (std::vector<std::uint8_t>{0x02, 0x01, 0x03, 0x00, 0x0D, 0x0C, 0x0B, 0x0A}));
    for (std::size_t i = 12; i < 44; ++i)
        ASSERT_EQ(r[i], 'E') << i;
    // Words: 0800 0000 0201 0300 0d0c 0b0a and sixteen 4545.
    // 0800 + 0201 + 0300 + 0d0c + 0b0a = 2517; 16 x 4545 = 4 5450; total 4 7967;
    // folded 796b; complement 8694.
    EXPECT_EQ(r[2], 0x86);
    EXPECT_EQ(r[3], 0x94);
    // A receiver summing the whole message, checksum included, gets zero.
    EXPECT_EQ(internetChecksum(r.data(), r.size()), 0);
}

namespace {

// An IP header of headerWords 32-bit words from source, then the ICMP bytes.
std::vector<std::uint8_t> datagram(std::uint32_t source, std::vector<std::uint8_t> icmp,
                                   int headerWords = 5)
{
    const std::size_t header = static_cast<std::size_t>(headerWords) * 4;
    // Sized at once: GCC 12 at -O3 takes an insert after the header for an overrun.
    std::vector<std::uint8_t> d(header + icmp.size(), 0);
    d[0] = static_cast<std::uint8_t>(0x40 | headerWords);
    d[9] = 1;
    for (int i = 0; i < 4; ++i)
        d[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(source >> (24 - 8 * i));
    std::copy(icmp.begin(), icmp.end(), d.begin() + static_cast<std::ptrdiff_t>(header));
    return d;
}

std::vector<std::uint8_t> icmpHead(std::uint8_t type, std::uint16_t id, std::uint16_t seq)
{
    return {type,
            0,
            0,
            0,
            static_cast<std::uint8_t>(id),
            static_cast<std::uint8_t>(id >> 8),
            static_cast<std::uint8_t>(seq),
            static_cast<std::uint8_t>(seq >> 8),
            1,
            2,
            3,
            4};
}

} // namespace

TEST(readReceivedEcho, readsSourceTypeIdentifierAndSequenceAfterTheIpHeader)
{
    const auto d = datagram(0x7F000001, icmpHead(0, 0xBEEF, 0x0102));
    const auto echo = readReceivedEcho(d.data(), d.size());
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->source, 0x7F000001u);
    EXPECT_EQ(echo->type, 0);
    EXPECT_EQ(echo->identifier, 0xBEEF);
    EXPECT_EQ(echo->sequence, 0x0102);
}

TEST(readReceivedEcho, aHeaderWithOptionsMovesTheMessage)
{
    const auto d = datagram(0x7F000002, icmpHead(0, 5, 9), 7);
    const auto echo = readReceivedEcho(d.data(), d.size());
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->identifier, 5);
    EXPECT_EQ(echo->sequence, 9);
}

TEST(readReceivedEcho, refusesWhatCannotHoldHeaderEchoHeadAndSendTime)
{
    auto d = datagram(0x7F000001, icmpHead(0, 5, 9));
    EXPECT_TRUE(readReceivedEcho(d.data(), 32));
    EXPECT_FALSE(readReceivedEcho(d.data(), 31)); // one byte of the send time missing
    EXPECT_FALSE(readReceivedEcho(d.data(), 0));

    // A header length under 20 bytes is no IP header at all.
    d[0] = 0x44;
    EXPECT_FALSE(readReceivedEcho(d.data(), d.size()));
    d[0] = 0x40;
    EXPECT_FALSE(readReceivedEcho(d.data(), d.size()));

    // The longest header (60 bytes) claimed by a datagram that ends inside it.
    d[0] = 0x4F;
    EXPECT_FALSE(readReceivedEcho(d.data(), d.size()));
}
