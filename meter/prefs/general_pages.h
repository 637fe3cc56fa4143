#pragma once
// What the "Application Options", "Volume Options" and "Meter Options" pages show, how
// they load it from the settings and store it back, and which controls they enable.
#include "meter/app_settings.h"
#include "meter/prefs/edited.h"

#include <string>
#include <vector>

// ---- Application Options ---------------------------------------------------------

// "Exit Brellix", "Hide application window", "Ask".
enum CloseActionIndex : int { kCloseExitIndex = 0, kCloseHideIndex = 1, kCloseAskIndex = 2 };

const std::vector<std::string>& closeActionItems();
// "F1" to "F11", then "A" to "Z".
const std::vector<std::string>& hotKeyItems();
// The key list's item for a virtual key; a key the list cannot show gives the nearest
// item.
int hotKeyIndexOf(std::uint32_t virtualKey);
std::uint32_t virtualKeyOfIndex(int index);

constexpr std::uint32_t kHotKeyAlt = 1;
constexpr std::uint32_t kHotKeyCtrl = 2;
constexpr std::uint32_t kHotKeyShift = 4;
constexpr std::uint32_t kHotKeyWindows = 8; // the page always includes it

struct ApplicationOptionsFields {
    Edited<bool> alwaysOnTop;
    Edited<bool> startHidden;
    Edited<bool> hideFromTaskBar;
    Edited<bool> keepOnScreen;
    Edited<bool> useMailPlugin;
    Edited<int> closeAction;
    Edited<bool> hotKeyOn;
    Edited<bool> alt;
    Edited<bool> ctrl;
    Edited<bool> shift;
    Edited<int> keyIndex;
};

ApplicationOptionsFields loadApplicationOptions(const AppSettings& settings);
void storeApplicationOptions(const ApplicationOptionsFields& fields, AppSettings& settings);
// The hot-key texts, check boxes and key list.
inline bool hotKeyControlsEnabled(const ApplicationOptionsFields& f)
{
    return f.hotKeyOn.value();
}

// ---- Volume Options ----------------------------------------------------------------

// "None", "Voice", "Sound".
const std::vector<std::string>& warningSoundItems();

struct VolumeOptionsFields {
    Edited<bool> graphShowsRemaining;
    Edited<bool> columnFree;
    Edited<bool> columnUsed;
    Edited<bool> columnTotal;
    Edited<bool> columnPercentage;
    Edited<bool> percentUsed;
    Edited<bool> gigabytes;
    Edited<bool> hideUnavailable;
    Edited<bool> noRetry;
    Edited<int> sound;
    Edited<bool> runApplication;
    Edited<std::string> alertPath;
    Edited<std::string> alertOptions;
};

VolumeOptionsFields loadVolumeOptions(const AppSettings& settings);
void storeVolumeOptions(const VolumeOptionsFields& fields, AppSettings& settings);
// The two percent choices.
inline bool percentChoicesEnabled(const VolumeOptionsFields& f)
{
    return f.columnPercentage.value();
}
// The path, its browse button, the options label, edit and hint.
inline bool alertProgramEnabled(const VolumeOptionsFields& f)
{
    return f.runApplication.value();
}

// The file-open dialog's filter and default extension for the alert program.
inline constexpr const char* kAlertProgramFilter =
    "Executables (*.exe)|*.exe|Scripts (*.cmd; *.bat)|*.cmd;*.bat|All Files (*.*)|*.*||";
inline constexpr const char* kAlertProgramExtension = "exe";
// The filter as the system's dialog takes it: "|" becomes the terminating zeros.
std::string systemFilter(const std::string& filter);

// ---- Meter Options -----------------------------------------------------------------

struct MeterOptionsFields {
    Edited<int> textAlign;
    Edited<bool> includeAverage;
    Edited<std::uint8_t> highLimit;
    Edited<std::uint8_t> mediumLimit;
    Edited<GraphColours> colours; // set by the colours dialog's OK
};

MeterOptionsFields loadMeterOptionsPage(const AppSettings& settings);
void storeMeterOptionsPage(const MeterOptionsFields& fields, AppSettings& settings);
