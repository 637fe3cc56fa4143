#pragma once
// "Brellix - Preferences": the modal sheet that edits a private copy of the settings
// and the meter options and hands it to the main window on Apply and on OK.
#include "common/win/property_sheet.h"
#include "meter/prefs/meter_options_sheet.h"
#include "meter/prefs/prefs_model.h"

#include <memory>
#include <string>
#include <vector>

// Where Apply and OK hand the edited settings; the main window applies and stores them.
class PreferencesSink {
public:
    virtual ~PreferencesSink() = default;
    virtual void applyPreferences(const AppSettings& settings, const OptionsList& options) = 0;
};

struct MeterFacts {
    MeterKind kind;
    std::string name;
    bool canLog;
    bool canShowTrayIcon = false;
};

// What the sheet needs to know of the program beside its settings.
struct SheetFacts {
    bool readsCounters = true; // the meters read the performance-counter interface
    bool isNT = true;
    unsigned majorVersion = 5;
    std::vector<MeterFacts> meters; // the kinds that are no placeholders, in kind order
    // For the meter options sheet of "&Edit Meter...": the network meter's interfaces
    // and the host dialog.
    std::vector<std::string> interfaces;
    int defaultInterface = -1;
    HostEditor editHost;
};

// The options sheet's facts for one meter of the list, with the working settings'
// timer periods.
MeterSheetFacts meterSheetFacts(const SheetFacts& facts, const MeterFacts& meter,
                                const AppSettings& settings);

class CConfigSheet;

// A page of the sheet: it keeps its fields whether or not its window was ever made.
class ConfigPage : public PropertyPage {
public:
    ConfigPage(int templateId, CConfigSheet& sheet) : PropertyPage(templateId), sheet_(sheet) {}
    // Writes what the user changed into the working copy.
    virtual void store(AppSettings& settings, OptionsList& options) = 0;

protected:
    // Every change runs the modified test.
    void changed();
    bool onApply(bool closing) override;
    CConfigSheet& sheet() { return sheet_; }

private:
    CConfigSheet& sheet_;
};

class CConfigSheet : public PropertySheetFrame {
public:
    CConfigSheet(const AppSettings& settings, const MeterOptionsTable& options, SheetFacts facts,
                 PreferencesSink& sink);
    ~CConfigSheet() override;

    // Runs the sheet with page `firstPage` in front; after OK, hands what is still
    // changed to the sink once the sheet has closed.
    void run(HWND owner, int firstPage);

    PreferencesModel& model() { return model_; }
    const SheetFacts& facts() const { return facts_; }
    // Every page writes its fields into the working copy.
    void collect();
    // Enables Apply exactly while the working copy differs from the reference.
    void modifiedTest(ConfigPage& from);
    // The sheet's OK or Apply reached a page.
    void pageApplied(ConfigPage& page, bool closing);

protected:
    void onInitialized() override;

private:
    PreferencesModel model_;
    SheetFacts facts_;
    PreferencesSink& sink_;
    std::vector<std::unique_ptr<ConfigPage>> pages_;
    bool closedWithOk_ = false;
};

inline constexpr const char* kPreferencesCaption = "Brellix - Preferences";
