#include "meter/timer_set.h"

#include "common/scoped_flag.h"

TimerSet::TimerSet(TimerService& service, TickHandler& handler)
    : service_(service), handler_(handler)
{
}

unsigned TimerSet::milliseconds(std::uint32_t seconds)
{
    if (seconds == 0)
        seconds = 1;
    if (seconds > 86400)
        seconds = 86400;
    return seconds * 1000;
}

void TimerSet::start(int slot, unsigned ms)
{
    const auto s = static_cast<std::size_t>(slot);
    ids_[s] = service_.startTimer(slot, ms);
    intervals_[s] = ms;
}

void TimerSet::stop(int slot)
{
    const auto s = static_cast<std::size_t>(slot);
    if (ids_[s] != 0)
        service_.stopTimer(ids_[s]);
    ids_[s] = 0;
}

void TimerSet::startTimers(const std::array<std::uint32_t, 3>& seconds)
{
    for (int slot = 0; slot < 3; ++slot)
        start(slot, milliseconds(seconds[static_cast<std::size_t>(slot)]));
    start(kUpdateCheckSlot, kUpdateCheckInterval);
}

void TimerSet::restartChangedTimers(const std::array<std::uint32_t, 3>& seconds)
{
    for (int slot = 0; slot < 3; ++slot) {
        const unsigned ms = milliseconds(seconds[static_cast<std::size_t>(slot)]);
        const unsigned before = intervals_[static_cast<std::size_t>(slot)];
        if (running(slot) && before == ms)
            continue;
        stop(slot);
        start(slot, ms);
        if (ms == before || slot == kDriveSlot)
            continue;
        for (Meter* meter : handler_.meters())
            if (meter->options().timer() == slot)
                meter->resetHistory();
    }
}

void TimerSet::stopTimers()
{
    for (int slot = 0; slot < 4; ++slot)
        stop(slot);
}

void TimerSet::stopUpdateCheckTimer()
{
    stop(kUpdateCheckSlot);
}

void TimerSet::dispatch(std::uintptr_t id)
{
    if (id == 0)
        return;
    if (id == ids_[kDriveSlot])
        driveTick();
    else if (id == ids_[1])
        usageTick(1);
    else if (id == ids_[2])
        usageTick(2);
    else if (id == ids_[kUpdateCheckSlot])
        handler_.requestUpdateCheck();
}

void TimerSet::driveTick()
{
    if (driveTickRunning_)
        return;
    ScopedFlag guard(driveTickRunning_);
    handler_.refreshDrives();
}

void TimerSet::usageTick(int timer)
{
    // One guard for both usage timers: their meters share the memory status.
    if (usageTickRunning_)
        return;
    ScopedFlag guard(usageTickRunning_);
    handler_.collect(timer);
    // The drive meter keeps to the drive timer whatever its record says.
    const auto bound = [timer](const Meter* meter) {
        return meter->options().timer() == timer && meter->kind() != MeterKind::Drive;
    };
    const std::vector<Meter*>& meters = handler_.meters();
    for (Meter* meter : meters)
        if (bound(meter) && meter->options().active())
            meter->sample();
    for (Meter* meter : meters)
        if (bound(meter))
            meter->refreshTray();
}
