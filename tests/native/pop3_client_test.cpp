// The POP3 client against a scripted peer: login and its refusals, every reply reader
// with what a broken or hostile server can send, and the connection's caches.
#include "pop3_fakes.h"

#include <gtest/gtest.h>

using fakes::PeerEvent;
using fakes::Pop3Peer;
using mail::CPop3Client;
namespace SocketError = mail::SocketError;

namespace {

class Pop3ClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        peer.acceptLogin();
        client = fakes::clientFor(peer);
    }
    bool login() { return client->login("127.0.0.1", "alice", "secret", 110); }
    void mailbox(const std::string& stat, const std::string& list, const std::string& uidl)
    {
        peer.reply("STAT\r\n", stat);
        peer.reply("LIST\r\n", list);
        peer.reply("UIDL\r\n", uidl);
    }

    Pop3Peer peer;
    std::unique_ptr<CPop3Client> client;
};

TEST_F(Pop3ClientTest, LoginSendsUserAndPassAsTyped)
{
    ASSERT_TRUE(login());
    EXPECT_TRUE(client->connected());
    EXPECT_EQ(peer.sent, (std::vector<std::string>{"USER alice\r\n", "PASS secret\r\n"}));
}

TEST_F(Pop3ClientTest, ControlCharactersInCredentialsAreRefusedBeforeConnecting)
{
    for (const std::string& bad :
         {std::string("al\rice"), std::string("al\nice"), std::string("al\0ice", 6)}) {
        EXPECT_FALSE(client->login("127.0.0.1", bad, "secret", 110));
        EXPECT_FALSE(client->login("127.0.0.1", "alice", "sec" + bad, 110));
        EXPECT_EQ(client->errorNumber(), SocketError::kInvalidArgument);
    }
    EXPECT_EQ(peer.creates, 0);
    EXPECT_TRUE(peer.sent.empty());
}

TEST_F(Pop3ClientTest, PortsOutsideTheRangeAreRefused)
{
    EXPECT_FALSE(client->login("127.0.0.1", "alice", "secret", 0));
    EXPECT_FALSE(client->login("127.0.0.1", "alice", "secret", 65536));
    EXPECT_FALSE(client->login("127.0.0.1", "alice", "secret", -110));
    EXPECT_EQ(client->errorNumber(), SocketError::kInvalidArgument);
    EXPECT_EQ(peer.creates, 0);
    EXPECT_TRUE(client->login("127.0.0.1", "alice", "secret", 65535));
}

TEST_F(Pop3ClientTest, SocketFailuresKeepTheSystemsErrorNumber)
{
    peer.createFails = true;
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), 10024);
    peer.createFails = false;
    peer.connectFails = true;
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), 10061);
    EXPECT_FALSE(client->connected());
    EXPECT_TRUE(peer.sent.empty());
}

TEST_F(Pop3ClientTest, NoGreetingTimesOut)
{
    peer.greeting.clear();
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), SocketError::kTimedOut);
    EXPECT_GE(peer.now, 2000);
    // A server that missed one reply is not asked anything more, not even QUIT, and
    // costs one time-out, not two.
    EXPECT_TRUE(peer.sent.empty());
    EXPECT_LT(peer.now, 4000);
    EXPECT_FALSE(client->connected());
}

TEST_F(Pop3ClientTest, WrongPasswordSendsQuitAndKeepsTheRefusal)
{
    peer.reply("PASS secret\r\n", "-ERR [AUTH] Authentication failed.\r\n");
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), SocketError::kNegativeReply);
    EXPECT_EQ(client->lastReply(), "-ERR [AUTH] Authentication failed.");
    EXPECT_EQ(peer.sent.back(), "QUIT\r\n");
    EXPECT_FALSE(client->connected());
}

