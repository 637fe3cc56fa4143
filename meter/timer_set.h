#pragma once
// The program's timers: the drive timer, the two usage timers and the update-check
// timer, and what one tick of each does. Ticks are guarded against re-entry through
// nested message loops: a tick that finds its guard set is dropped, not queued.
#include "meter/meter.h"

#include <array>
#include <cstdint>
#include <vector>

// Starts and stops the platform's periodic timers.
class TimerService {
public:
    virtual ~TimerService() = default;
    // Returns the running timer's identifier, 0 on failure.
    virtual std::uintptr_t startTimer(int slot, unsigned milliseconds) = 0;
    virtual void stopTimer(std::uintptr_t id) = 0;
};

// What the ticks ask of the rest of the program.
class TickHandler {
public:
    virtual ~TickHandler() = default;
    // The drive meter re-reads its volumes and the window is re-laid out if needed.
    virtual void refreshDrives() = 0;
    // The usage timer's sources collect once and their counters take their values;
    // the shared memory status goes stale.
    virtual void collect(int timer) = 0;
    virtual void requestUpdateCheck() = 0;
    // The meters in display order.
    virtual const std::vector<Meter*>& meters() = 0;
};

class TimerSet {
public:
    static constexpr int kDriveSlot = 0;
    static constexpr int kUpdateCheckSlot = 3;
    static constexpr unsigned kUpdateCheckInterval = 1800000; // 30 minutes

    TimerSet(TimerService& service, TickHandler& handler);

    // seconds: drive timer, usage timer 1, usage timer 2.
    void startTimers(const std::array<std::uint32_t, 3>& seconds);
    // Restarts the slots whose interval changed; a usage slot whose interval really
    // changed starts its meters' graphs afresh.
    void restartChangedTimers(const std::array<std::uint32_t, 3>& seconds);
    void stopTimers();
    void stopUpdateCheckTimer();

    // A timer fired.
    void dispatch(std::uintptr_t id);
    void driveTick();
    void usageTick(int timer);

    bool running(int slot) const { return ids_[static_cast<std::size_t>(slot)] != 0; }
    unsigned interval(int slot) const { return intervals_[static_cast<std::size_t>(slot)]; }

    // A timer of 0 seconds would fire as fast as the system allows.
    static unsigned milliseconds(std::uint32_t seconds);

private:
    void start(int slot, unsigned ms);
    void stop(int slot);

    TimerService& service_;
    TickHandler& handler_;
    std::array<std::uintptr_t, 4> ids_{};
    std::array<unsigned, 4> intervals_{};
    bool driveTickRunning_ = false;
    bool usageTickRunning_ = false;
};
