#include "meter/prefs/config_sheet.h"

#include "common/win/dialog.h"
#include "meter/prefs/config_pages.h"

MeterSheetFacts meterSheetFacts(const SheetFacts& facts, const MeterFacts& meter,
                                const AppSettings& settings)
{
    MeterSheetFacts sheet;
    sheet.abilities.canLog = meter.canLog;
    sheet.abilities.canShowTrayIcon = meter.canShowTrayIcon;
    sheet.abilities.hasTimer = meter.kind != MeterKind::Drive;
    sheet.timerSeconds = {settings.timerSeconds[1], settings.timerSeconds[2]};
    sheet.interfaces = facts.interfaces;
    sheet.defaultInterface = facts.defaultInterface;
    sheet.editHost = facts.editHost;
    return sheet;
}

void ConfigPage::changed()
{
    sheet_.modifiedTest(*this);
}

bool ConfigPage::onApply(bool closing)
{
    sheet_.pageApplied(*this, closing);
    return true;
}

CConfigSheet::CConfigSheet(const AppSettings& settings, const MeterOptionsTable& options,
                           SheetFacts facts, PreferencesSink& sink)
    : PropertySheetFrame(kPreferencesCaption), model_(settings, options), facts_(std::move(facts)),
      sink_(sink)
{
    pages_ = makeConfigPages(*this);
    for (auto& page : pages_)
        addPage(*page);
}

CConfigSheet::~CConfigSheet() = default;

void CConfigSheet::run(HWND owner, int firstPage)
{
    closedWithOk_ = false;
    runModal(owner, firstPage);
    if (!closedWithOk_)
        return;
    collect();
    if (model_.modified()) {
        model_.commit();
        sink_.applyPreferences(model_.working(), model_.workingOptions());
    }
}

void CConfigSheet::collect()
{
    for (auto& page : pages_)
        page->store(model_.working(), model_.workingOptions());
}

void CConfigSheet::modifiedTest(ConfigPage& from)
{
    collect();
    const bool modified = model_.modified();
    // Apply follows the whole copy, not the page that changed last.
    for (auto& page : pages_)
        if (page->created())
            page->setChanged(false);
    if (modified && from.created())
        from.setChanged(true);
}

void CConfigSheet::pageApplied(ConfigPage& page, bool closing)
{
    // The sheet tells every page it made, in page order; the first one acts for all.
    for (auto& each : pages_) {
        if (!each->created())
            continue;
        if (each.get() != &page)
            return;
        break;
    }
    if (closing) {
        closedWithOk_ = true; // applied once the sheet has closed
        return;
    }
    collect();
    model_.commit();
    sink_.applyPreferences(model_.working(), model_.workingOptions());
}

void CConfigSheet::onInitialized()
{
    centreWindowOnDesktop(hwnd());
}
