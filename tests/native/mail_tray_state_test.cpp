#include "mail/tray/tray_state.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

using namespace mail;

namespace {

// Three accounts, identified by the addresses of their entries here.
struct Accounts {
    std::map<TrayAccountKey, TrayAccountInfo> info;
    TrayAccountInfo home{"Home", true}, work{"Work", true}, lists{"Lists", true};
    TrayAccountKey a = &home, b = &work, c = &lists;
    TrayAccountLookup lookup = [](TrayAccountKey key) {
        return *static_cast<const TrayAccountInfo*>(key);
    };
};

const std::string kHost = "Brellix";

} // namespace

TEST(trayState, idleShowsTheNormalIconAndTheHostName)
{
    Accounts acc;
    TrayAccountLists lists;
    const auto view = lists.current(acc.lookup, kHost);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->icon, kTrayIconNormal);
    EXPECT_EQ(view->tooltip, kHost);
}

TEST(trayState, checkingOutranksNewsAndErrorsAndNamesInListOrder)
{
    Accounts acc;
    TrayAccountLists lists;
    lists.change(TrayEvent::NewMail, acc.a, acc.lookup, kHost);
    lists.change(TrayEvent::Error, acc.c, acc.lookup, kHost);
    lists.change(TrayEvent::CheckStarted, acc.b, acc.lookup, kHost);
    auto view = lists.change(TrayEvent::CheckStarted, acc.c, acc.lookup, kHost);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->icon, kTrayIconCommunicating);
    EXPECT_EQ(view->tooltip, "Communicating with: Work, Lists");
    // Starting a check again does not list the account twice.
    view = lists.change(TrayEvent::CheckStarted, acc.b, acc.lookup, kHost);
    EXPECT_EQ(view->tooltip, "Communicating with: Work, Lists");
}

TEST(trayState, newsOutranksErrorsOnceNoCheckRuns)
{
    Accounts acc;
    TrayAccountLists lists;
    lists.change(TrayEvent::CheckStarted, acc.a, acc.lookup, kHost);
    lists.change(TrayEvent::CheckStarted, acc.b, acc.lookup, kHost);
    lists.change(TrayEvent::Error, acc.a, acc.lookup, kHost);
    auto view = lists.change(TrayEvent::NewMail, acc.b, acc.lookup, kHost);
    EXPECT_EQ(view->icon, kTrayIconNewMail);
    EXPECT_EQ(view->tooltip, "You've got new mail on: Work");
    // The news is read by a check that finds nothing new: the error shows again.
    lists.change(TrayEvent::CheckStarted, acc.b, acc.lookup, kHost);
    view = lists.change(TrayEvent::NoNews, acc.b, acc.lookup, kHost);
    EXPECT_EQ(view->icon, kTrayIconError);
    EXPECT_EQ(view->tooltip, "Error receiving mail on: Home");
    // A successful check takes the account out of the error list.
    lists.change(TrayEvent::CheckStarted, acc.a, acc.lookup, kHost);
    view = lists.change(TrayEvent::NoNews, acc.a, acc.lookup, kHost);
    EXPECT_EQ(view->icon, kTrayIconNormal);
    EXPECT_EQ(view->tooltip, kHost);
}

TEST(trayState, quietAccountsAreLeftOutOfTheTipAndKeepTheIcon)
{
    Accounts acc;
    acc.work.changeTrayIcon = false;
    TrayAccountLists lists;
    lists.change(TrayEvent::NewMail, acc.a, acc.lookup, kHost);
    auto view = lists.change(TrayEvent::NewMail, acc.b, acc.lookup, kHost);
    EXPECT_EQ(view->icon, kTrayIconNewMail);
    EXPECT_EQ(view->tooltip, "You've got new mail on: Home");

    // Only quiet accounts have news: the icon stays, the tip still names them.
    TrayAccountLists quiet;
    view = quiet.change(TrayEvent::NewMail, acc.b, acc.lookup, kHost);
    EXPECT_EQ(view->icon, 0);
    EXPECT_EQ(view->tooltip, "You've got new mail on: Work");
}

TEST(trayState, tipsUseTheCurrentNames)
{
    Accounts acc;
    TrayAccountLists lists;
    lists.change(TrayEvent::Error, acc.a, acc.lookup, kHost);
    acc.home.name = "Private";
    EXPECT_EQ(lists.current(acc.lookup, kHost)->tooltip, "Error receiving mail on: Private");
}

TEST(trayState, aForgottenAccountLeavesEveryList)
{
    Accounts acc;
    TrayAccountLists lists;
    lists.change(TrayEvent::NewMail, acc.a, acc.lookup, kHost);
    lists.change(TrayEvent::Error, acc.b, acc.lookup, kHost);
    lists.change(TrayEvent::CheckStarted, acc.c, acc.lookup, kHost);
    lists.change(TrayEvent::CheckStarted, acc.a, acc.lookup, kHost);
    ASSERT_TRUE(lists.forget(acc.a));
    EXPECT_EQ(lists.checking(), std::vector<TrayAccountKey>{acc.c});
    EXPECT_TRUE(lists.newMail().empty());
    EXPECT_EQ(lists.errors(), std::vector<TrayAccountKey>{acc.b});
}

TEST(trayState, aListLockHeldTooLongGivesNoView)
{
    Accounts acc;
    TrayAccountLists lists(std::chrono::milliseconds(20));
    std::unique_lock<std::timed_mutex> held(lists.mutex());
    // The lock is not recursive, so a second owner must be another thread.
    std::optional<TrayView> view = TrayView{};
    bool forgotten = true;
    std::thread other([&] {
        view = lists.change(TrayEvent::NewMail, acc.a, acc.lookup, kHost);
        forgotten = lists.forget(acc.a);
    });
    other.join();
    EXPECT_FALSE(view);
    EXPECT_FALSE(forgotten);
    held.unlock();
    EXPECT_TRUE(lists.newMail().empty()); // the change did not happen
}