TEST_F(Pop3ClientTest, EndlessStatusLineIsCutOffAtItsBound)
{
    peer.greeting = {{PeerEvent::Data, std::string(1 << 20, 'A'), 0}};
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), SocketError::kMessageTooLong);
    EXPECT_LE(client->lastReply().size(), mail::Pop3Limits::kStatusLine);
    // The client gave up long before the megabyte was read.
    ASSERT_FALSE(peer.incoming.empty());
    EXPECT_GT(peer.incoming.front().data.size(), 900000u);
}

TEST_F(Pop3ClientTest, SlowDripWithinTheTimeoutIsReceivedWhole)
{
    peer.greeting = fakes::drip("+OK slow server\r\n", 1500);
    ASSERT_TRUE(login());
    EXPECT_GT(peer.now, 2000 * 4); // far longer than one time-out in all
}

TEST_F(Pop3ClientTest, SilenceInTheMiddleOfAReplyFailsWithWhatArrived)
{
    peer.greeting = {{PeerEvent::Data, "+OK par", 0}, {PeerEvent::Data, "tial\r\n", 2500}};
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), SocketError::kTimedOut);
    EXPECT_EQ(client->lastReply(), "+OK par");
}

TEST_F(Pop3ClientTest, NothingMoreIsAskedAfterAReplyWasCutOff)
{
    ASSERT_TRUE(login());
    peer.reply("STAT\r\n", "+OK 1 5\r\n");
    peer.replies["LIST\r\n"] = {{PeerEvent::Data, "+OK\r\n1 5\r\n", 0},
                                {PeerEvent::Data, ".\r\n", 3000}};
    EXPECT_FALSE(client->list());
    EXPECT_EQ(client->errorNumber(), SocketError::kTimedOut);
    std::string uid;
    EXPECT_FALSE(client->messageUid(1, uid));
    EXPECT_FALSE(client->quit());
    EXPECT_EQ(peer.commandsAfterLogin(), (std::vector<std::string>{"STAT\r\n", "LIST\r\n"}));
    EXPECT_EQ(client->errorNumber(), SocketError::kTimedOut);
}

TEST_F(Pop3ClientTest, PeerThatLeavesMidReplyFailsWithoutWaitingOutTheTimeout)
{
    peer.greeting = {{PeerEvent::Data, "+OK", 0}, {PeerEvent::Close, "", 0}};
    EXPECT_FALSE(login());
    EXPECT_EQ(client->errorNumber(), SocketError::kTimedOut);
    EXPECT_LT(peer.now, 2000);
}

TEST_F(Pop3ClientTest, RepliesArrivingTogetherAreEachReadOnce)
{
    // Greeting and the answers to USER and PASS in one piece: each reader takes its own
    // line and leaves the rest for the next.
    peer.greeting = {{PeerEvent::Data, "+OK hi\r\n+OK user\r\n-ERR pass\r\n", 0}};
    peer.replies.erase("USER alice\r\n");
    peer.replies.erase("PASS secret\r\n");
    EXPECT_FALSE(login());
    EXPECT_EQ(client->lastReply(), "-ERR pass");
}

TEST_F(Pop3ClientTest, BytesAfterAListingWaitForTheNextReply)
{
    ASSERT_TRUE(login());
    peer.reply("STAT\r\n", "+OK 1 5\r\n");
    peer.reply("LIST\r\n", "+OK\r\n1 5\r\n.\r\n+OK\r\n1 abc\r\n.\r\n");
    ASSERT_TRUE(client->list());
    // The early UIDL answer is taken from what already arrived.
    std::string uid;
    ASSERT_TRUE(client->messageUid(1, uid));
    EXPECT_EQ(uid, "abc");
}

TEST_F(Pop3ClientTest, StatParsesCountAndSizeOnlyFromAnExactPositiveLine)
{
    ASSERT_TRUE(login());
    std::int32_t count = -1;
    std::int64_t size = -1;
    peer.reply("STAT\r\n", "+OK 0 0\r\n");
    ASSERT_TRUE(client->stat(count, size));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(size, 0);
    peer.reply("STAT\r\n", "+OK 2147483647 99\r\n");
    ASSERT_TRUE(client->stat(count, size));
    EXPECT_EQ(count, 2147483647);
    for (const char* bad : {"+OK\r\n", "+OK 3\r\n", "+ok 1 2\r\n", "+OK 2147483648 1\r\n",
                            "+OK x 1\r\n", "-ERR 1 2\r\n"}) {
        peer.reply("STAT\r\n", bad);
        EXPECT_FALSE(client->stat(count, size)) << bad;
    }
}

