// One pass over a mailbox: which messages are new, what a failed retrieval keeps, and
// when the whole check has failed.
#include "mail/mailbox_check.h"
#include "pop3_fakes.h"

#include <gtest/gtest.h>

namespace {

class MailboxCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        peer.acceptLogin();
        client = fakes::clientFor(peer);
        peer.reply("STAT\r\n", "+OK 3 30\r\n");
        peer.reply("LIST\r\n", "+OK\r\n1 10\r\n2 10\r\n3 10\r\n.\r\n");
        peer.reply("UIDL\r\n", "+OK\r\n1 a\r\n2 b\r\n3 c\r\n.\r\n");
        for (const char* n : {"1", "2", "3"}) {
            peer.reply(std::string("TOP ") + n + " 2147483647\r\n",
                       std::string("+OK\r\nmessage ") + n + "\r\n.\r\n");
        }
        ASSERT_TRUE(client->login("127.0.0.1", "alice", "secret", 110));
    }
    static std::vector<mail::StoredMessage> known(std::vector<std::string> ids)
    {
        std::vector<mail::StoredMessage> list;
        for (auto& id : ids) {
            list.push_back({id, 0, 1, "old " + id + "\r\n"});
        }
        return list;
    }

    fakes::Pop3Peer peer;
    std::unique_ptr<mail::CPop3Client> client;
};

TEST_F(MailboxCheckTest, OnlyUnknownIdsAreNew)
{
    const auto check = mail::checkMailbox(*client, known({"a", "c", "gone"}));
    ASSERT_TRUE(check.succeeded);
    EXPECT_TRUE(check.foundNew);
    ASSERT_EQ(check.messages.size(), 3u);
    EXPECT_EQ(check.messages[0].isNew, 0);
    EXPECT_EQ(check.messages[1].isNew, 1);
    EXPECT_EQ(check.messages[1].uniqueId, "b");
    EXPECT_EQ(check.messages[1].rawText, "message 2\r\n");
    EXPECT_EQ(check.messages[2].isNew, 0);
}

TEST_F(MailboxCheckTest, FailedRetrievalKeepsThePreviousEntryForItsId)
{
    peer.reply("TOP 2 2147483647\r\n", "-ERR gone\r\n");
    const auto check = mail::checkMailbox(*client, known({"a", "b"}));
    ASSERT_TRUE(check.succeeded);
    EXPECT_TRUE(check.foundNew); // "c" only
    EXPECT_EQ(check.failedRetrievals, 1);
    ASSERT_EQ(check.messages.size(), 3u);
    EXPECT_EQ(check.messages[1].rawText, "old b\r\n");
    EXPECT_EQ(check.messages[1].isNew, 0);
    EXPECT_EQ(check.messages[2].isNew, 1);
}

TEST_F(MailboxCheckTest, EveryRetrievalFailingIsAFailedCheck)
{
    for (const char* n : {"1", "2", "3"}) {
        peer.reply(std::string("TOP ") + n + " 2147483647\r\n", "-ERR busy\r\n");
    }
    const auto check = mail::checkMailbox(*client, known({"a"}));
    EXPECT_FALSE(check.succeeded);
    EXPECT_EQ(check.failedRetrievals, 3);
}

TEST_F(MailboxCheckTest, NoIdsMeansNothingCanBeJudged)
{
    peer.reply("UIDL\r\n", "-ERR not supported\r\n");
    const auto check = mail::checkMailbox(*client, {});
    EXPECT_FALSE(check.succeeded);
    EXPECT_TRUE(check.messages.empty());
}

TEST_F(MailboxCheckTest, IdsThatCannotBeHadAreAskedForOnceNotPerMessage)
{
    // A count the server made up costs one UIDL, not one per message it claims.
    peer.reply("STAT\r\n", "+OK 100000 0\r\n");
    peer.reply("UIDL\r\n", "-ERR not supported\r\n");
    const auto check = mail::checkMailbox(*client, known({"a"}));
    EXPECT_FALSE(check.succeeded);
    EXPECT_EQ(check.failedRetrievals, 100000);
    EXPECT_TRUE(check.messages.empty());
    EXPECT_EQ(peer.commandsAfterLogin(), (std::vector<std::string>{"STAT\r\n", "UIDL\r\n"}));
}

TEST_F(MailboxCheckTest, EmptyMailboxAndFailedStat)
{
    peer.reply("STAT\r\n", "+OK 0 0\r\n");
    auto check = mail::checkMailbox(*client, known({"a"}));
    EXPECT_TRUE(check.succeeded);
    EXPECT_TRUE(check.messages.empty());
    peer.reply("STAT\r\n", "-ERR\r\n");
    check = mail::checkMailbox(*client, known({"a"}));
    EXPECT_FALSE(check.succeeded);
}

} // namespace
