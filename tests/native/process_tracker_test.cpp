#include "meter/measure/process_tracker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Hands out a fresh handle per counter and remembers the instance name each was added
// for: a process reads its own figures exactly when its handles carry its name.
class NamingBinder : public ProcessCounterBinder {
public:
    std::map<std::uintptr_t, std::string> pathOf;
    std::vector<std::string> removed;
    std::set<std::string> failing; // instance names whose counters cannot be added

    bool addCounters(const std::string& instanceName, PdhCounterHandle* time,
                     PdhCounterHandle* memory) override
    {
        if (failing.count(instanceName) != 0)
            return false;
        *time = next("time " + instanceName);
        *memory = next("memory " + instanceName);
        return true;
    }
    void removeCounters(PdhCounterHandle time, PdhCounterHandle memory) override
    {
        removed.push_back(name(time));
        removed.push_back(name(memory));
    }
    std::string name(PdhCounterHandle h) const
    {
        return pathOf.at(reinterpret_cast<std::uintptr_t>(h));
    }

private:
    PdhCounterHandle next(const std::string& path)
    {
        pathOf[++last_] = path;
        return reinterpret_cast<PdhCounterHandle>(last_);
    }
    std::uintptr_t last_ = 0;
};

struct Tracked {
    std::uint32_t pid;
    std::string instanceName;
    bool operator==(const Tracked& o) const
    {
        return pid == o.pid && instanceName == o.instanceName;
    }
};

void PrintTo(const Tracked& t, std::ostream* os)
{
    *os << t.pid << " " << t.instanceName;
}

class processTracker : public ::testing::Test {
protected:
    ProcessTracker tracker;
    NamingBinder binder;

    void refresh(const std::vector<ProcessIdentity>& current, bool idle = false)
    {
        tracker.refresh(current, idle, binder);
    }

    std::vector<Tracked> tracked() const
    {
        std::vector<Tracked> out;
        for (const TrackedProcess& p : tracker.entries())
            out.push_back({p.pid, p.instanceName()});
        return out;
    }

    // Every tracked process reads the counters of its own instance name.
    void expectBoundToOwnNames() const
    {
        for (const TrackedProcess& p : tracker.entries()) {
            EXPECT_EQ(binder.name(p.timeCounter), "time " + p.instanceName());
            EXPECT_EQ(binder.name(p.memoryCounter), "memory " + p.instanceName());
        }
    }
};

const std::vector<ProcessIdentity> kSvchosts = {{"Svchost", 10}, {"Svchost", 20}, {"Svchost", 30}};

} // namespace

TEST_F(processTracker, numbersSameNamedProcessesInOrder)
{
    refresh({{"Svchost", 10}, {"Explorer", 5}, {"Svchost", 20}});
    EXPECT_EQ(tracked(),
              (std::vector<Tracked>{{10, "Svchost"}, {5, "Explorer"}, {20, "Svchost#1"}}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, aMiddleProcessEndingHandsItsCountersUp)
{
    refresh(kSvchosts);
    refresh({{"Svchost", 10}, {"Svchost", 30}});
    // The counters of svchost#2 go; the former #2 is now #1 and reads #1's counters.
    EXPECT_EQ(binder.removed, (std::vector<std::string>{"time Svchost#2", "memory Svchost#2"}));
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{10, "Svchost"}, {30, "Svchost#1"}}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, theSecondOfTwoEndingTakesOnlyItsOwnCounters)
{
    refresh({{"Svchost", 10}, {"Svchost", 20}});
    refresh({{"Svchost", 10}});
    EXPECT_EQ(binder.removed, (std::vector<std::string>{"time Svchost#1", "memory Svchost#1"}));
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{10, "Svchost"}}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, theFirstOfTwoEndingLeavesTheOtherAsTheFirst)
{
    refresh({{"Svchost", 10}, {"Svchost", 20}});
    refresh({{"Svchost", 20}});
    EXPECT_EQ(binder.removed, (std::vector<std::string>{"time Svchost#1", "memory Svchost#1"}));
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{20, "Svchost"}}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, severalEndingAtOnceKeepTheRestOnTheirNames)
{
    refresh({{"Svchost", 10}, {"Svchost", 20}, {"Svchost", 30}, {"Svchost", 40}, {"Lsass", 7}});
    refresh({{"Svchost", 20}, {"Svchost", 40}, {"Lsass", 7}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{20, "Svchost"}, {40, "Svchost#1"}, {7, "Lsass"}}));
    expectBoundToOwnNames();
    EXPECT_EQ(std::set<std::string>(binder.removed.begin(), binder.removed.end()),
              (std::set<std::string>{"time Svchost#2", "memory Svchost#2", "time Svchost#3",
                                     "memory Svchost#3"}));
}

TEST_F(processTracker, namesMatchIgnoringCase)
{
    refresh({{"Svchost", 10}, {"SVCHOST", 20}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{10, "Svchost"}, {20, "SVCHOST#1"}}));
    refresh({{"SVCHOST", 20}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{20, "SVCHOST"}}));
}

