// The mail check: bounded lock waits that abandon instead of running unlocked, the
// check on a fresh connection and its novelty by unique id, the swap of the message
// list under readers that keep the old one, and what a finished check notifies.
#include "mail/check/cancellable_transport.h"
#include "mail/check/check_procedure.h"
#include "mail/mail_account.h"
#include "mail_check_fakes.h"
#include "pop3_fakes.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(waitForLock, TakesALockThatComesFreeWithinTheLimit)
{
    std::int64_t now = 0;
    fakes::ScheduledLock lock(now, 4900);
    EXPECT_EQ(mail::waitForLock(lock, 5000ms, [&] { return now; }), mail::LockWait::Locked);
    EXPECT_TRUE(lock.held);
}

TEST(waitForLock, GivesUpAtTheLimitWithoutTakingTheLock)
{
    std::int64_t now = 0;
    fakes::ScheduledLock lock(now, 5001);
    EXPECT_EQ(mail::waitForLock(lock, 5000ms, [&] { return now; }), mail::LockWait::TimedOut);
    EXPECT_FALSE(lock.held);
    EXPECT_EQ(now, 5000); // the last slice is cut to what is left
}

TEST(waitForLock, UnlimitedWaitOutlastsAnyLimitButNotACancel)
{
    std::int64_t now = 0;
    fakes::ScheduledLock lock(now, 600000);
    EXPECT_EQ(mail::waitForLock(lock, mail::kUnlimitedWait, [&] { return now; }),
              mail::LockWait::Locked);

    fakes::ScheduledLock busy(now, 1LL << 40);
    std::atomic<bool> cancel{true};
    EXPECT_EQ(mail::waitForLock(
                  busy, mail::kUnlimitedWait, [&] { return now; }, &cancel),
              mail::LockWait::Cancelled);
    EXPECT_FALSE(busy.held);
}

TEST(LockSet, SecondLockTimingOutReleasesTheFirstAndLogsTheAbandonedAction)
{
    std::int64_t now = 0;
    fakes::TestLog log;
    fakes::ScheduledLock data(now, 0);
    fakes::ScheduledLock connection(now, 1LL << 40);
    bool ran = false;
    {
        mail::LockSet locks({{&data, "data"}, {&connection, "connection"}}, "deleting all messages",
                            &log.log, [&] { return now; });
        ran = locks.held();
    }
    EXPECT_FALSE(ran);
    EXPECT_FALSE(data.held);
    EXPECT_EQ(data.unlocks, 1);
    EXPECT_EQ(connection.unlocks, 0); // never taken, never released
    ASSERT_EQ(log.sink.lines.size(), 1u);
    EXPECT_EQ(log.sink.lines[0],
              "Warning: " + mail::abandonedText("connection", "deleting all messages", 5000));
}

class CheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        peer.acceptLogin();
        serve({"a", "b", "c"});
        ctx.transports = [this] { return std::make_unique<fakes::ScriptedTransport>(peer); };
        ctx.checkLock = &checkLock;
        ctx.clock = [this] { return peer.now; };
        ctx.now = [] { return 1700000000u; };
        ctx.log = [this](const std::string& text, mail::LogLevel level) {
            lines.push_back(std::to_string(static_cast<int>(level)) + " " + text);
        };
        login.server = "127.0.0.1";
        login.userName = "alice";
        login.password = "secret";
    }
    void serve(const std::vector<std::string>& ids)
    {
        const std::string n = std::to_string(ids.size());
        peer.reply("STAT\r\n", "+OK " + n + " " + std::to_string(10 * ids.size()) + "\r\n");
        std::string list = "+OK\r\n";
        std::string uidl = "+OK\r\n";
        for (std::size_t i = 1; i <= ids.size(); ++i) {
            list += std::to_string(i) + " 10\r\n";
            uidl += std::to_string(i) + " " + ids[i - 1] + "\r\n";
            peer.reply("TOP " + std::to_string(i) + " 2147483647\r\n",
                       "+OK\r\ntext of " + ids[i - 1] + "\r\n.\r\n");
        }
        peer.reply("LIST\r\n", list + ".\r\n");
        peer.reply("UIDL\r\n", uidl + ".\r\n");
    }
    static std::vector<std::string> idsOf(const mail::MessageList& list)
    {
        std::vector<std::string> ids;
        for (const auto& m : list) {
            ids.push_back(m.uniqueId + (m.isNew ? "*" : ""));
        }
        return ids;
    }

    fakes::Pop3Peer peer;
    std::int64_t lockClock = 0;
    fakes::ScheduledLock checkLock{lockClock};
    mail::CheckContext ctx;
    mail::ServerLogin login;
    std::vector<std::string> lines;
};

