#pragma once
// The program's only top-level window: a modal dialog for the life of the program that
// stacks the active meters, owns them and their order, and is the hub for the meters,
// the timers, the tray icons and the start-up steps.
#include "meter/app_settings.h"
#include "meter/drive_pane.h"
#include "meter/measure/counter_environment.h"
#include "meter/measure/counter_library.h"
#include "meter/measure/counter_sources.h"
#include "meter/measure/perf_data_reader_win.h"
#include "meter/measure/process_times_win.h"
#include "meter/measure/tick_clock.h"
#include "meter/measure/win_ping_factory.h"
#include "meter/meter_pane.h"
#include "meter/meter_set.h"
#include "meter/plugin_host_win.h"
#include "meter/prefs/config_sheet.h"
#include "meter/prefs/meter_options_sheet.h"
#include "meter/scheduled_update.h"
#include "meter/shell_tray.h"
#include "meter/timer_set.h"
#include "meter/volumes/log_file.h"
#include "meter/volumes/system_wall_clock.h"
#include "meter/volumes/win_alert_actions.h"
#include "meter/volumes/win_free_resources.h"
#include "meter/volumes/win_log_writer.h"
#include "meter/volumes/win_volume_system.h"
#include "meter/window_layout.h"
#include "meter/window_settings.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// What the application hands the window: where it came from and its counter sources.
struct ProgramContext {
    std::string profileName;
    std::string programFolder;
    PlatformFamily family = PlatformFamily::NT;
    CounterSources* sources = nullptr; // owned by the application
    CounterEnvironment* environment = nullptr;
    CounterLibrary* library = nullptr; // the loaded helper library on the NT family
    const TickClock* clock = nullptr;
    bool winsockStarted = false; // the program's Winsock session, for the ping meter
};

// Window timers of the main window: the slot number is the timer's identifier.
class WindowTimers : public TimerService {
public:
    void setWindow(HWND window) { window_ = window; }
    std::uintptr_t startTimer(int slot, unsigned milliseconds) override;
    void stopTimer(std::uintptr_t id) override;

private:
    HWND window_ = nullptr;
};

class MeterWindow : private TickHandler, private MeterPaneHost, private PreferencesSink {
public:
    explicit MeterWindow(ProgramContext context);
    ~MeterWindow() override;
    MeterWindow(const MeterWindow&) = delete;
    MeterWindow& operator=(const MeterWindow&) = delete;

    // Runs the window as a modal dialog until the program ends.
    void run();

private:
    static constexpr int kHotKeyId = 1;

    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR answer(LRESULT result);

    // Start-up.
    void onInitDialog();
    void createMeterWindows();
    void bindUptimeCounter();
    void loadSettings();
    void onFirstActivation();
    void onStartCounters();
    void onWelcome();

    // Layout and visibility.
    void readFrameMetrics();
    void applyVisibility();
    void applyAlwaysOnTop();
    void layout(bool force, bool keepDocked, bool autoSize);
    void refreshDrivesAndLayout(bool manual, bool force, bool keepDocked);
    void setHidden(bool hide);
    void relayout();
    void moveMeter(MeterKind kind, bool up);
    void onSize(int cx);
    void onSizing(WPARAM edge, RECT* rect);
    void registerHotKey();
    void updateProgramIcon(std::size_t volumeIcons);

    // Messages.
    void onStartup();
    void onMoveRequest(WPARAM kind, bool up);
    void onPluginCommand(WPARAM id);
    void onHotKey(WPARAM id);
    void onInitMenuPopup(HMENU menu, bool systemMenu);
    bool onCaptionDoubleClick(WPARAM hit);
    void onWindowPosChanging(WINDOWPOS* pos);

    // Commands.
    void onTrayNotify(LPARAM mouseMessage);
    void openTrayMenu();
    bool onCommand(unsigned id);
    bool onSystemCommand(WPARAM command);
    void onClose();
    void showAbout();
    void showStatistics();
    void showWebPage(int stringId);
    void onTaskbarCreated();
    void checkForUpdate();

    // Preferences.
    void openPreferences(int page) override;
    void applyPreferences(const AppSettings& settings, const OptionsList& options) override;
    SheetFacts sheetFacts();
    bool editMeterOptions(MeterKind kind) override;
    // The Hosts page's dialog for adding a host.
    static HostEditor hostEditor();
    void reloadPlugin();
    void loadPlugin();

    // Shutdown: stop sampling, save, end.
    void shutdown();
    void saveSettings();
    void exitProgram();

    // TickHandler
    void refreshDrives() override;
    void collect(int timer) override;
    void requestUpdateCheck() override;
    const std::vector<Meter*>& meters() override;

    // MeterPaneHost
    bool isFirstActive(MeterKind kind) const override;
    bool isLastActive(MeterKind kind) const override;

    WindowAndMeters windowAndMeters();
    MeterPane& paneOf(const Meter& meter);

    ProgramContext context_;
    AppSettings settings_;
    ShellTrayNotifier trayNotifier_;
    WinVolumeSystem volumes_;
    WinAlertActions alerts_;
    WinFreeResources freeResources_;
    std::unique_ptr<PingNetwork> ping_;
    RegistryPerfDataReader perfData_;
    SystemProcessTimes processTimes_;
    WinLogFileWriter logWriter_;
    SystemWallClock wallClock_;
    MeterSet meters_;
    std::array<std::unique_ptr<MeterPane>, kMeterKindCount> panes_; // by kind
    DrivePane* drivePane_ = nullptr;
    std::vector<std::unique_ptr<MeterLogFile>> logs_;
    CTrayIcon mainTray_;
    WindowTimers timerService_;
    TimerSet timers_;
    ScheduledUpdate update_;
    WinMailLibrary mailLibrary_;
    PluginHost plugin_;
    WindowPlacement placement_;
    FrameMetrics metrics_;

    HWND hwnd_ = nullptr;
    HICON appIcon_ = nullptr; // shared, from the program's resources
    HBITMAP arrow_ = nullptr;
    std::array<HBITMAP, kMeterKindCount> folds_{};
    UINT taskbarCreated_ = 0;
    bool hidden_ = false;
    bool busy_ = false;
    bool exitRequested_ = false;
    bool sizeKnown_ = false;
    bool shutDown_ = false;
    bool countersBound_ = false;
    bool preferencesOpen_ = false;
    bool updateCheckWaiting_ = false; // asked for while the preferences were open
};
