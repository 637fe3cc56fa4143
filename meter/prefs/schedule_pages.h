#pragma once
// What the "Update Times", "Log Files", "Remote Computer" and "Auto Update" pages show,
// how they load it from the settings and store it back, and which controls they enable.
#include "meter/app_settings.h"
#include "meter/prefs/edited.h"

#include <string>

// ---- Update Times ------------------------------------------------------------------

constexpr int kDriveSliderLowest = 1;
constexpr int kDriveSliderHighest = 120;
constexpr unsigned kDriveSliderStep = 30; // seconds per position
constexpr int kUsageSliderLowest = 1;
constexpr int kUsageSliderHighest = 60;

// The drive slider's position for a period: the nearest one.
int drivePositionOf(std::uint32_t seconds);
inline std::uint32_t driveSecondsOf(int position)
{
    return static_cast<std::uint32_t>(position) * kDriveSliderStep;
}
int usagePositionOf(std::uint32_t seconds);

struct UpdateTimesFields {
    Edited<int> drivePosition;
    Edited<int> timer1;
    Edited<int> timer2;
};

UpdateTimesFields loadUpdateTimes(const AppSettings& settings);
void storeUpdateTimes(const UpdateTimesFields& fields, AppSettings& settings);

// ---- Log Files ---------------------------------------------------------------------

struct LogFilesFields {
    Edited<std::string> folder;
    Edited<bool> tab;
    Edited<bool> csv;
    Edited<bool> dateInName;
    Edited<int> buffer; // 0 none, 1 a little, 2 a lot
};

LogFilesFields loadLogFiles(const AppSettings& settings);
void storeLogFiles(const LogFilesFields& fields, AppSettings& settings);
// The user picks the separator: Tab forces ".txt".
void chooseTabSeparator(LogFilesFields& fields, bool tab);
// ".cs&v" can be chosen only with the comma separator.
inline bool csvChoiceEnabled(const LogFilesFields& f)
{
    return !f.tab.value();
}

// ---- Remote Computer ---------------------------------------------------------------

struct RemoteComputerFields {
    Edited<bool> remote;
    Edited<std::string> name;
    Edited<bool> nameInTitle;
};

RemoteComputerFields loadRemoteComputer(const AppSettings& settings);
void storeRemoteComputer(const RemoteComputerFields& fields, AppSettings& settings);
// The name edit, the explanatory texts and the title-bar check box.
inline bool remoteControlsEnabled(const RemoteComputerFields& f)
{
    return f.remote.value();
}

// ---- Auto Update -------------------------------------------------------------------

constexpr int kUpdateFrequencies = 4;

struct AutoUpdateFields {
    Edited<bool> enabled;
    Edited<int> frequency;
    Edited<bool> fullTime;
    Edited<bool> ask;
};

AutoUpdateFields loadAutoUpdate(const AppSettings& settings);
void storeAutoUpdate(const AutoUpdateFields& fields, AppSettings& settings);
// Unchecking the connection box checks the ask box.
void chooseFullTime(AutoUpdateFields& fields, bool fullTime);
inline bool frequencyEnabled(const AutoUpdateFields& f)
{
    return f.enabled.value();
}
inline bool askEnabled(const AutoUpdateFields& f)
{
    return f.enabled.value() && f.fullTime.value();
}