TEST_F(Pop3ClientTest, ListPutsEachSizeIntoItsMessagesSlot)
{
    ASSERT_TRUE(login());
    mailbox("+OK 3 600\r\n", "+OK 3 messages\r\n2 200\r\n1 100\r\n3 300\r\n.\r\n", "");
    std::int32_t size = 0;
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_EQ(size, 100);
    ASSERT_TRUE(client->messageSize(3, size));
    EXPECT_EQ(size, 300);
    EXPECT_FALSE(client->messageSize(4, size));
    EXPECT_FALSE(client->messageSize(0, size));
    // STAT and LIST were read once for all of these.
    EXPECT_EQ(peer.commandsAfterLogin(), (std::vector<std::string>{"STAT\r\n", "LIST\r\n"}));
}

TEST_F(Pop3ClientTest, ListingsThatDisagreeWithStatFail)
{
    ASSERT_TRUE(login());
    for (const char* bad : {"+OK\r\n1 100\r\n2 200\r\n.\r\n",                   // short
                            "+OK\r\n1 100\r\n2 200\r\n3 300\r\n4 400\r\n.\r\n", // long
                            "+OK\r\n1 100\r\n1 200\r\n3 300\r\n.\r\n",          // a number twice
                            "+OK\r\n1 100\r\n2 200\r\n9 300\r\n.\r\n",          // out of range
                            "+OK\r\n1 100\r\n2 2x0\r\n3 300\r\n.\r\n",          // not a number
                            "+OK\r\n1 100\r\n2\r\n3 300\r\n.\r\n"}) {           // no size
        mailbox("+OK 3 600\r\n", bad, "");
        EXPECT_FALSE(client->list()) << bad;
    }
}

TEST_F(Pop3ClientTest, HugeStatCountIsNotTrustedForAllocation)
{
    ASSERT_TRUE(login());
    mailbox("+OK 2147483647 1\r\n", "+OK\r\n1 100\r\n.\r\n", "+OK\r\n1 a\r\n.\r\n");
    EXPECT_FALSE(client->list());
    EXPECT_FALSE(client->uidl());
}

// Records how much room each reply was read into.
class RoomRecordingClient : public CPop3Client {
public:
    using CPop3Client::CPop3Client;
    std::vector<std::size_t> rooms;

protected:
    bool receiveReply(bool multiLine, std::size_t limit, std::size_t expectedSize,
                      std::string& reply) override
    {
        const bool ok = CPop3Client::receiveReply(multiLine, limit, expectedSize, reply);
        rooms.push_back(reply.capacity());
        return ok;
    }
};

TEST(Pop3ClientMemory, ClaimedCountsAndSizesSetAsideNoMoreThanTheBoundAhead)
{
    // A STAT of two billion and a listed size of two gigabytes, for replies of a few
    // bytes: the room follows the bytes, not the claims.
    Pop3Peer peer;
    peer.acceptLogin();
    RoomRecordingClient client(
        [&peer] { return std::make_unique<fakes::ScriptedTransport>(peer); });
    client.setClock([&peer] { return peer.now; });
    ASSERT_TRUE(client.login("127.0.0.1", "alice", "secret", 110));
    peer.reply("STAT\r\n", "+OK 2147483647 1\r\n");
    peer.reply("UIDL\r\n", "+OK\r\n1 a\r\n.\r\n");
    EXPECT_FALSE(client.uidl());
    peer.reply("STAT\r\n", "+OK 1 1\r\n");
    peer.reply("LIST\r\n", "+OK\r\n1 2147483647\r\n.\r\n");
    peer.reply("TOP 1 0\r\n", "+OK\r\nshort\r\n.\r\n");
    std::int32_t count = 0;
    std::int64_t total = 0;
    ASSERT_TRUE(client.stat(count, total));
    std::string text;
    ASSERT_TRUE(client.top(1, 0, text));
    EXPECT_EQ(text, "short\r\n");
    ASSERT_FALSE(client.rooms.empty());
    for (const std::size_t room : client.rooms)
        EXPECT_LE(room, mail::Pop3Limits::kReserveAhead + 1);
}