TEST_F(CheckTest, OnlyIdsNotSeenBeforeAreNewAndTheWholeListComesBack)
{
    const mail::MessageList known{{"b", 0, 1, "old b"}, {"gone", 0, 0, "old"}};
    const auto outcome = mail::runCheck(login, known, ctx);
    ASSERT_TRUE(outcome.succeeded);
    EXPECT_TRUE(outcome.foundNew);
    EXPECT_EQ(outcome.lastCheck, 1700000000u);
    ASSERT_TRUE(outcome.messages);
    EXPECT_EQ(idsOf(*outcome.messages), (std::vector<std::string>{"a*", "b", "c*"}));
    EXPECT_EQ((*outcome.messages)[1].rawText, "text of b\r\n");
    EXPECT_EQ(known[0].isNew, 1); // the list it was given stays as it was
    EXPECT_EQ(peer.sent.back(), "QUIT\r\n");
    EXPECT_EQ(checkLock.locks, 1);
    EXPECT_FALSE(checkLock.held);
}

TEST_F(CheckTest, SecondCheckOfTheSameMailboxFindsNothingNew)
{
    const auto first = mail::runCheck(login, {}, ctx);
    ASSERT_TRUE(first.succeeded);
    const auto second = mail::runCheck(login, *first.messages, ctx);
    ASSERT_TRUE(second.succeeded);
    EXPECT_FALSE(second.foundNew);
    EXPECT_EQ(idsOf(*second.messages), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(peer.creates, 2); // every check on a connection of its own
}

TEST_F(CheckTest, FailedLoginNeverTakesTheCheckLockAndIsLogged)
{
    peer.reply("PASS secret\r\n", "-ERR no\r\n");
    const auto outcome = mail::runCheck(login, {}, ctx);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_FALSE(outcome.messages);
    EXPECT_EQ(checkLock.attempts, 0);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "2 Failed to connect to 127.0.0.1 as user alice.  Error Number 10043 "
                        "occured.");
}

TEST_F(CheckTest, FailedStatKeepsTheListAndSetsNoCheckTime)
{
    peer.reply("STAT\r\n", "-ERR mailbox busy\r\n");
    const auto outcome = mail::runCheck(login, {}, ctx);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_FALSE(outcome.messages);
    EXPECT_EQ(outcome.lastCheck, 0u);
    EXPECT_FALSE(checkLock.held);
}

TEST_F(CheckTest, CancelWhileWaitingForTheCheckLockQuitsWithoutTalking)
{
    checkLock.freeAt = 1LL << 40; // another account holds it
    std::atomic<bool> cancel{false};
    ctx.cancel = &cancel;
    checkLock.onWait = [&] { cancel = lockClock >= 3000; }; // called off after 3 s
    ctx.clock = [&] { return lockClock; };
    const auto outcome = mail::runCheck(login, {}, ctx);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(checkLock.locks, 0);
    EXPECT_EQ(checkLock.unlocks, 0);
    EXPECT_EQ(lockClock, 3000);
    EXPECT_EQ(peer.commandsAfterLogin(), (std::vector<std::string>{"QUIT\r\n"}));
}

TEST(CancellableTransport, CancelStopsALongWaitWithinASlice)
{
    fakes::Pop3Peer peer;
    peer.acceptLogin();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    mail::CPop3Client client(mail::cancellableFactory(
        [&] { return std::make_unique<fakes::ScriptedTransport>(peer); }, cancel,
        [&] {
            *cancel = peer.now >= 1000;
            return peer.now;
        }));
    client.setClock([&] { return peer.now; });
    client.setTimeoutMs(600000);
    ASSERT_TRUE(client.login("127.0.0.1", "alice", "secret", 110));
    std::int32_t count = 0;
    std::int64_t total = 0;
    EXPECT_FALSE(client.stat(count, total));
    EXPECT_LE(peer.now, 1000 + mail::kCancelSliceMs);
    EXPECT_EQ(client.errorNumber(), mail::kCancelledError);
}

