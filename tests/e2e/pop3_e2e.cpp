// The POP3 client over Winsock against dovecot on loopback, started by the ctest
// fixture (pop3_server.py). What the client reads is compared with what Python's
// poplib read from the same mailbox, written by the fixture into the work folder.
#include "mail/mail_account.h"
#include "mail/pop3_socket.h"

#include "tests/e2e/pop3_fixture.h"

#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstdio>
#include <sstream>

namespace {

using namespace pop3fixture;

int g_downPort = 0;

struct Expected {
    int count = 0;
    long long total = 0;
    std::vector<int> sizes;
    std::vector<std::string> uids;
};

Expected expected()
{
    Expected e;
    std::istringstream in(readFile(g_work + "expected"));
    in >> e.count >> e.total;
    for (int i = 0; i < e.count; ++i) {
        int n = 0;
        int size = 0;
        std::string uid;
        in >> n >> size >> uid;
        e.sizes.push_back(size);
        e.uids.push_back(uid);
    }
    return e;
}

std::unique_ptr<mail::CPop3Client> client()
{
    auto c = std::make_unique<mail::CPop3Client>(mail::CPop3Socket::make);
    c->setTimeoutMs(5000);
    return c;
}

struct RecordingSink : mail::LogSink {
    void writeLine(const std::string& line) override { lines.push_back(line.substr(13)); }
    std::vector<std::string> lines;
};

TEST(Pop3Server, MailboxReadsAsPoplibReadsIt)
{
    const Expected e = expected();
    ASSERT_GT(e.count, 1);
    auto c = client();
    ASSERT_TRUE(c->login("127.0.0.1", "alice", "secret", g_port)) << c->lastReply();
    std::int32_t count = 0;
    std::int64_t total = 0;
    ASSERT_TRUE(c->stat(count, total));
    EXPECT_EQ(count, e.count);
    EXPECT_EQ(total, e.total);
    for (int n = 1; n <= e.count; ++n) {
        std::int32_t size = 0;
        std::string uid;
        std::string text;
        ASSERT_TRUE(c->messageSize(n, size));
        ASSERT_TRUE(c->messageUid(n, uid));
        ASSERT_TRUE(c->top(n, mail::Pop3Limits::kWholeMessage, text)) << c->lastReply();
        EXPECT_EQ(size, e.sizes[n - 1]);
        EXPECT_EQ(uid, e.uids[n - 1]);
        EXPECT_EQ(text, readFile(g_work + "expected." + std::to_string(n))) << n;
    }
    int found = 0;
    ASSERT_TRUE(c->findUid(e.uids[1], found));
    EXPECT_EQ(found, 2);
    EXPECT_TRUE(c->quit());
}

TEST(Pop3Server, TopWithFewLinesGivesTheHeaderAndThoseLines)
{
    auto c = client();
    ASSERT_TRUE(c->login("127.0.0.1", "alice", "secret", g_port));
    std::string text;
    ASSERT_TRUE(c->top(1, 4, text));
    const std::string whole = readFile(g_work + "expected.1");
    const std::size_t bodyStart = whole.find("\r\n\r\n") + 4;
    // Lines 4 and 5 of the body begin with dots on disk; the fourth arrives unstuffed.
    std::size_t end = bodyStart;
    for (int i = 0; i < 4; ++i) {
        end = whole.find("\r\n", end) + 2;
    }
    EXPECT_EQ(text, whole.substr(0, end));
    EXPECT_EQ(text.substr(text.size() - 18), ".hidden dot line\r\n");
    c->quit();
}

TEST(Pop3Server, DeletionTakesEffectAtQuit)
{
    auto c = client();
    ASSERT_TRUE(c->login("127.0.0.1", "bob", "secret", g_port));
    std::string uid;
    ASSERT_TRUE(c->messageUid(1, uid));
    ASSERT_TRUE(c->deleteMessage(1));
    EXPECT_FALSE(c->deleteMessage(99));
    ASSERT_TRUE(c->quit());

    ASSERT_TRUE(c->login("127.0.0.1", "bob", "secret", g_port));
    std::int32_t count = 0;
    std::int64_t total = 0;
    ASSERT_TRUE(c->stat(count, total));
    EXPECT_EQ(count, 2);
    int number = 0;
    EXPECT_FALSE(c->findUid(uid, number));
    c->quit();
}

TEST(Pop3Server, WrongPasswordIsANegativeReplyInTheLog)
{
    RecordingSink window;
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    log.open(nullptr, &window, false);
    mail::CMailAccount account(mail::CPop3Socket::make);
    account.record.server = "127.0.0.1";
    account.record.port = g_port;
    account.record.userName = "alice";
    account.record.password = "wrong";
    account.notify.timeoutSeconds = 10; // dovecot waits a little before it refuses
    EXPECT_FALSE(account.connect(log));
    EXPECT_EQ(account.pop3.errorNumber(), mail::SocketError::kNegativeReply);
    EXPECT_EQ(account.pop3.lastReply().substr(0, 4), "-ERR");
    EXPECT_FALSE(account.pop3.connected());
    ASSERT_EQ(window.lines.size(), 1u);
    EXPECT_EQ(window.lines[0], "*Error*: Failed to connect to 127.0.0.1 as user alice.  Error "
                               "Number 10043 occured.");
}

TEST(Pop3Server, ClosedPortFailsWithTheSystemsError)
{
    RecordingSink window;
    mail::CMailLog log([] { return mail::TimeOfDay{}; });
    log.open(nullptr, &window, false);
    mail::CMailAccount account(mail::CPop3Socket::make);
    account.record.server = "127.0.0.1";
    account.record.port = g_downPort;
    account.record.userName = "alice";
    EXPECT_FALSE(account.connect(log));
    EXPECT_EQ(account.pop3.errorNumber(), WSAECONNREFUSED);
    ASSERT_EQ(window.lines.size(), 1u);
    EXPECT_EQ(window.lines[0], "*Error*: Failed to connect to 127.0.0.1 as user alice.  Error "
                               "Number 10061 occured.");
}

TEST(Pop3Server, SilentPeerTimesOutWithinTheTimeout)
{
    // A listening socket that never answers: the greeting times out.
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    auto c = client();
    c->setTimeoutMs(1000);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(c->login("127.0.0.1", "alice", "secret", ntohs(address.sin_port)));
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(c->errorNumber(), mail::SocketError::kTimedOut);
    EXPECT_GE(elapsed, 900u);
    EXPECT_LT(elapsed, 4000u);
    closesocket(listener);
}

TEST(Pop3Server, UnknownHostNameIsAnInvalidArgument)
{
    auto c = client();
    EXPECT_FALSE(c->login("no-such-host.invalid", "alice", "secret", g_port));
    EXPECT_EQ(c->errorNumber(), mail::SocketError::kInvalidArgument);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: pop3_e2e WORKDIR (the fixture's Unix path)\n");
        return 2;
    }
    const bool loaded = pop3fixture::load(argv[1]);
    g_downPort = std::atoi(readFile(g_work + "down_port").c_str());
    if (!loaded || g_downPort <= 0) {
        std::fprintf(stderr, "pop3_e2e: no server port in %s\n", argv[1]);
        return 2;
    }
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    WSACleanup();
    return result;
}