TEST_F(Pop3ClientTest, UidlFindsIdsInServerOrder)
{
    ASSERT_TRUE(login());
    mailbox("+OK 3 600\r\n", "", "+OK\r\n1 aaa\r\n2 bbb\r\n3 ccc\r\n.\r\n");
    int number = 0;
    ASSERT_TRUE(client->findUid("bbb", number));
    EXPECT_EQ(number, 2);
    EXPECT_FALSE(client->findUid("BBB", number));
    EXPECT_FALSE(client->findUid("zzz", number));
    std::string uid;
    ASSERT_TRUE(client->messageUid(3, uid));
    EXPECT_EQ(uid, "ccc");
}

TEST_F(Pop3ClientTest, UidlRefusesIdsLongerThanSeventyCharacters)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 1\r\n", "", "+OK\r\n1 " + std::string(70, 'u') + "\r\n.\r\n");
    EXPECT_TRUE(client->uidl());
    client->quit();
    ASSERT_TRUE(login());
    mailbox("+OK 1 1\r\n", "", "+OK\r\n1 " + std::string(71, 'u') + "\r\n.\r\n");
    EXPECT_FALSE(client->uidl());
}

TEST_F(Pop3ClientTest, TopUnstuffsDotsAndKeepsNulBytes)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 20\r\n", "+OK\r\n1 20\r\n.\r\n", "");
    const std::string body("..x\r\n.y\r\nz\0w\r\n", 14);
    peer.reply("TOP 1 2147483647\r\n", "+OK\r\n" + body + ".\r\n");
    std::string text;
    ASSERT_TRUE(client->top(1, mail::Pop3Limits::kWholeMessage, text));
    EXPECT_EQ(text, std::string(".x\r\ny\r\nz\0w\r\n", 12));
}

TEST_F(Pop3ClientTest, StatusLineEndsAtItsCrlfNotAtABareLineFeed)
{
    // The status line is everything up to its CRLF: a bare LF in it starts neither the
    // listing nor the message.
    ASSERT_TRUE(login());
    mailbox("+OK 1 20\r\n", "+OK 1\n1 999\r\n1 5\r\n.\r\n", "");
    std::int32_t size = 0;
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_EQ(size, 5);
    peer.reply("TOP 1 0\r\n", "+OK\r'\n..x\r\n..y\r\n.\r\n");
    std::string text;
    ASSERT_TRUE(client->top(1, 0, text));
    EXPECT_EQ(text, ".y\r\n");
}

TEST_F(Pop3ClientTest, StatWithAnotherCountReadsTheListingsAgain)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 5\r\n", "+OK\r\n1 5\r\n.\r\n", "+OK\r\n1 a\r\n.\r\n");
    std::int32_t size = 0;
    std::string uid;
    ASSERT_TRUE(client->messageSize(1, size));
    ASSERT_TRUE(client->messageUid(1, uid));
    // The server now says two: message 2 has no slot in the listings read for one.
    mailbox("+OK 2 12\r\n", "+OK\r\n1 5\r\n2 7\r\n.\r\n", "+OK\r\n1 a\r\n2 b\r\n.\r\n");
    std::int32_t count = 0;
    std::int64_t total = 0;
    ASSERT_TRUE(client->stat(count, total));
    ASSERT_TRUE(client->messageSize(2, size));
    EXPECT_EQ(size, 7);
    ASSERT_TRUE(client->messageUid(2, uid));
    EXPECT_EQ(uid, "b");
    // The same count again keeps what was read.
    peer.sent.clear();
    ASSERT_TRUE(client->stat(count, total));
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_EQ(peer.sent, (std::vector<std::string>{"STAT\r\n"}));
}

