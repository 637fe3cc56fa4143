#include "meter/prefs/schedule_pages.h"

#include <algorithm>

namespace {

void storeFlag(const Edited<bool>& field, AppSettings& settings, std::uint32_t bit, bool inverted)
{
    if (field.touched())
        settings.setFlag(bit, field.value() != inverted);
}

int clampPosition(std::uint64_t position, int lowest, int highest)
{
    return static_cast<int>(std::clamp<std::uint64_t>(position, static_cast<std::uint64_t>(lowest),
                                                      static_cast<std::uint64_t>(highest)));
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

// ---- Update Times ------------------------------------------------------------------

int drivePositionOf(std::uint32_t seconds)
{
    const std::uint64_t nearest =
        (std::uint64_t{seconds} + kDriveSliderStep / 2) / kDriveSliderStep;
    return clampPosition(nearest, kDriveSliderLowest, kDriveSliderHighest);
}

int usagePositionOf(std::uint32_t seconds)
{
    return clampPosition(seconds, kUsageSliderLowest, kUsageSliderHighest);
}

UpdateTimesFields loadUpdateTimes(const AppSettings& s)
{
    UpdateTimesFields f;
    f.drivePosition = Edited<int>(drivePositionOf(s.timerSeconds[0]));
    f.timer1 = Edited<int>(usagePositionOf(s.timerSeconds[1]));
    f.timer2 = Edited<int>(usagePositionOf(s.timerSeconds[2]));
    return f;
}

void storeUpdateTimes(const UpdateTimesFields& f, AppSettings& s)
{
    if (f.drivePosition.touched())
        s.timerSeconds[0] = driveSecondsOf(
            clampPosition(static_cast<std::uint64_t>(std::max(f.drivePosition.value(), 0)),
                          kDriveSliderLowest, kDriveSliderHighest));
    if (f.timer1.touched())
        s.timerSeconds[1] = static_cast<std::uint32_t>(
            usagePositionOf(static_cast<std::uint32_t>(std::max(f.timer1.value(), 0))));
    if (f.timer2.touched())
        s.timerSeconds[2] = static_cast<std::uint32_t>(
            usagePositionOf(static_cast<std::uint32_t>(std::max(f.timer2.value(), 0))));
}

// ---- Log Files ---------------------------------------------------------------------

LogFilesFields loadLogFiles(const AppSettings& s)
{
    LogFilesFields f;
    f.folder = Edited<std::string>(s.logFilesFolder);
    f.tab = Edited<bool>(s.flag(Booleans::kLogTabSeparator));
    // A tab-separated log is always a ".txt" file, whatever the stored extension says.
    f.csv = Edited<bool>(!f.tab.value() && s.flag(Booleans::kLogCsvExtension));
    f.dateInName = Edited<bool>(s.flag(Booleans::kLogDateInFileName));
    f.buffer = Edited<int>(s.logFileBuffer == 0 ? 0 : s.logFileBuffer == 1 ? 1 : 2);
    return f;
}

void storeLogFiles(const LogFilesFields& f, AppSettings& s)
{
    if (f.folder.touched())
        s.logFilesFolder = f.folder.value();
    storeFlag(f.tab, s, Booleans::kLogTabSeparator, false);
    storeFlag(f.csv, s, Booleans::kLogCsvExtension, false);
    storeFlag(f.dateInName, s, Booleans::kLogDateInFileName, false);
    if (f.buffer.touched())
        s.logFileBuffer = static_cast<std::uint32_t>(std::clamp(f.buffer.value(), 0, 2));
}

void chooseTabSeparator(LogFilesFields& f, bool tab)
{
    f.tab.set(tab);
    if (tab)
        f.csv.set(false);
}

// ---- Remote Computer ---------------------------------------------------------------

RemoteComputerFields loadRemoteComputer(const AppSettings& s)
{
    RemoteComputerFields f;
    f.remote = Edited<bool>(!s.remoteComputer.empty());
    f.name = Edited<std::string>(s.remoteComputer);
    f.nameInTitle = Edited<bool>(s.flag(Booleans::kComputerNameInTitle));
    return f;
}

void storeRemoteComputer(const RemoteComputerFields& f, AppSettings& s)
{
    if (f.remote.touched() || f.name.touched()) {
        if (f.remote.value())
            s.setRemoteComputer(trimmed(f.name.value()));
        else
            s.remoteComputer.clear();
    }
    storeFlag(f.nameInTitle, s, Booleans::kComputerNameInTitle, false);
}

// ---- Auto Update -------------------------------------------------------------------

AutoUpdateFields loadAutoUpdate(const AppSettings& s)
{
    AutoUpdateFields f;
    f.enabled = Edited<bool>(s.flag(Booleans::kAutoUpdate));
    const auto stored = static_cast<int>((s.booleans & Booleans::kUpdateIntervalMask) >>
                                         Booleans::kUpdateIntervalShift);
    f.frequency = Edited<int>(std::min(stored, kUpdateFrequencies - 1));
    f.fullTime = Edited<bool>(s.flag(Booleans::kAlwaysOnline));
    f.ask = Edited<bool>(!s.flag(Booleans::kNoAskBeforeUpdateCheck));
    return f;
}

void storeAutoUpdate(const AutoUpdateFields& f, AppSettings& s)
{
    storeFlag(f.enabled, s, Booleans::kAutoUpdate, false);
    if (f.frequency.touched()) {
        const auto index =
            static_cast<std::uint32_t>(std::clamp(f.frequency.value(), 0, kUpdateFrequencies - 1));
        s.booleans = (s.booleans & ~Booleans::kUpdateIntervalMask) |
                     (index << Booleans::kUpdateIntervalShift);
    }
    storeFlag(f.fullTime, s, Booleans::kAlwaysOnline, false);
    storeFlag(f.ask, s, Booleans::kNoAskBeforeUpdateCheck, true);
}

void chooseFullTime(AutoUpdateFields& f, bool fullTime)
{
    f.fullTime.set(fullTime);
    if (!fullTime)
        f.ask.set(true);
}
