// Times one usage tick of the running program as the main window performs it: the
// system's counter sources collect, every active meter on the timer samples and
// redraws its window at once through GDI, and the tray icons are refreshed.
//
// The pieces are those of the main window, put together here from their own headers:
// the counter sources of the running system, the full meter set with every meter Wine
// can feed active on usage timer 1, real meter windows (the drive meter's included, so
// that the window has the width the drive list gives it) in a visible top-level window
// laid out by the program's own layout rules, the counters bound and started as the
// window binds and starts them, and the program's TimerSet driving the tick.
//
// Usage: brellix_tick_timing [--ticks N] [--warmup N] [--pause-ms N]
// Prints the median, 95th percentile and maximum of N ticks in microseconds.
#include "bench/win/feedable_meters.h"
#include "meter/drive_pane.h"
#include "meter/measure/counter_sources_win.h"
#include "meter/measure/meter_binding.h"
#include "meter/measure/pdh_counter.h"
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/perf_data_reader_win.h"
#include "meter/measure/perf_stats_registry_win.h"
#include "meter/measure/platform_facts_win.h"
#include "meter/measure/process_times_win.h"
#include "meter/measure/win_ping_factory.h"
#include "meter/meter_pane.h"
#include "meter/res/resource.h"
#include "meter/shell_tray.h"
#include "meter/timer_set.h"
#include "meter/volumes/uptime_meter.h"
#include "meter/volumes/win_alert_actions.h"
#include "meter/volumes/win_free_resources.h"
#include "meter/volumes/win_volume_system.h"
#include "meter/window_layout.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The ticks are called directly; no system timer runs.
class NoTimers : public TimerService {
public:
    std::uintptr_t startTimer(int, unsigned) override { return 0; }
    void stopTimer(std::uintptr_t) override {}
};

// What the main window does for a tick: its sources collect, its meters are the set's.
// The time of the collection is noted, to tell it from the meters' own part of the tick.
class Ticks : public TickHandler {
public:
    Ticks(CounterSources& sources, MeterSet& meters) : sources_(sources), meters_(meters) {}
    void refreshDrives() override {}
    void collect(int timer) override
    {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        sources_.collect(timer);
        QueryPerformanceCounter(&end);
        lastCollect = end.QuadPart - start.QuadPart;
    }
    void requestUpdateCheck() override {}
    const std::vector<Meter*>& meters() override { return meters_.inDisplayOrder(); }

    LONGLONG lastCollect = 0;

private:
    CounterSources& sources_;
    MeterSet& meters_;
};

struct Summary {
    double median, p95, max, mean;
};

Summary summarize(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const auto at = [&times](double fraction) {
        return times[static_cast<std::size_t>(fraction * static_cast<double>(times.size() - 1))];
    };
    double sum = 0;
    for (double t : times)
        sum += t;
    return {at(0.5), at(0.95), times.back(), sum / static_cast<double>(times.size())};
}

void pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double microseconds(LONGLONG counts, LONGLONG frequency)
{
    return static_cast<double>(counts) * 1e6 / static_cast<double>(frequency);
}

// User and kernel time of this process so far. Another process's times are not
// available under Wine, but a process's own are.
double processCpuMicroseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10.0; // 100 ns units
}

int argument(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(0, std::atoi(argv[i + 1]));
    return fallback;
}