TEST_F(processTracker, aNewProcessTakesTheNextNumberOfItsName)
{
    refresh({{"Svchost", 10}, {"Svchost", 20}});
    refresh({{"Svchost", 10}, {"Svchost", 20}, {"Svchost", 50}});
    EXPECT_EQ(tracked().back(), (Tracked{50, "Svchost#2"}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, aReusedIdWithAnotherNameIsANewProcess)
{
    refresh({{"Notepad", 100}, {"Explorer", 5}});
    refresh({{"Calc", 100}, {"Explorer", 5}});
    EXPECT_EQ(binder.removed, (std::vector<std::string>{"time Notepad", "memory Notepad"}));
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{5, "Explorer"}, {100, "Calc"}}));
    expectBoundToOwnNames();
}

TEST_F(processTracker, anUnchangedListAddsAndRemovesNothing)
{
    refresh(kSvchosts);
    const std::size_t added = binder.pathOf.size();
    refresh(kSvchosts);
    EXPECT_EQ(binder.pathOf.size(), added);
    EXPECT_TRUE(binder.removed.empty());
}

TEST_F(processTracker, theIdleProcessOnlyWhenAsked)
{
    refresh({{"Idle", 0}, {"System", 4}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{4, "System"}}));
    refresh({{"Idle", 0}, {"System", 4}}, true);
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{4, "System"}, {0, "Idle"}}));
}

TEST_F(processTracker, aProcessWhoseCountersFailIsTriedAgain)
{
    binder.failing = {"Svchost#1"};
    refresh({{"Svchost", 10}, {"Svchost", 20}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{10, "Svchost"}}));
    binder.failing.clear();
    refresh({{"Svchost", 10}, {"Svchost", 20}});
    EXPECT_EQ(tracked(), (std::vector<Tracked>{{10, "Svchost"}, {20, "Svchost#1"}}));
}

namespace {

TrackedProcess entry(const std::string& name, int instance, std::int32_t share,
                     std::uint64_t memory, std::uint32_t seconds)
{
    TrackedProcess p;
    p.name = name;
    p.instance = instance;
    p.sortName = lowerName(p.instanceName());
    p.share = share;
    p.workingSet = memory;
    p.totalSeconds = seconds;
    return p;
}

std::vector<std::string> sortedNames(std::vector<TrackedProcess> list, ProcessSortOrder order)
{
    ProcessTracker tracker;
    tracker.entries() = std::move(list);
    tracker.sort(order);
    std::vector<std::string> names;
    for (const TrackedProcess& p : tracker.entries())
        names.push_back(p.instanceName());
    return names;
}

// Ties on the first key everywhere, so that every later key is exercised.
const std::vector<TrackedProcess> kTied = {entry("b", 0, 5, 100, 9), entry("a", 0, 5, 100, 9),
                                           entry("c", 0, 5, 300, 9), entry("d", 0, 5, 100, 20),
                                           entry("E", 0, 7, 100, 1), entry("a", 1, 5, 100, 9)};

} // namespace

TEST(processSort, byUsageThenTimeThenMemoryThenName)
{
    EXPECT_EQ(sortedNames(kTied, ProcessSortOrder::CpuUsage),
              (std::vector<std::string>{"E", "d", "c", "a", "a#1", "b"}));
}

TEST(processSort, byNameIgnoringCase)
{
    EXPECT_EQ(sortedNames(kTied, ProcessSortOrder::Name),
              (std::vector<std::string>{"a", "a#1", "b", "c", "d", "E"}));
}

TEST(processSort, byMemoryThenTimeThenUsageThenName)
{
    EXPECT_EQ(sortedNames(kTied, ProcessSortOrder::MemoryUsage),
              (std::vector<std::string>{"c", "d", "a", "a#1", "b", "E"}));
}

TEST(processSort, byTotalTimeThenUsageThenMemoryThenName)
{
    EXPECT_EQ(sortedNames(kTied, ProcessSortOrder::TotalCpuTime),
              (std::vector<std::string>{"d", "c", "a", "a#1", "b", "E"}));
}

TEST(processSort, sharesAboveOneProcessorSortAboveTheRest)
{
    EXPECT_EQ(sortedNames({entry("one", 0, 100, 0, 0), entry("three", 0, 300, 0, 0)},
                          ProcessSortOrder::CpuUsage),
              (std::vector<std::string>{"three", "one"}));
}

TEST(processSort, aStoredOrderOutsideTheListSortsByUsage)
{
    EXPECT_EQ(processSortOrder(2), ProcessSortOrder::MemoryUsage);
    EXPECT_EQ(processSortOrder(4), ProcessSortOrder::CpuUsage);
    EXPECT_EQ(processSortOrder(-1), ProcessSortOrder::CpuUsage);
}