TEST_F(Pop3ClientTest, LoggingInAgainForgetsTheEarlierConnectionsListings)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 100\r\n", "+OK\r\n1 100\r\n.\r\n", "");
    std::int32_t size = 0;
    ASSERT_TRUE(client->messageSize(1, size));
    // No QUIT in between: the new connection's mailbox is asked for all the same.
    mailbox("+OK 1 7\r\n", "+OK\r\n1 7\r\n.\r\n", "");
    ASSERT_TRUE(login());
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_EQ(size, 7);
}

TEST_F(Pop3ClientTest, TerminatorSplitAcrossPiecesIsFound)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 5\r\n", "+OK\r\n1 5\r\n.\r\n", "");
    peer.replies["TOP 1 0\r\n"] = fakes::drip("+OK\r\nabc\r\n.\r\n", 10);
    std::string text;
    ASSERT_TRUE(client->top(1, 0, text));
    EXPECT_EQ(text, "abc\r\n");
}

TEST_F(Pop3ClientTest, NegativeMultiLineReplyFailsAtOnce)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 5\r\n", "+OK\r\n1 5\r\n.\r\n", "");
    peer.reply("TOP 1 0\r\n", "-ERR no such message\r\n");
    std::string text;
    const std::int64_t before = peer.now;
    EXPECT_FALSE(client->top(1, 0, text));
    EXPECT_EQ(client->errorNumber(), SocketError::kNegativeReply);
    EXPECT_EQ(peer.now, before);
}

TEST_F(Pop3ClientTest, MessageBeyondItsListedSizeIsReceivedWithinItsBound)
{
    ASSERT_TRUE(login());
    mailbox("+OK 2 100\r\n", "+OK\r\n1 100\r\n2 100\r\n.\r\n", "");
    const std::string larger(50000, 'a'); // far beyond size + 100, within the bound
    peer.reply("TOP 1 0\r\n", "+OK\r\n" + larger + "\r\n.\r\n");
    std::string text;
    ASSERT_TRUE(client->top(1, 0, text));
    EXPECT_EQ(text.size(), larger.size() + 2);
    peer.reply("TOP 2 0\r\n", "+OK\r\n" + std::string(200000, 'b') + "\r\n.\r\n");
    EXPECT_FALSE(client->top(2, 0, text));
    EXPECT_EQ(client->errorNumber(), SocketError::kMessageTooLong);
}

TEST_F(Pop3ClientTest, DeleteListsFirstAndRefusesNumbersOutsideTheMailbox)
{
    ASSERT_TRUE(login());
    mailbox("+OK 2 300\r\n", "+OK\r\n1 100\r\n2 200\r\n.\r\n", "");
    peer.reply("DELE 2\r\n", "+OK deleted\r\n");
    EXPECT_FALSE(client->deleteMessage(3));
    EXPECT_TRUE(client->deleteMessage(2));
    EXPECT_EQ(peer.commandsAfterLogin(),
              (std::vector<std::string>{"STAT\r\n", "LIST\r\n", "DELE 2\r\n"}));
}

TEST_F(Pop3ClientTest, QuitForgetsTheConnectionsListings)
{
    ASSERT_TRUE(login());
    mailbox("+OK 1 100\r\n", "+OK\r\n1 100\r\n.\r\n", "");
    std::int32_t size = 0;
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_TRUE(client->quit());
    EXPECT_FALSE(client->connected());
    ASSERT_TRUE(login());
    peer.sent.clear();
    ASSERT_TRUE(client->messageSize(1, size));
    EXPECT_EQ(peer.sent, (std::vector<std::string>{"STAT\r\n", "LIST\r\n"}));
}

} // namespace
