#pragma once
// The global settings of the meter program: the flag word and every other value the
// program keeps besides the window and the meters' own records.
#include "meter/colours.h"
#include "meter/registry_key.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Bits of the "Booleans" flag word.
namespace Booleans {
constexpr std::uint32_t kShowUsedPercent = 1u << 0;
constexpr std::uint32_t kShowUnavailableVolumes = 1u << 1;
constexpr std::uint32_t kAlwaysOnTop = 1u << 2;
constexpr std::uint32_t kHideFromTaskBar = 1u << 3;
constexpr std::uint32_t kStartHidden = 1u << 4;
constexpr std::uint32_t kVolumeShowsRemaining = 1u << 5;
constexpr std::uint32_t kLogTabSeparator = 1u << 6;
constexpr std::uint32_t kFirstRun = 1u << 7;
constexpr std::uint32_t kLogCsvExtension = 1u << 8;
constexpr std::uint32_t kCloseHides = 1u << 9;
constexpr std::uint32_t kCloseExits = 1u << 10;
constexpr std::uint32_t kComputerNameInTitle = 1u << 11;
constexpr std::uint32_t kRetryFailedVolumes = 1u << 12;
constexpr std::uint32_t kLogDateInFileName = 1u << 13;
constexpr std::uint32_t kDoNotKeepOnScreen = 1u << 14;
constexpr std::uint32_t kNoMailPlugin = 1u << 15;
constexpr std::uint32_t kHotKeyActivation = 1u << 16;
constexpr std::uint32_t kLeaveOutAverage = 1u << 17;
constexpr std::uint32_t kAlwaysOnline = 1u << 18;
constexpr std::uint32_t kNoAskBeforeUpdateCheck = 1u << 19;
constexpr int kUpdateIntervalShift = 20; // bits 20-22
constexpr std::uint32_t kUpdateIntervalMask = 7u << kUpdateIntervalShift;
constexpr std::uint32_t kAutoUpdate = 1u << 23;
constexpr std::uint32_t kReserved24 = 1u << 24;
constexpr std::uint32_t kVolumeSizesInGB = 1u << 25;
constexpr std::uint32_t kClearedOnLoad = 1u << 26;
constexpr std::uint32_t kColumnPercentage = 1u << 27;
constexpr std::uint32_t kColumnTotal = 1u << 28;
constexpr std::uint32_t kColumnUsed = 1u << 29;
constexpr std::uint32_t kColumnFree = 1u << 30;
constexpr std::uint32_t kSetByDefault = 1u << 31;

constexpr std::uint32_t kDefault = 0xF820008Bu;
} // namespace Booleans

enum class TextAlign : int { Left = 0, Centre = 1, Right = 2 };

struct WatchedVolume {
    std::string path;
    std::string userName;
    std::uint32_t warningMB = 0xFFFFFFFFu; // 0xFFFFFFFF: no warning
    bool inToolTip = false;
};

struct HotKey {
    std::uint32_t virtualKey = 121; // F10
    std::uint32_t modifiers = 0;
};

struct AppSettings {
    std::uint32_t booleans = Booleans::kDefault;
    std::string remoteComputer; // "\\name", or empty for this computer
    std::string logFilesFolder; // with a trailing backslash
    std::uint32_t logFileBuffer = 1;
    std::array<std::uint32_t, 3> timerSeconds{60, 1, 5}; // drive, usage 1, usage 2
    std::array<std::int32_t, 5> columnOrder{0, 1, 2, 3, 4};
    std::array<std::int32_t, 5> columnPositions{0, 1, 2, 3, 4};
    std::uint32_t numDrivesDisplayed = 0;
    std::uint32_t volumeWarningSound = 0;
    GraphColours colours = colourSchemes()[0].colours;
    std::vector<WatchedVolume> volumes;
    std::uint8_t highLimit = 98;   // percent of the graph height
    std::uint8_t mediumLimit = 90; // percent of the graph height
    std::string volumeAlertExe;
    std::string volumeAlertOptions;
    HotKey hotKey;
    TextAlign textAlign = TextAlign::Centre;

    bool flag(std::uint32_t bit) const { return (booleans & bit) != 0; }
    void setFlag(std::uint32_t bit, bool on)
    {
        booleans = on ? (booleans | bit) : (booleans & ~bit);
    }

    // The first-start settings; the log files go to the program's folder.
    void resetDefaults(const std::string& programFolder);
    // Reads every value present in `key`; a value that is missing or not of its exact
    // type and size keeps what this object holds.
    void load(const RegistryKey& key, const std::string& programFolder);
    // Writes every value; false when any write failed.
    bool save(RegistryKey& key) const;
    // Keeps the name with two leading backslashes; a name that is nothing but those
    // means this computer (empty).
    void setRemoteComputer(const std::string& name);

    // Field by field; texts compare without case.
    bool operator==(const AppSettings& other) const;
    bool operator!=(const AppSettings& other) const { return !(*this == other); }
};

// Texts equal apart from the case of ASCII letters.
bool equalsNoCase(const std::string& a, const std::string& b);

// The folder ending in a backslash (an empty folder stays empty).
std::string withTrailingBackslash(const std::string& folder);

// The settings key below HKEY_CURRENT_USER: Software\Brellix, followed by a backslash
// and the profile name when there is one and `withProfile` is set.
std::string settingsKeyPath(const std::string& profileName, bool withProfile);