TEST(AccountCheck, SwapLeavesReadersWithTheListTheyHold)
{
    mail::AccountCheck state;
    mail::AccountRecord record;
    record.messages = {{"a", 0, 1, "A"}};
    state.load(record);
    const mail::MessageListPtr shownInMenu = state.messages();

    ASSERT_TRUE(state.begin(mail::Worker::Thread));
    EXPECT_FALSE(state.begin(mail::Worker::Thread)); // one check at a time
    EXPECT_FALSE(state.complete(record));            // not finished yet
    mail::CheckOutcome outcome;
    outcome.succeeded = true;
    outcome.foundNew = true;
    outcome.lastCheck = 42;
    outcome.messages = std::make_shared<const mail::MessageList>(
        mail::MessageList{{"a", 0, 0, "A"}, {"b", 0, 1, "B"}});
    state.finish(outcome);
    EXPECT_FALSE(state.running());
    EXPECT_EQ(state.complete(record), mail::CheckEvent::NewMail);

    ASSERT_EQ(shownInMenu->size(), 1u);
    EXPECT_EQ((*shownInMenu)[0].rawText, "A");
    EXPECT_EQ(state.messages()->size(), 2u);
    EXPECT_EQ(record.messages.size(), 2u); // the account file saves the new list
    EXPECT_EQ(record.lastCheck, 42u);
    EXPECT_EQ(state.worker(), mail::Worker::None);
    EXPECT_TRUE(state.begin(mail::Worker::Thread));
}

TEST(AccountCheck, OpeningAMessageClearsItsNewFlagWithoutTouchingAShownList)
{
    mail::AccountCheck state;
    mail::AccountRecord record;
    record.messages = {{"a", 0, 1, "A"}, {"b", 0, 1, "B"}};
    state.load(record);
    const mail::MessageListPtr shownInMenu = state.messages();

    state.markSeen("b", record);
    EXPECT_EQ((*shownInMenu)[1].isNew, 1);
    EXPECT_EQ((*state.messages())[0].isNew, 1);
    EXPECT_EQ((*state.messages())[1].isNew, 0);
    EXPECT_EQ(record.messages[1].isNew, 0); // the account file keeps it
    EXPECT_EQ(record.messages[0].isNew, 1);
}

TEST(AccountCheck, FailedCheckKeepsTheListAndReportsAnError)
{
    mail::AccountCheck state;
    mail::AccountRecord record;
    record.messages = {{"a", 0, 0, "A"}};
    state.load(record);
    ASSERT_TRUE(state.begin(mail::Worker::Synchronous));
    state.finish(mail::CheckOutcome{});
    EXPECT_EQ(state.complete(record), mail::CheckEvent::Error);
    EXPECT_EQ(state.messages()->size(), 1u);
    EXPECT_EQ(record.messages.size(), 1u);
}

TEST(decideNotification, NewMailCountsEveryMessageAndFollowsTheSwitches)
{
    mail::NotifySettings on;
    on.soundFile = "ding.wav";
    on.showDialog = true;
    const auto n = mail::decideNotification(mail::CheckEvent::NewMail, on, "Work", 3);
    EXPECT_EQ(n.soundFile, "ding.wav");
    EXPECT_EQ(n.popupText, "3 new message(s) in your Work account");
    EXPECT_EQ(n.dialogText, n.popupText);
    EXPECT_TRUE(n.newMailIcon);

    mail::NotifySettings off;
    off.showTrayPopup = false;
    off.changeTrayIcon = false;
    const auto quiet = mail::decideNotification(mail::CheckEvent::NewMail, off, "Work", 3);
    EXPECT_EQ(quiet.event, mail::CheckEvent::NewMail); // the lists and tooltip still change
    EXPECT_TRUE(quiet.soundFile.empty());
    EXPECT_TRUE(quiet.popupText.empty());
    EXPECT_TRUE(quiet.dialogText.empty());
    EXPECT_FALSE(quiet.newMailIcon);
}

TEST(decideNotification, ErrorGoesOnlyToThePopup)
{
    mail::NotifySettings on;
    on.soundFile = "ding.wav";
    on.showDialog = true;
    const auto n = mail::decideNotification(mail::CheckEvent::Error, on, "Home", 0);
    EXPECT_EQ(n.popupText, "Could not connect to your Home account.");
    EXPECT_TRUE(n.soundFile.empty());
    EXPECT_TRUE(n.dialogText.empty());
    EXPECT_FALSE(n.newMailIcon);
}

} // namespace
