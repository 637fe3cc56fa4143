#include "meter/app_settings.h"

#include "meter/registry_values.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

// The drive meter never watches more volumes than this; a stored count beyond it is
// damage, and honouring it would mean billions of registry reads at start-up.
constexpr std::uint32_t kMaxVolumes = 256;

std::string numbered(const char* name, std::size_t n)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s %u", name, static_cast<unsigned>(n));
    return text;
}

template <std::size_t N>
std::vector<std::uint8_t> wordsRecord(const std::array<std::uint32_t, N>& words)
{
    std::vector<std::uint8_t> data;
    for (std::uint32_t w : words)
        appendWord(data, w);
    return data;
}

template <std::size_t N>
std::vector<std::uint8_t> wordsRecord(const std::array<std::int32_t, N>& words)
{
    std::vector<std::uint8_t> data;
    for (std::int32_t w : words)
        appendWord(data, static_cast<std::uint32_t>(w));
    return data;
}

template <typename T, std::size_t N>
bool readWords(const RegistryKey& key, const std::string& name, std::array<T, N>& out)
{
    std::vector<std::uint8_t> data;
    if (!readBinary(key, name, N * 4, data))
        return false;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = static_cast<T>(wordAt(data, i));
    return true;
}

bool readVolume(const RegistryKey& key, std::size_t n, WatchedVolume& volume)
{
    if (!readText(key, numbered("Volume", n), volume.path))
        return false;
    // Every use of a volume path (its share name, the space query) expects the final
    // backslash; a hand-edited or older value may lack it.
    volume.path = withTrailingBackslash(volume.path);
    // A path that only the added backslash takes past the limit would be saved as a
    // text the next start refuses, and the volume would vanish then; it goes now.
    if (volume.path.size() > kMaxSettingsText)
        return false;
    readText(key, numbered("User Name", n), volume.userName);
    readDword(key, numbered("Volume Warning", n), volume.warningMB);
    std::uint32_t inToolTip = 0;
    if (readDword(key, numbered("Volume In ToolTip", n), inToolTip))
        volume.inToolTip = inToolTip != 0;
    return true;
}

} // namespace

bool equalsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string withTrailingBackslash(const std::string& folder)
{
    if (folder.empty() || folder.back() == '\\')
        return folder;
    return folder + '\\';
}

std::string settingsKeyPath(const std::string& profileName, bool withProfile)
{
    std::string path = "Software\\Brellix";
    if (withProfile && !profileName.empty())
        path += "\\" + profileName;
    return path;
}

void AppSettings::resetDefaults(const std::string& programFolder)
{
    *this = AppSettings();
    logFilesFolder = withTrailingBackslash(programFolder);
}

void AppSettings::setRemoteComputer(const std::string& name)
{
    std::size_t leading = 0;
    while (leading < name.size() && leading < 2 && name[leading] == '\\')
        ++leading;
    std::string stored = std::string(2 - leading, '\\') + name;
    if (stored.size() <= 2)
        stored.clear();
    remoteComputer = stored;
}

void AppSettings::load(const RegistryKey& key, const std::string& programFolder)
{
    readDword(key, "Booleans", booleans);
    booleans &= ~Booleans::kClearedOnLoad;

    std::string text;
    if (readText(key, "Remote Computer", text)) {
        // The leading backslashes must leave a text the next load takes again;
        // otherwise the name counts as damaged and this computer stays.
        const std::string before = remoteComputer;
        setRemoteComputer(text);
        if (remoteComputer.size() > kMaxSettingsText)
            remoteComputer = before;
    }
    if (!readText(key, "Log Files Folder", logFilesFolder))
        logFilesFolder = withTrailingBackslash(programFolder);
    readDword(key, "Log File Buffer", logFileBuffer);

    if (!readWords(key, "Timer Times", timerSeconds)) {
        readDword(key, "Drive Update Time", timerSeconds[0]);
        std::uint32_t usage = 0;
        if (readDword(key, "UsageMeterUpdateTime", usage))
            timerSeconds[1] = timerSeconds[2] = usage;
    }

    readWords(key, "Column Order", columnOrder);
    readWords(key, "Column Positions", columnPositions);
    readDword(key, "Num Drives Displayed", numDrivesDisplayed);
    if (!readDword(key, "Volume Warning Sound", volumeWarningSound))
        volumeWarningSound = 0;
    readWords(key, "Colors", colours);

    std::uint32_t count = 0;
    if (readDword(key, "Volume Count", count)) {
        volumes.clear();
        for (std::size_t n = 0; n < std::min(count, kMaxVolumes); ++n) {
            WatchedVolume volume;
            if (readVolume(key, n, volume))
                volumes.push_back(std::move(volume));
        }
    }

    std::uint32_t limits = 0;
    if (readDword(key, "Bar Graph Limits", limits)) {
        highLimit = static_cast<std::uint8_t>(limits);
        mediumLimit = static_cast<std::uint8_t>(limits >> 8);
    }
    if (!readText(key, "Volume Alert Exe", volumeAlertExe))
        volumeAlertExe.clear();
    if (!readText(key, "Volume Alert Options", volumeAlertOptions))
        volumeAlertOptions.clear();

    std::array<std::uint32_t, 2> hot{};
    if (readWords(key, "Hot Key", hot)) {
        hotKey.virtualKey = hot[0];
        hotKey.modifiers = hot[1];
    }

    std::uint32_t align = 0;
    if (readDword(key, "Text Align", align) && align <= 2)
        textAlign = static_cast<TextAlign>(align);

    if (numDrivesDisplayed == 0 || numDrivesDisplayed > volumes.size())
        numDrivesDisplayed = static_cast<std::uint32_t>(volumes.size());
}

