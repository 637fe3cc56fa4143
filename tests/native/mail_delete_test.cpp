// Deleting on the server: one message by its unique id on a connection of its own,
// committed by QUIT, and "delete all" after a synchronous check.
#include "mail/check/check_procedure.h"
#include "mail_check_fakes.h"
#include "pop3_fakes.h"

#include <gtest/gtest.h>

namespace {

class DeleteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        peer.acceptLogin();
        peer.reply("STAT\r\n", "+OK 2 20\r\n");
        peer.reply("LIST\r\n", "+OK\r\n1 10\r\n2 10\r\n.\r\n");
        peer.reply("UIDL\r\n", "+OK\r\n1 x1\r\n2 x2\r\n.\r\n");
        peer.reply("TOP 1 2147483647\r\n", "+OK\r\none\r\n.\r\n");
        peer.reply("TOP 2 2147483647\r\n", "+OK\r\ntwo\r\n.\r\n");
        peer.reply("DELE 1\r\n", "+OK\r\n");
        peer.reply("DELE 2\r\n", "+OK\r\n");
        ctx.transports = [this] { return std::make_unique<fakes::ScriptedTransport>(peer); };
        ctx.checkLock = &checkLock;
        ctx.clock = [this] { return now; };
        ctx.now = [] { return 1u; };
        ctx.log = [](const std::string&, mail::LogLevel) {};
        login.accountName = "Home";
        login.server = "127.0.0.1";
        login.userName = "alice";
        login.password = "secret";
    }
    mail::DeleteAllReport deleteAll(bool answer = true)
    {
        return mail::deleteAll(
            {state, record, login, dataLock, connectionLock},
            [this, answer](std::size_t count) {
                asked = count;
                // The user may take as long as they like: no lock may be held.
                EXPECT_FALSE(dataLock.held);
                EXPECT_FALSE(connectionLock.held);
                return answer;
            },
            ctx, log.log);
    }
    // What changes the mailbox, in order: logins, retrievals, deletions and QUIT.
    std::vector<std::string> sessions() const
    {
        std::vector<std::string> out;
        for (const auto& s : peer.sent) {
            const std::string line = s.substr(0, s.size() - 2);
            if (line.rfind("USER", 0) == 0) {
                out.push_back("login");
            } else if (line.rfind("TOP", 0) == 0 || line.rfind("DELE", 0) == 0 || line == "QUIT") {
                out.push_back(line);
            }
        }
        return out;
    }

    fakes::Pop3Peer peer;
    std::int64_t now = 0;
    fakes::ScheduledLock checkLock{now};
    fakes::ScheduledLock dataLock{now};
    fakes::ScheduledLock connectionLock{now};
    mail::CheckContext ctx;
    mail::ServerLogin login;
    mail::AccountCheck state;
    mail::AccountRecord record;
    fakes::TestLog log;
    std::size_t asked = 0;
};

TEST_F(DeleteTest, OneMessageOnItsOwnConnectionCommittedByQuit)
{
    EXPECT_TRUE(mail::deleteMessageById(login, "x2", connectionLock, ctx, &log.log));
    EXPECT_EQ(sessions(), (std::vector<std::string>{"login", "DELE 2", "QUIT"}));
    EXPECT_FALSE(connectionLock.held);
    EXPECT_EQ(connectionLock.unlocks, 1);
}

TEST_F(DeleteTest, OneMessageFailsWhenQuitDoesNotCommit)
{
    peer.reply("QUIT\r\n", "-ERR could not remove\r\n");
    EXPECT_FALSE(mail::deleteMessageById(login, "x1", connectionLock, ctx, &log.log));
}

