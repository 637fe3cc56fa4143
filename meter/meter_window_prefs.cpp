// The main window's side of the preferences sheet: opening it, and applying what it
// hands back.
#include "meter/meter_window.h"

#include "meter/prefs/host_dialog.h"

#include "common/scoped_flag.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

SheetFacts MeterWindow::sheetFacts()
{
    SheetFacts facts;
    facts.readsCounters = context_.family == PlatformFamily::NT;
    facts.isNT = context_.family == PlatformFamily::NT;
    if (context_.environment != nullptr)
        facts.majorVersion = context_.environment->facts.isNT5 ? 5 : 4;
    for (int k = 0; k < kMeterKindCount; ++k) {
        Meter& meter = meters_.byKind(static_cast<MeterKind>(k));
        if (!meter.isPlaceholder())
            facts.meters.push_back(
                {meter.kind(), meter.displayName(false), meter.canLog(), meter.canShowTrayIcon()});
    }
    if (context_.environment != nullptr && context_.family == PlatformFamily::NT) {
        facts.interfaces = context_.environment->interfaces.names();
        facts.defaultInterface = context_.environment->interfaces.defaultIndex();
    }
    facts.editHost = hostEditor();
    return facts;
}

HostEditor MeterWindow::hostEditor()
{
    return editHost;
}

bool MeterWindow::editMeterOptions(MeterKind kind)
{
    if (preferencesOpen_)
        return false;
    Meter& meter = meters_.byKind(kind);
    if (meter.isPlaceholder())
        return false;
    const SheetFacts facts = sheetFacts();
    MeterSheetFacts sheet = meterSheetFacts(
        facts, {kind, meter.displayName(false), meter.canLog(), meter.canShowTrayIcon()},
        settings_);
    // Records buffered under the old options go out under them.
    meter.flushLog();
    bool accepted = false;
    {
        ScopedFlag busy(busy_);
        ScopedFlag open(preferencesOpen_);
        accepted = ::editMeterOptions(hwnd_, meter.options(), std::move(sheet));
    }
    if (updateCheckWaiting_) {
        updateCheckWaiting_ = false;
        PostMessageA(hwnd_, WMU_CHECK_UPDATE, 0, 0);
    }
    return accepted;
}

void MeterWindow::openPreferences(int page)
{
    if (preferencesOpen_)
        return;
    // The sheet copies the settings: the volume list's column layout must be in them.
    drivePane_->storeColumnOrder();
    {
        ScopedFlag busy(busy_);
        ScopedFlag open(preferencesOpen_);
        CConfigSheet sheet(settings_, meters_.optionsTable(), sheetFacts(), *this);
        sheet.run(hwnd_, page);
    }
    if (updateCheckWaiting_) {
        updateCheckWaiting_ = false;
        PostMessageA(hwnd_, WMU_CHECK_UPDATE, 0, 0);
    }
}

void MeterWindow::applyPreferences(const AppSettings& settings, const OptionsList& options)
{
    // Records buffered under the old log settings go out under them.
    for (Meter* meter : meters_.inDisplayOrder())
        meter->flushLog();

    const bool otherComputer = remoteComputerChanged(settings_, settings);
    settings_ = settings;
    for (int k = 0; k < kMeterKindCount; ++k) {
        const auto& edited = options[static_cast<std::size_t>(k)];
        if (edited != nullptr)
            meters_.byKind(static_cast<MeterKind>(k)).options().copyFrom(*edited);
    }
    if (context_.environment != nullptr)
        context_.environment->remote.set(settings_.remoteComputer);
    if (otherComputer)
        for (Meter* meter : meters_.inDisplayOrder())
            meter->resetHistory();

    relayout();
    applyAlwaysOnTop();
    drivePane_->buildColumns();
    refreshDrivesAndLayout(true, true, true);
    reloadPlugin();
    saveSettings();
}

void MeterWindow::loadPlugin()
{
    plugin_.setHostWindow(windowAs32Bits(hwnd_));
    plugin_.load(!settings_.flag(Booleans::kNoMailPlugin));
}

void MeterWindow::reloadPlugin()
{
    // Only a change of the plug-in option saves, closes and loads the plug-in again.
    plugin_.reload(!settings_.flag(Booleans::kNoMailPlugin));
}