bool AppSettings::save(RegistryKey& key) const
{
    bool ok = true;
    auto note = [&ok](bool written) { ok = ok && written; };

    note(writeDword(key, "Booleans", booleans));
    note(writeText(key, "Remote Computer", remoteComputer));
    note(writeText(key, "Log Files Folder", logFilesFolder));
    note(writeDword(key, "Log File Buffer", logFileBuffer));
    note(writeBinary(key, "Timer Times", wordsRecord(timerSeconds)));
    note(writeBinary(key, "Column Order", wordsRecord(columnOrder)));
    note(writeBinary(key, "Column Positions", wordsRecord(columnPositions)));
    note(writeDword(key, "Num Drives Displayed", numDrivesDisplayed));
    note(writeDword(key, "Volume Warning Sound", volumeWarningSound));
    note(writeBinary(key, "Colors", wordsRecord(colours)));

    const auto count = static_cast<std::uint32_t>(volumes.size());
    note(writeDword(key, "Volume Count", count));
    std::uint32_t stored = 0;
    for (const WatchedVolume& volume : volumes) {
        if (!writeText(key, numbered("Volume", stored), volume.path)) {
            ok = false;
            continue; // the next volume takes this number
        }
        note(writeText(key, numbered("User Name", stored), volume.userName));
        note(writeDword(key, numbered("Volume Warning", stored), volume.warningMB));
        note(writeDword(key, numbered("Volume In ToolTip", stored), volume.inToolTip ? 1 : 0));
        ++stored;
    }
    // With a volume left out, the count written above would make the next load pick
    // up whatever an earlier save left under the last numbers.
    if (stored != count)
        note(writeDword(key, "Volume Count", stored));

    note(writeDword(key, "Bar Graph Limits",
                    static_cast<std::uint32_t>(highLimit) | static_cast<std::uint32_t>(mediumLimit)
                                                                << 8));
    note(writeText(key, "Volume Alert Exe", volumeAlertExe));
    note(writeText(key, "Volume Alert Options", volumeAlertOptions));
    note(writeBinary(
        key, "Hot Key",
        wordsRecord(std::array<std::uint32_t, 2>{hotKey.virtualKey, hotKey.modifiers})));
    note(writeDword(key, "Text Align", static_cast<std::uint32_t>(textAlign)));
    return ok;
}

bool AppSettings::operator==(const AppSettings& other) const
{
    auto sameVolume = [](const WatchedVolume& a, const WatchedVolume& b) {
        return equalsNoCase(a.path, b.path) && equalsNoCase(a.userName, b.userName) &&
               a.warningMB == b.warningMB && a.inToolTip == b.inToolTip;
    };
    return booleans == other.booleans && equalsNoCase(remoteComputer, other.remoteComputer) &&
           equalsNoCase(logFilesFolder, other.logFilesFolder) &&
           logFileBuffer == other.logFileBuffer && timerSeconds == other.timerSeconds &&
           columnOrder == other.columnOrder && columnPositions == other.columnPositions &&
           numDrivesDisplayed == other.numDrivesDisplayed &&
           volumeWarningSound == other.volumeWarningSound && colours == other.colours &&
           std::equal(volumes.begin(), volumes.end(), other.volumes.begin(), other.volumes.end(),
                      sameVolume) &&
           highLimit == other.highLimit && mediumLimit == other.mediumLimit &&
           equalsNoCase(volumeAlertExe, other.volumeAlertExe) &&
           equalsNoCase(volumeAlertOptions, other.volumeAlertOptions) &&
           hotKey.virtualKey == other.hotKey.virtualKey &&
           hotKey.modifiers == other.hotKey.modifiers && textAlign == other.textAlign;
}