TEST_F(DeleteTest, OneMessageWaitsNoLongerThanTheLimitForABusyConnection)
{
    connectionLock.freeAt = 6000;
    EXPECT_FALSE(mail::deleteMessageById(login, "x1", connectionLock, ctx, &log.log));
    EXPECT_TRUE(peer.sent.empty()); // never talked to the server unlocked
    ASSERT_EQ(log.sink.lines.size(), 1u);
    EXPECT_EQ(log.sink.lines[0].rfind("Warning: Gave up waiting for the connection lock", 0), 0u);
}

TEST_F(DeleteTest, AllAfterTheCheckOnOneConnection)
{
    const auto report = deleteAll();
    EXPECT_EQ(report.result, mail::DeleteAllResult::Done);
    EXPECT_EQ(report.checkEvent, mail::CheckEvent::NewMail);
    EXPECT_EQ(asked, 2u);
    EXPECT_EQ(report.failures, 0u);
    EXPECT_EQ(sessions(), (std::vector<std::string>{"login", "TOP 1 2147483647", "TOP 2 2147483647",
                                                    "QUIT", "login", "DELE 1", "DELE 2", "QUIT"}));
    EXPECT_EQ(log.sink.lines.back(), "Message: Removed all messages from server 127.0.0.1.");
    EXPECT_EQ(state.messages()->size(), 2u); // the next check replaces the list
    EXPECT_FALSE(dataLock.held);
    EXPECT_FALSE(connectionLock.held);
}

TEST_F(DeleteTest, AllCountsFailedDeletionsAndDoesNotClaimSuccess)
{
    peer.reply("DELE 2\r\n", "-ERR no such message\r\n");
    const auto report = deleteAll();
    EXPECT_EQ(report.failures, 1u);
    EXPECT_EQ(log.sink.lines.back(), "*Error*: Could not remove 1 of 2 messages from server "
                                     "127.0.0.1.");
}

TEST_F(DeleteTest, AllLostWhenQuitFails)
{
    peer.reply("QUIT\r\n", "-ERR some deleted messages not removed\r\n");
    const auto report = deleteAll();
    EXPECT_EQ(report.result, mail::DeleteAllResult::Done);
    EXPECT_EQ(report.failures, 2u);
}

TEST_F(DeleteTest, AllStopsWhenTheCheckFails)
{
    peer.reply("STAT\r\n", "-ERR busy\r\n");
    const auto report = deleteAll();
    EXPECT_EQ(report.result, mail::DeleteAllResult::CheckFailed);
    EXPECT_EQ(report.checkEvent, mail::CheckEvent::Error);
    EXPECT_EQ(asked, 0u);
    for (const auto& s : peer.sent) {
        EXPECT_NE(s.rfind("DELE", 0), 0u) << s;
    }
}

TEST_F(DeleteTest, AllWithAnEmptyMailboxAsksNothingAndWarns)
{
    peer.reply("STAT\r\n", "+OK 0 0\r\n");
    peer.reply("LIST\r\n", "+OK\r\n.\r\n");
    peer.reply("UIDL\r\n", "+OK\r\n.\r\n");
    const auto report = deleteAll();
    EXPECT_EQ(report.result, mail::DeleteAllResult::NoMessages);
    EXPECT_EQ(asked, 0u);
    EXPECT_EQ(log.sink.lines.back(),
              "Warning: There are no messages to delete in the 'Home' account.");
}

TEST_F(DeleteTest, AllDeclinedDeletesNothing)
{
    const auto report = deleteAll(false);
    EXPECT_EQ(report.result, mail::DeleteAllResult::Declined);
    EXPECT_EQ(peer.sent.back(), "QUIT\r\n");
    EXPECT_EQ(std::count(peer.sent.begin(), peer.sent.end(), "USER alice\r\n"), 1);
}

TEST_F(DeleteTest, AllIsRefusedWhileACheckOfTheAccountRuns)
{
    ASSERT_TRUE(state.begin(mail::Worker::Thread));
    EXPECT_EQ(deleteAll().result, mail::DeleteAllResult::Busy);
    EXPECT_TRUE(peer.sent.empty());
}

} // namespace
