#pragma once
// The preferences sheet's data: the settings and meter options as they were when the
// sheet opened (or at the last Apply), and the working copy the pages write into.
#include "meter/app_settings.h"
#include "meter/meter_order.h"

#include <memory>
#include <vector>

// Copies of every meter's options, indexed by kind.
using OptionsList = std::vector<std::unique_ptr<MeterOptions>>;

OptionsList copyOptions(const MeterOptionsTable& table);
OptionsList copyOptions(const OptionsList& list);
bool sameOptions(const OptionsList& a, const OptionsList& b);

// Every field equal, texts to the letter: a change of case is a change the user made.
bool sameSettingsExactly(const AppSettings& a, const AppSettings& b);

// Whether the meters now read another computer; the name's case does not matter.
bool remoteComputerChanged(const AppSettings& before, const AppSettings& after);

class PreferencesModel {
public:
    PreferencesModel(const AppSettings& settings, const MeterOptionsTable& options);

    AppSettings& working() { return working_; }
    const AppSettings& working() const { return working_; }
    OptionsList& workingOptions() { return workingOptions_; }
    const OptionsList& workingOptions() const { return workingOptions_; }
    const AppSettings& reference() const { return reference_; }
    const OptionsList& referenceOptions() const { return referenceOptions_; }

    // The working copy differs from the reference (call after the pages stored).
    bool modified() const;
    // Apply: the working copy becomes the reference.
    void commit();

private:
    AppSettings reference_;
    OptionsList referenceOptions_;
    AppSettings working_;
    OptionsList workingOptions_;
};
