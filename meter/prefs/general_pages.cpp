#include "meter/prefs/general_pages.h"

namespace {

constexpr int kFunctionKeys = 11; // F1..F11
constexpr int kHotKeyItems = kFunctionKeys + 26;
constexpr std::uint32_t kVkF1 = 112;

template <typename T>
void storeFlag(const Edited<T>& field, AppSettings& settings, std::uint32_t bit, bool inverted)
{
    if (field.touched())
        settings.setFlag(bit, field.value() != inverted);
}

int clampIndex(long index, int count)
{
    return index < 0 ? 0 : index >= count ? count - 1 : static_cast<int>(index);
}

} // namespace

// ---- Application Options ---------------------------------------------------------

const std::vector<std::string>& closeActionItems()
{
    static const std::vector<std::string> items{"Exit Brellix", "Hide application window", "Ask"};
    return items;
}

const std::vector<std::string>& hotKeyItems()
{
    static const std::vector<std::string> items = [] {
        std::vector<std::string> list;
        for (int i = 1; i <= kFunctionKeys; ++i)
            list.push_back("F" + std::to_string(i));
        for (char c = 'A'; c <= 'Z'; ++c)
            list.push_back(std::string(1, c));
        return list;
    }();
    return items;
}

int hotKeyIndexOf(std::uint32_t virtualKey)
{
    const long index = virtualKey >= kVkF1 && virtualKey <= kVkF1 + kFunctionKeys - 1
                           ? static_cast<long>(virtualKey - kVkF1)
                           : static_cast<long>(virtualKey) - 54;
    return clampIndex(index, kHotKeyItems);
}

std::uint32_t virtualKeyOfIndex(int index)
{
    index = clampIndex(index, kHotKeyItems);
    return index < kFunctionKeys ? kVkF1 + static_cast<std::uint32_t>(index)
                                 : static_cast<std::uint32_t>(index + 54);
}

ApplicationOptionsFields loadApplicationOptions(const AppSettings& s)
{
    ApplicationOptionsFields f;
    f.alwaysOnTop = Edited<bool>(s.flag(Booleans::kAlwaysOnTop));
    f.startHidden = Edited<bool>(s.flag(Booleans::kStartHidden));
    f.hideFromTaskBar = Edited<bool>(s.flag(Booleans::kHideFromTaskBar));
    f.keepOnScreen = Edited<bool>(!s.flag(Booleans::kDoNotKeepOnScreen));
    f.useMailPlugin = Edited<bool>(!s.flag(Booleans::kNoMailPlugin));
    f.closeAction = Edited<int>(s.flag(Booleans::kCloseExits)   ? kCloseExitIndex
                                : s.flag(Booleans::kCloseHides) ? kCloseHideIndex
                                                                : kCloseAskIndex);
    f.hotKeyOn = Edited<bool>(s.flag(Booleans::kHotKeyActivation));
    f.alt = Edited<bool>((s.hotKey.modifiers & kHotKeyAlt) != 0);
    f.ctrl = Edited<bool>((s.hotKey.modifiers & kHotKeyCtrl) != 0);
    f.shift = Edited<bool>((s.hotKey.modifiers & kHotKeyShift) != 0);
    f.keyIndex = Edited<int>(hotKeyIndexOf(s.hotKey.virtualKey));
    return f;
}

void storeApplicationOptions(const ApplicationOptionsFields& f, AppSettings& s)
{
    storeFlag(f.alwaysOnTop, s, Booleans::kAlwaysOnTop, false);
    storeFlag(f.startHidden, s, Booleans::kStartHidden, false);
    storeFlag(f.hideFromTaskBar, s, Booleans::kHideFromTaskBar, false);
    storeFlag(f.keepOnScreen, s, Booleans::kDoNotKeepOnScreen, true);
    storeFlag(f.useMailPlugin, s, Booleans::kNoMailPlugin, true);
    if (f.closeAction.touched()) {
        s.setFlag(Booleans::kCloseExits, f.closeAction.value() == kCloseExitIndex);
        s.setFlag(Booleans::kCloseHides, f.closeAction.value() == kCloseHideIndex);
    }
    storeFlag(f.hotKeyOn, s, Booleans::kHotKeyActivation, false);
    // With activation off the key stays as it was, whatever the disabled controls show.
    if (!f.hotKeyOn.value())
        return;
    if (f.alt.touched() || f.ctrl.touched() || f.shift.touched())
        s.hotKey.modifiers = (f.alt.value() ? kHotKeyAlt : 0) | (f.ctrl.value() ? kHotKeyCtrl : 0) |
                             (f.shift.value() ? kHotKeyShift : 0) | kHotKeyWindows;
    if (f.keyIndex.touched()) {
        s.hotKey.virtualKey = virtualKeyOfIndex(f.keyIndex.value());
        s.hotKey.modifiers |= kHotKeyWindows;
    }
}

