#include "meter/graph_meter.h"
#include "meter/timer_set.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class FakeTimers : public TimerService {
public:
    std::uintptr_t startTimer(int slot, unsigned ms) override
    {
        const std::uintptr_t id = ++next;
        running[id] = {slot, ms};
        ++starts;
        return id;
    }
    void stopTimer(std::uintptr_t id) override { running.erase(id); }

    unsigned intervalOfSlot(int slot) const
    {
        for (const auto& [id, timer] : running)
            if (timer.first == slot)
                return timer.second;
        return 0;
    }
    std::uintptr_t idOfSlot(int slot) const
    {
        for (const auto& [id, timer] : running)
            if (timer.first == slot)
                return id;
        return 0;
    }

    std::uintptr_t next = 100;
    int starts = 0;
    std::map<std::uintptr_t, std::pair<int, unsigned>> running;
};

class TrayLog : public MeterView {
public:
    explicit TrayLog(std::vector<std::string>& log) : log_(log) {}
    void redrawNow() override {}
    void setTrayIcon(int, const std::string& tip) override { log_.push_back("tray " + tip); }
    void removeTrayIcon() override {}

private:
    std::vector<std::string>& log_;
};

// Records the order of work; can re-enter a tick from inside a collection, as a
// message box pumping messages would.
class Program : public TickHandler {
public:
    Program() : cpu(settings), net(settings), disk(settings), view(log)
    {
        cpu.setCounter(&cpuCounter, false);
        net.setCounter(&netCounter, false);
        disk.setCounter(&diskCounter, false);
        net.options().setActive(true);
        net.options().setTimer(2);
        disk.options().setTimer(1); // inactive
        disk.options().setTrayIcon(true);
        for (Meter* m : list)
            m->setView(&view);
    }

    void refreshDrives() override { log.push_back("drives"); }
    void collect(int timer) override
    {
        log.push_back("collect " + std::to_string(timer));
        cpuCounter.set(42);
        netCounter.set(2048);
        if (reenter != nullptr) {
            TimerSet* set = reenter;
            reenter = nullptr;
            set->usageTick(1);
            set->usageTick(2);
            set->driveTick();
        }
    }
    void requestUpdateCheck() override { log.push_back("update check"); }
    const std::vector<Meter*>& meters() override { return list; }

    AppSettings settings;
    CpuMeter cpu;
    NetworkGraphMeter net;
    DiskGraphMeter disk;
    SettableCounter cpuCounter, netCounter, diskCounter;
    std::vector<Meter*> list{&cpu, &net, &disk};
    std::vector<std::string> log;
    TrayLog view;
    TimerSet* reenter = nullptr;
};

} // namespace

TEST(timerSet, startsFourTimersWithTheirIntervals)
{
    FakeTimers timers;
    Program program;
    TimerSet set(timers, program);
    set.startTimers({60, 1, 5});
    EXPECT_EQ(timers.running.size(), 4u);
    EXPECT_EQ(timers.intervalOfSlot(0), 60000u);
    EXPECT_EQ(timers.intervalOfSlot(1), 1000u);
    EXPECT_EQ(timers.intervalOfSlot(2), 5000u);
    EXPECT_EQ(timers.intervalOfSlot(3), 1800000u);

    set.stopUpdateCheckTimer();
    EXPECT_EQ(timers.intervalOfSlot(3), 0u);
    set.stopTimers();
    EXPECT_TRUE(timers.running.empty());
    EXPECT_FALSE(set.running(1));
}

TEST(timerSet, zeroSecondsRunsOncePerSecond)
{
    EXPECT_EQ(TimerSet::milliseconds(0), 1000u);
    EXPECT_EQ(TimerSet::milliseconds(1), 1000u);
    EXPECT_EQ(TimerSet::milliseconds(3600), 3600000u);
    EXPECT_EQ(TimerSet::milliseconds(0xFFFFFFFFu), 86400000u); // no overflow
}

TEST(timerSet, dispatchRoutesEachTimer)
{
    FakeTimers timers;
    Program program;
    TimerSet set(timers, program);
    set.startTimers({60, 1, 5});
    set.dispatch(timers.idOfSlot(0));
    set.dispatch(timers.idOfSlot(2));
    set.dispatch(timers.idOfSlot(3));
    set.dispatch(9999); // not ours
    set.dispatch(0);
    EXPECT_EQ(program.log, (std::vector<std::string>{"drives", "collect 2", "update check"}));
}

TEST(timerSet, usageTickCollectsThenSamplesItsActiveMetersThenSetsTrays)
{
    FakeTimers timers;
    Program program;
    TimerSet set(timers, program);
    set.usageTick(1);
    // The CPU meter (timer 1, active) sampled; the disk meter (timer 1, inactive) not;
    // the network meter belongs to timer 2.
    EXPECT_EQ(program.cpu.current(), 42u);
    EXPECT_EQ(program.net.current(), 0u);
    EXPECT_EQ(program.disk.current(), 0u);
    // The inactive disk meter with its tray option on shows no icon.
    EXPECT_EQ(program.log, (std::vector<std::string>{"collect 1", "tray CPU: 42%"}));

    program.log.clear();
    set.usageTick(2);
    EXPECT_EQ(program.net.current(), 2048u);
    EXPECT_EQ(program.cpu.history(1), 0u); // the CPU meter was not sampled again
    EXPECT_EQ(program.log, (std::vector<std::string>{"collect 2"})); // no tray option
}

TEST(timerSet, aTickReenteredFromInsideIsDropped)
{
    FakeTimers timers;
    Program program;
    TimerSet set(timers, program);
    program.reenter = &set;
    set.usageTick(1);
    // Both nested usage ticks were dropped; the drive tick has its own guard.
    EXPECT_EQ(program.log, (std::vector<std::string>{"collect 1", "drives", "tray CPU: 42%"}));
    EXPECT_EQ(program.cpu.history(1), 0u);

    // The guard is cleared afterwards.
    program.log.clear();
    set.usageTick(2);
    EXPECT_EQ(program.log.front(), "collect 2");
}

TEST(timerSet, anIntervalChangeResetsOnlyThatTimersGraphs)
{
    FakeTimers timers;
    Program program;
    TimerSet set(timers, program);
    set.startTimers({60, 1, 5});
    program.cpu.addSample(80, 100);
    program.net.addSample(5000, 0);
    const int startsBefore = timers.starts;

    set.restartChangedTimers({60, 1, 5}); // nothing changed
    EXPECT_EQ(timers.starts, startsBefore);
    EXPECT_EQ(program.cpu.current(), 80u);

    set.restartChangedTimers({60, 2, 5});
    EXPECT_EQ(timers.starts, startsBefore + 1);
    EXPECT_EQ(timers.intervalOfSlot(1), 2000u);
    EXPECT_EQ(program.cpu.current(), 0u); // timer 1's graph starts afresh
    EXPECT_EQ(program.cpu.sum(), 0u);
    EXPECT_EQ(program.net.current(), 5000u); // timer 2's meters keep their history

    set.restartChangedTimers({90, 2, 5}); // the drive timer concerns no usage meter
    EXPECT_EQ(timers.intervalOfSlot(0), 90000u);
    EXPECT_EQ(program.net.current(), 5000u);
}
