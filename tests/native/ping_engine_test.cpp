#include "meter/measure/ping_engine.h"
#include "ping_fakes.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kOurId = 0x4242;

class pingEngine : public ::testing::Test {
protected:
    HandClock clock;
    ScriptedEchoSocket socket{clock};
    PingEngine engine{kOurId, clock};
};

std::uint16_t sequenceOf(const SentEcho& sent)
{
    return static_cast<std::uint16_t>(sent.bytes[6] | sent.bytes[7] << 8);
}

} // namespace

TEST_F(pingEngine, aReplyGivesTheTimeSinceItsEchoWasSent)
{
    socket.answer(0, 1012);
    const auto out = engine.pingAll(socket, {kLoopback}, 750);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].roundTrip, 12);
    EXPECT_EQ(out[0].status, kPingOk);
    ASSERT_EQ(socket.sent.size(), 1u);
    EXPECT_EQ(socket.sent[0].address, kLoopback);
    EXPECT_EQ(socket.sent[0].bytes.size(), kEchoRequestSize);
    EXPECT_EQ(socket.sent[0].bytes[4] | socket.sent[0].bytes[5] << 8, kOurId);
}

TEST_F(pingEngine, everyEchoIsSentBeforeAnyReplyIsAwaited)
{
    socket.answer(2, 1003);
    socket.answer(0, 1005);
    socket.answer(1, 1009);
    const auto out = engine.pingAll(socket, {kLoopback, kLoopback2, kLoopback3}, 750);
    EXPECT_EQ(out[0].roundTrip, 5);
    EXPECT_EQ(out[1].roundTrip, 9);
    EXPECT_EQ(out[2].roundTrip, 3);
    EXPECT_EQ(socket.waits.size(), 3u); // no wait after the last reply
}

TEST_F(pingEngine, silentHostsShareOneTimeOut)
{
    socket.answer(1, 1100);
    const auto out = engine.pingAll(socket, {kLoopback, kLoopback2, kLoopback3}, 750);
    EXPECT_EQ(out[0].roundTrip, -1);
    EXPECT_EQ(out[0].status, kPingTimedOut);
    EXPECT_EQ(out[1].roundTrip, 100);
    EXPECT_EQ(out[2].roundTrip, -1);
    EXPECT_EQ(out[2].status, kPingTimedOut);
    // The second wait is only what is left of the first.
    EXPECT_EQ(socket.waits, (std::vector<std::uint32_t>{750, 650}));
    EXPECT_EQ(clock.now, 1750u);
}

TEST_F(pingEngine, readsPastWhatIsNotTheReplyUntilItComes)
{
    // On loopback our own request arrives first.
    socket.arrive(1001,
                  [](const std::vector<SentEcho>& s) { return ipDatagram(kLoopback, s[0].bytes); });
    // A reply to another program's echo.
    socket.arrive(1002, [](const std::vector<SentEcho>& s) {
        auto d = replyTo(s[0], kLoopback);
        d[24] ^= 0xFF;
        return d;
    });
    // A reply with our identifier and sequence, from an address we did not ask.
    socket.arrive(1003, [](const std::vector<SentEcho>& s) { return replyTo(s[0], kLoopback2); });
    // Something too short to be an echo reply.
    socket.arrive(1004, [](const std::vector<SentEcho>&) {
        return std::vector<std::uint8_t>{0x45, 0, 0};
    });
    // Another ICMP message (destination unreachable) quoting nothing useful.
    socket.arrive(1005, [](const std::vector<SentEcho>& s) {
        auto d = replyTo(s[0], kLoopback);
        d[20] = 3;
        return d;
    });
    socket.answer(0, 1020);
    const auto out = engine.pingAll(socket, {kLoopback}, 750);
    EXPECT_EQ(out[0].roundTrip, 20);
    EXPECT_EQ(out[0].status, kPingOk);
}

TEST_F(pingEngine, onlyForeignDatagramsAreATimeOut)
{
    socket.arrive(1001,
                  [](const std::vector<SentEcho>& s) { return ipDatagram(kLoopback, s[0].bytes); });
    const auto out = engine.pingAll(socket, {kLoopback}, 750);
    EXPECT_EQ(out[0].roundTrip, -1);
    EXPECT_EQ(out[0].status, kPingTimedOut);
    EXPECT_EQ(socket.waits, (std::vector<std::uint32_t>{750, 749}));
}

TEST_F(pingEngine, aLateReplyOfAnEarlierTickDoesNotCountForTheNext)
{
    // Tick one: no answer in time.
    engine.pingAll(socket, {kLoopback}, 750);
    ASSERT_EQ(socket.sent.size(), 1u);

    // Tick two: the old echo's reply comes first, the new one's never.
    socket.answer(0, clock.now + 1);
    const auto out = engine.pingAll(socket, {kLoopback}, 750);
    EXPECT_EQ(out[0].roundTrip, -1);
    ASSERT_EQ(socket.sent.size(), 2u);
    EXPECT_NE(sequenceOf(socket.sent[0]), sequenceOf(socket.sent[1]));
}

TEST_F(pingEngine, repliesOfTheSameHostTwiceAreTakenByTheirSequence)
{
    socket.answer(1, 1004);
    socket.answer(0, 1007);
    const auto out = engine.pingAll(socket, {kLoopback, kLoopback}, 750);
    EXPECT_EQ(out[0].roundTrip, 7);
    EXPECT_EQ(out[1].roundTrip, 4);
    EXPECT_NE(sequenceOf(socket.sent[0]), sequenceOf(socket.sent[1]));
}

TEST_F(pingEngine, aRefusedSendFailsThatHostOnly)
{
    socket.refuse = {kLoopback2};
    socket.answer(0, 1010);
    const auto out = engine.pingAll(socket, {kLoopback, kLoopback2}, 750);
    EXPECT_EQ(out[0].roundTrip, 10);
    EXPECT_EQ(out[1].roundTrip, -1);
    EXPECT_EQ(out[1].status, socket.sendError);
}

TEST_F(pingEngine, aReceiveErrorEndsTheWaitForEveryHostStillWaiting)
{
    socket.failWith = 10054;
    const auto out = engine.pingAll(socket, {kLoopback, kLoopback2}, 750);
    EXPECT_EQ(out[0].roundTrip, -1);
    EXPECT_EQ(out[0].status, 10054);
    EXPECT_EQ(out[1].status, 10054);
    EXPECT_EQ(socket.waits.size(), 1u);
}

TEST_F(pingEngine, nothingIsAwaitedWhenNothingWasSent)
{
    socket.refuse = {kLoopback};
    engine.pingAll(socket, {kLoopback}, 750);
    EXPECT_TRUE(socket.waits.empty());
    EXPECT_TRUE(engine.pingAll(socket, {}, 750).empty());
    EXPECT_TRUE(socket.waits.empty());
}

TEST_F(pingEngine, theTickCountWrapsWithoutHarm)
{
    clock.now = 0xFFFFFFF0u;
    socket.answer(0, 0x00000010u);
    EXPECT_EQ(engine.pingAll(socket, {kLoopback}, 750)[0].roundTrip, 0x20);
}
