// The user-interface thread's side of the checks over hand-finished threads: one
// check per account at a time, completion only of finished checks and only under the
// account's data lock, and accounts that go away while their check runs.
#include "mail/check/check_scheduler.h"
#include "mail_check_fakes.h"

#include <gtest/gtest.h>

namespace {

struct HandThreads : mail::CheckThreads {
    bool start(mail::AccountId account, const mail::ServerLogin& login,
               mail::MessageListPtr known) override
    {
        if (refuse) {
            return false;
        }
        started.push_back(account);
        servers.push_back(login.server);
        knownSizes.push_back(known->size());
        return true;
    }
    bool cancel(mail::AccountId account, unsigned) override
    {
        cancelled.push_back(account);
        return true;
    }
    mail::DrainedChecks drain() override { return std::exchange(queue, {}); }
    void finishWith(mail::AccountId account, std::vector<std::string> ids, bool isNew)
    {
        auto list = std::make_shared<mail::MessageList>();
        for (auto& id : ids) {
            list->push_back({id, 0, isNew ? 1 : 0, "text"});
        }
        mail::CheckOutcome outcome;
        outcome.succeeded = true;
        outcome.foundNew = isNew;
        outcome.messages = list;
        queue.finished.push_back({account, outcome});
    }

    bool refuse = false;
    std::vector<mail::AccountId> started;
    std::vector<std::string> servers;
    std::vector<std::size_t> knownSizes;
    std::vector<mail::AccountId> cancelled;
    mail::DrainedChecks queue;
};

class SchedulerTest : public ::testing::Test {
protected:
    SchedulerTest()
    {
        for (int i = 0; i < 2; ++i) {
            accounts[i] = std::make_unique<mail::CMailAccount>(nullptr);
            accounts[i]->record.name = i == 0 ? "Work" : "Home";
            accounts[i]->record.server = i == 0 ? "work.host" : "home.host";
        }
        accounts[0]->record.messages = {{"old", 0, 0, "old"}};
    }
    mail::CheckScheduler scheduler{threads, log.log, [this](mail::AccountId id) {
                                       return id < 2 ? accounts[id].get() : nullptr;
                                   }};
    HandThreads threads;
    fakes::TestLog log;
    std::unique_ptr<mail::CMailAccount> accounts[2];
};

TEST_F(SchedulerTest, SecondCheckWhileTheFirstRunsIsIgnored)
{
    EXPECT_TRUE(scheduler.check(0));
    EXPECT_FALSE(scheduler.check(0));
    EXPECT_EQ(threads.started, (std::vector<mail::AccountId>{0}));
    EXPECT_EQ(threads.knownSizes, (std::vector<std::size_t>{1})); // the account file's list
    EXPECT_EQ(log.sink.lines, (std::vector<std::string>{"Message: Checking for messages on "
                                                        "work.host."}));
}

TEST_F(SchedulerTest, PollCompletesOnlyFinishedChecks)
{
    EXPECT_EQ(scheduler.checkAll({0, 1, 7}), (std::vector<mail::AccountId>{0, 1}));
    const mail::MessageListPtr shown = scheduler.state(0).messages();
    threads.finishWith(0, {"old", "n1", "n2"}, true);
    threads.queue.log.push_back({"Connected to work.host as user x.", mail::LogLevel::Message});

    const auto reports = scheduler.poll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].account, 0u);
    EXPECT_EQ(reports[0].notification.popupText, "3 new message(s) in your Work account");
    EXPECT_EQ(log.sink.lines.back(), "Message: Connected to work.host as user x.");
    EXPECT_EQ(accounts[0]->record.messages.size(), 3u);
    EXPECT_EQ(shown->size(), 1u); // a menu built before the swap keeps its list
    EXPECT_FALSE(scheduler.checking(0));
    EXPECT_TRUE(scheduler.checking(1));
    EXPECT_TRUE(scheduler.poll().empty()); // completed once only
}

TEST_F(SchedulerTest, LockedDataLeavesTheCheckForTheNextTick)
{
    // While the lock is held, every look at the clock finds 6 s gone.
    bool held = false;
    long long calls = 0;
    mail::CheckScheduler jumpy(
        threads, log.log, [this](mail::AccountId id) { return accounts[id].get(); },
        [&] { return held ? 6000 * calls++ : 0; });
    ASSERT_TRUE(jumpy.check(1));
    threads.finishWith(1, {"a"}, false);
    accounts[1]->dataLock.lock();
    held = true;
    EXPECT_TRUE(jumpy.poll().empty());
    EXPECT_TRUE(accounts[1]->record.messages.empty());
    accounts[1]->dataLock.unlock();
    held = false;
    const auto reports = jumpy.poll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].notification.event, mail::CheckEvent::NoNews);
    EXPECT_EQ(accounts[1]->record.messages.size(), 1u);
}

TEST_F(SchedulerTest, ForgottenAccountsCheckIsCalledOffAndNeverCompleted)
{
    ASSERT_TRUE(scheduler.check(1));
    scheduler.forget(1);
    EXPECT_EQ(threads.cancelled, (std::vector<mail::AccountId>{1}));
    threads.finishWith(1, {"late"}, true); // what a slow thread might still queue
    EXPECT_TRUE(scheduler.poll().empty());
    EXPECT_TRUE(accounts[1]->record.messages.empty());
}

TEST_F(SchedulerTest, NoThreadIsAFailedCheckAtTheNextTick)
{
    threads.refuse = true;
    ASSERT_TRUE(scheduler.check(1));
    const auto reports = scheduler.poll();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].notification.event, mail::CheckEvent::Error);
    EXPECT_EQ(reports[0].notification.popupText, "Could not connect to your Home account.");
    EXPECT_TRUE(scheduler.check(1)); // and the account can be checked again
}

} // namespace
