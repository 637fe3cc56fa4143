#pragma once
// "Meter Options": the modal sheet that edits a copy of one meter's options record with
// the pages its kind gets, and hands the copy back only on OK.
#include "common/win/property_sheet.h"
#include "meter/prefs/meter_sheet_fields.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Asks for one host name, starting from `current` (empty for a new host); the name on
// OK, nothing on Cancel. The Hosts page's "A&dd" goes through it.
using HostEditor =
    std::function<std::optional<std::string>(HWND owner, const std::string& current)>;

// What the sheet needs beside the record: the meter's abilities, the periods of the
// usage timers, the network meter's interfaces and the host dialog.
struct MeterSheetFacts {
    MeterAbilities abilities;
    std::array<unsigned, 2> timerSeconds{1, 5}; // timers 1 and 2
    std::vector<std::string> interfaces;
    int defaultInterface = -1;
    HostEditor editHost;
};

class CMeterOptionsSheet;

// A page of the sheet: it loads its fields from the sheet's copy when it is made and
// keeps them whether or not its window is ever shown.
class MeterOptionsPage : public PropertyPage {
public:
    MeterOptionsPage(int templateId, CMeterOptionsSheet& sheet)
        : PropertyPage(templateId), sheet_(sheet)
    {
    }
    // Writes the page's fields into the copy.
    virtual void store(MeterOptions& options) = 0;

protected:
    bool onApply(bool closing) override;
    CMeterOptionsSheet& sheet() { return sheet_; }

private:
    CMeterOptionsSheet& sheet_;
};

class CMeterOptionsSheet : public PropertySheetFrame {
public:
    CMeterOptionsSheet(const MeterOptions& options, MeterSheetFacts facts);
    ~CMeterOptionsSheet() override;

    // Runs the sheet; on OK the edited copy replaces `options` and the answer is true.
    bool run(HWND owner, MeterOptions& options);

    MeterOptions& edited() { return *edited_; }
    const MeterSheetFacts& facts() const { return facts_; }
    void closedWithOk() { ok_ = true; }

protected:
    void onInitialized() override;

private:
    std::unique_ptr<MeterOptions> edited_;
    MeterSheetFacts facts_;
    std::vector<std::unique_ptr<MeterOptionsPage>> pages_;
    bool ok_ = false;
};

// The pages a kind gets, in order, for the sheet's copy.
std::vector<std::unique_ptr<MeterOptionsPage>> makeMeterOptionsPages(CMeterOptionsSheet& sheet);

// Opens the sheet on `options`; true when it ended with OK and the record was written.
bool editMeterOptions(HWND owner, MeterOptions& options, MeterSheetFacts facts);
