#include "meter/prefs/prefs_model.h"

#include <algorithm>
#include <tuple>

OptionsList copyOptions(const MeterOptionsTable& table)
{
    OptionsList list;
    for (const MeterOptions* options : table)
        list.push_back(options != nullptr ? options->clone() : nullptr);
    return list;
}

OptionsList copyOptions(const OptionsList& source)
{
    OptionsList list;
    for (const auto& options : source)
        list.push_back(options != nullptr ? options->clone() : nullptr);
    return list;
}

bool sameOptions(const OptionsList& a, const OptionsList& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        if (x == nullptr || y == nullptr)
            return x == y;
        return x->bytes() == y->bytes();
    });
}

namespace {

auto fieldsOf(const WatchedVolume& v)
{
    return std::tie(v.path, v.userName, v.warningMB, v.inToolTip);
}

auto fieldsOf(const AppSettings& s)
{
    return std::tie(s.booleans, s.remoteComputer, s.logFilesFolder, s.logFileBuffer, s.timerSeconds,
                    s.columnOrder, s.columnPositions, s.numDrivesDisplayed, s.volumeWarningSound,
                    s.colours, s.highLimit, s.mediumLimit, s.volumeAlertExe, s.volumeAlertOptions,
                    s.hotKey.virtualKey, s.hotKey.modifiers, s.textAlign);
}

} // namespace

bool sameSettingsExactly(const AppSettings& a, const AppSettings& b)
{
    return fieldsOf(a) == fieldsOf(b) &&
           std::equal(a.volumes.begin(), a.volumes.end(), b.volumes.begin(), b.volumes.end(),
                      [](const WatchedVolume& x, const WatchedVolume& y) {
                          return fieldsOf(x) == fieldsOf(y);
                      });
}

bool remoteComputerChanged(const AppSettings& before, const AppSettings& after)
{
    return !equalsNoCase(before.remoteComputer, after.remoteComputer);
}

PreferencesModel::PreferencesModel(const AppSettings& settings, const MeterOptionsTable& options)
    : reference_(settings), referenceOptions_(copyOptions(options)), working_(settings),
      workingOptions_(copyOptions(options))
{
}

bool PreferencesModel::modified() const
{
    return !sameSettingsExactly(working_, reference_) ||
           !sameOptions(workingOptions_, referenceOptions_);
}

void PreferencesModel::commit()
{
    reference_ = working_;
    referenceOptions_ = copyOptions(workingOptions_);
}