HWND createMainWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "BrellixTickTiming";
    RegisterClassA(&wc);
    // The main window's own styles.
    return CreateWindowExA(WS_EX_APPWINDOW, wc.lpszClassName, "Brellix",
                           WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0,
                           200, 200, nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    const int ticks = std::max(1, argument(argc, argv, "--ticks", 2000));
    const int warmup = argument(argc, argv, "--warmup", 200);
    const int pauseMs = argument(argc, argv, "--pause-ms", 0);

    CounterEnvironment environment;
    environment.facts = readPlatformFacts();
    const PlatformFamily family =
        environment.facts.isNT ? PlatformFamily::NT : PlatformFamily::Win9x;
    std::unique_ptr<CounterSources> sources = createCounterSources(environment);
    if (!sources) {
        std::fprintf(stderr, "tick timing: the counter sources cannot start\n");
        return 1;
    }
    CounterLibrary* library =
        environment.facts.isNT ? processCounterLibraryLoader().library() : nullptr;
    SystemTickClock clock;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    AppSettings settings;
    settings.resetDefaults("C:\\");
    settings.setFlag(Booleans::kFirstRun, false);
    ShellTrayNotifier tray(GetModuleHandleA(nullptr));
    WinVolumeSystem volumes;
    WinAlertActions alerts;
    WinFreeResources resources;
    const auto ping = makeWinPingNetwork(false); // the ping meter stays off here
    RegistryPerfDataReader perfData;
    SystemProcessTimes processTimes;
    MeterSet meters(
        settings, family,
        {volumes, alerts, tray, resources, *ping, perfData, processTimes, narrowToAnsiCodePage});

    // Counters are bound when the window is made, before any settings are read.
    for (Meter* meter : meters.inDisplayOrder())
        bindMeterCounter(*meter, *sources, environment.facts, clock);
    Meter& uptime = meters.byKind(MeterKind::Uptime);
    if (family == PlatformFamily::NT)
        uptime.setCounter(new PdhCounter(PdhCounterKind::Uptime), true);
    else
        uptime.setCounter(new TickUptimeCounter([] { return GetTickCount(); }), true);
    activateFeedableMeters(meters);

    HWND main = createMainWindow();
    if (main == nullptr) {
        std::fprintf(stderr, "tick timing: no window\n");
        return 1;
    }
    auto arrow =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ARROW),
                                        IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    std::vector<std::unique_ptr<MeterPane>> panes(kMeterKindCount);
    DrivePane* drivePane = nullptr;
    for (int position = 0; position < kMeterKindCount; ++position) {
        Meter& meter = meters.atPosition(position);
        std::unique_ptr<MeterPane> pane;
        if (meter.kind() == MeterKind::Drive) {
            auto drive = std::make_unique<DrivePane>(meters.drive(), tray, settings);
            drivePane = drive.get();
            pane = std::move(drive);
        } else {
            pane = std::make_unique<MeterPane>(meter, tray);
        }
        pane->create(main, position);
        // The fold picture shows only on a folded meter; none is folded here.
        pane->setBitmaps(arrow, arrow);
        panes[static_cast<std::size_t>(meter.kind())] = std::move(pane);
    }
    drivePane->buildColumns();
    meters.drive().update(false);
    drivePane->transferRows();

    std::vector<Meter*> shown;
    for (Meter* meter : meters.inDisplayOrder()) {
        MeterPane& pane = *panes[static_cast<std::size_t>(meter->kind())];
        if (meter->options().active() && pane.activate() && !meter->isPlaceholder())
            shown.push_back(meter);
        else
            pane.deactivate();
    }

    // The main window's first layout: sized to its meters.
    LayoutRequest request;
    request.force = true;
    request.autoSize = true;
    request.driveRequired = drivePane->requiredSize();
    request.driveCollapsed = meters.drive().options().collapsed();
    request.metrics.edge = GetSystemMetrics(SM_CXEDGE);
    request.metrics.dialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    request.metrics.dialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    request.metrics.caption = GetSystemMetrics(SM_CYCAPTION);
    request.metrics.smallCaption = GetSystemMetrics(SM_CYSMCAPTION);
    RECT r;
    GetClientRect(drivePane->hwnd(), &r);
    request.driveClient = {r.right, r.bottom};
    GetWindowRect(main, &r);
    request.window = {r.left, r.top, r.right, r.bottom};
    for (Meter* meter : shown)
        request.activeHeights.push_back(meter->effectiveHeight());
    GetWindowRect(GetDesktopWindow(), &r);
    request.desktop = {r.left, r.top, r.right, r.bottom};
    const LayoutResult layout = computeLayout(request);
    for (std::size_t i = 0; i < shown.size(); ++i)
        SetWindowPos(panes[static_cast<std::size_t>(shown[i]->kind())]->hwnd(), nullptr,
                     kLayoutMargin, layout.meterTops[i], layout.meterWidth,
                     request.activeHeights[i], SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(main, nullptr, layout.window.left, layout.window.top, layout.window.width(),
                 layout.window.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(main);
    pump();

    restartCounters(meters.inDisplayOrder(), *sources, environment, library);
    NoTimers noTimers;
    Ticks handler(*sources, meters);
    TimerSet timers(noTimers, handler);

    for (int i = 0; i < warmup; ++i) {
        timers.usageTick(1);
        pump();
        if (pauseMs > 0)
            Sleep(static_cast<DWORD>(pauseMs));
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double cpuBefore = processCpuMicroseconds();
    LARGE_INTEGER loopStart, loopEnd;
    QueryPerformanceCounter(&loopStart);
    std::vector<double> times, collects, rest;
    times.reserve(static_cast<std::size_t>(ticks));
    for (int i = 0; i < ticks; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        timers.usageTick(1);
        QueryPerformanceCounter(&end);
        const LONGLONG total = end.QuadPart - start.QuadPart;
        times.push_back(microseconds(total, frequency.QuadPart));
        collects.push_back(microseconds(handler.lastCollect, frequency.QuadPart));
        rest.push_back(microseconds(total - handler.lastCollect, frequency.QuadPart));
        // Whatever the tick left queued is handled between ticks, as in the program.
        pump();
        if (pauseMs > 0)
            Sleep(static_cast<DWORD>(pauseMs));
    }

    QueryPerformanceCounter(&loopEnd);
    const double cpuPerTick = (processCpuMicroseconds() - cpuBefore) / ticks;
    const double wallPerTick =
        microseconds(loopEnd.QuadPart - loopStart.QuadPart, frequency.QuadPart) / ticks;

    // Where the meters' part goes: each meter's sample (with its redraw) and tray
    // refresh on its own, after a collection, outside the timed ticks above.
    std::vector<std::vector<double>> perMeter(shown.size()), perTray(shown.size());
    const int perMeterTicks = std::min(ticks, 500);
    for (int i = 0; i < perMeterTicks; ++i) {
        sources->collect(1);
        for (std::size_t m = 0; m < shown.size(); ++m) {
            Meter* meter = shown[m];
            if (meter->kind() == MeterKind::Drive)
                continue;
            LARGE_INTEGER start, sampledAt, end;
            QueryPerformanceCounter(&start);
            meter->sample();
            QueryPerformanceCounter(&sampledAt);
            meter->refreshTray();
            QueryPerformanceCounter(&end);
            perMeter[m].push_back(
                microseconds(sampledAt.QuadPart - start.QuadPart, frequency.QuadPart));
            perTray[m].push_back(
                microseconds(end.QuadPart - sampledAt.QuadPart, frequency.QuadPart));
        }
        pump();
        if (pauseMs > 0)
            Sleep(static_cast<DWORD>(pauseMs));
    }

    // A sample that changes the picture on every round, fed straight to each meter
    // that keeps a history: what a redraw costs when there is something to draw (on
    // the counters Wine has, many pictures stay the same from tick to tick).
    std::vector<std::vector<double>> perChange(shown.size());
    for (int i = 0; i < perMeterTicks; ++i) {
        for (std::size_t m = 0; m < shown.size(); ++m) {
            Meter* meter = shown[m];
            if (meter->kind() == MeterKind::Drive || meter->kind() == MeterKind::Uptime)
                continue;
            const std::uint32_t scale = std::max<std::uint32_t>(meter->scale(), 100);
            const std::uint32_t value = scale / 100 * static_cast<std::uint32_t>(i * 37 % 100);
            LARGE_INTEGER start, end;
            QueryPerformanceCounter(&start);
            meter->addSample(value, scale);
            QueryPerformanceCounter(&end);
            perChange[m].push_back(microseconds(end.QuadPart - start.QuadPart, frequency.QuadPart));
        }
        pump();
    }

    std::vector<std::string> sampled;
    for (Meter* meter : shown)
        if (meter->kind() != MeterKind::Drive && meter->options().timer() == 1)
            sampled.push_back(meter->displayName(false));
    GetWindowRect(main, &r);
    std::printf("meters sampled on usage timer 1 (%zu):", sampled.size());
    for (const std::string& name : sampled)
        std::printf(" [%s]", name.c_str());
    std::printf("\nwindow %ldx%ld with %zu meters shown, meter width %d\n", r.right - r.left,
                r.bottom - r.top, shown.size(), layout.meterWidth);
    std::printf("%d ticks after %d warm-up ticks, %d ms apart; microseconds:\n", ticks, warmup,
                pauseMs);
    const auto print = [](const char* what, const Summary& s) {
        std::printf("  %-28s median %8.1f  p95 %8.1f  max %8.1f  mean %8.1f\n", what, s.median,
                    s.p95, s.max, s.mean);
    };
    print("usage tick", summarize(times));
    print("  of which sources collect", summarize(collects));
    print("  of which meters and tray", summarize(rest));
    std::printf("  process CPU time per tick (with the message handling between ticks): %.1f; "
                "wall time per loop turn: %.1f\n",
                cpuPerTick, wallPerTick);
    std::printf("each meter alone (%d rounds): its sample with the redraw, then its tray "
                "refresh:\n",
                perMeterTicks);
    for (std::size_t m = 0; m < shown.size(); ++m) {
        if (perMeter[m].empty())
            continue;
        const std::string name = shown[m]->displayName(false);
        print(name.c_str(), summarize(perMeter[m]));
        const std::string trayLine =
            std::string("  tray (icon ") + (shown[m]->options().trayIcon() ? "on" : "off") + ")";
        print(trayLine.c_str(), summarize(perTray[m]));
    }

    std::printf("each meter's redraw after a sample that changes its picture (%d rounds):\n",
                perMeterTicks);
    double changedSum = 0;
    for (std::size_t m = 0; m < shown.size(); ++m) {
        if (perChange[m].empty())
            continue;
        const Summary s = summarize(perChange[m]);
        changedSum += s.median;
        print(shown[m]->displayName(false).c_str(), s);
    }
    std::printf("  sum of these medians: %.1f\n", changedSum);

    sources->stopAll();
    for (auto& pane : panes)
        pane->deactivate();
    meters.drive().removeVolumeIcons();
    panes.clear();
    DestroyWindow(main);
    DeleteObject(arrow);
    return 0;
}