// ---- Volume Options ----------------------------------------------------------------

const std::vector<std::string>& warningSoundItems()
{
    static const std::vector<std::string> items{"None", "Voice", "Sound"};
    return items;
}

VolumeOptionsFields loadVolumeOptions(const AppSettings& s)
{
    VolumeOptionsFields f;
    f.graphShowsRemaining = Edited<bool>(s.flag(Booleans::kVolumeShowsRemaining));
    f.columnFree = Edited<bool>(s.flag(Booleans::kColumnFree));
    f.columnUsed = Edited<bool>(s.flag(Booleans::kColumnUsed));
    f.columnTotal = Edited<bool>(s.flag(Booleans::kColumnTotal));
    f.columnPercentage = Edited<bool>(s.flag(Booleans::kColumnPercentage));
    f.percentUsed = Edited<bool>(s.flag(Booleans::kShowUsedPercent));
    f.gigabytes = Edited<bool>(s.flag(Booleans::kVolumeSizesInGB));
    f.hideUnavailable = Edited<bool>(!s.flag(Booleans::kShowUnavailableVolumes));
    f.noRetry = Edited<bool>(!s.flag(Booleans::kRetryFailedVolumes));
    f.sound = Edited<int>(
        clampIndex(static_cast<long>(std::min<std::uint32_t>(s.volumeWarningSound, 1000)),
                   static_cast<int>(warningSoundItems().size())));
    f.runApplication = Edited<bool>(!s.volumeAlertExe.empty());
    f.alertPath = Edited<std::string>(s.volumeAlertExe);
    f.alertOptions = Edited<std::string>(s.volumeAlertOptions);
    return f;
}

void storeVolumeOptions(const VolumeOptionsFields& f, AppSettings& s)
{
    storeFlag(f.graphShowsRemaining, s, Booleans::kVolumeShowsRemaining, false);
    storeFlag(f.columnFree, s, Booleans::kColumnFree, false);
    storeFlag(f.columnUsed, s, Booleans::kColumnUsed, false);
    storeFlag(f.columnTotal, s, Booleans::kColumnTotal, false);
    storeFlag(f.columnPercentage, s, Booleans::kColumnPercentage, false);
    storeFlag(f.percentUsed, s, Booleans::kShowUsedPercent, false);
    storeFlag(f.gigabytes, s, Booleans::kVolumeSizesInGB, false);
    storeFlag(f.hideUnavailable, s, Booleans::kShowUnavailableVolumes, true);
    storeFlag(f.noRetry, s, Booleans::kRetryFailedVolumes, true);
    if (f.sound.touched())
        s.volumeWarningSound = static_cast<std::uint32_t>(f.sound.value());
    if (f.runApplication.value()) {
        if (f.runApplication.touched() || f.alertPath.touched())
            s.volumeAlertExe = f.alertPath.value();
        if (f.runApplication.touched() || f.alertOptions.touched())
            s.volumeAlertOptions = f.alertOptions.value();
    } else if (f.runApplication.touched()) {
        s.volumeAlertExe.clear(); // the options stay for the next time
    }
}

std::string systemFilter(const std::string& filter)
{
    std::string text = filter;
    for (char& c : text)
        if (c == '|')
            c = '\0';
    return text;
}

// ---- Meter Options -----------------------------------------------------------------

MeterOptionsFields loadMeterOptionsPage(const AppSettings& s)
{
    MeterOptionsFields f;
    f.textAlign = Edited<int>(static_cast<int>(s.textAlign));
    f.includeAverage = Edited<bool>(!s.flag(Booleans::kLeaveOutAverage));
    f.highLimit = Edited<std::uint8_t>(s.highLimit);
    f.mediumLimit = Edited<std::uint8_t>(s.mediumLimit);
    f.colours = Edited<GraphColours>(s.colours);
    return f;
}

void storeMeterOptionsPage(const MeterOptionsFields& f, AppSettings& s)
{
    if (f.textAlign.touched())
        s.textAlign = static_cast<TextAlign>(clampIndex(f.textAlign.value(), 3));
    storeFlag(f.includeAverage, s, Booleans::kLeaveOutAverage, true);
    if (f.highLimit.touched())
        s.highLimit = f.highLimit.value();
    if (f.mediumLimit.touched())
        s.mediumLimit = f.mediumLimit.value();
    if (f.colours.touched())
        s.colours = f.colours.value();
}
