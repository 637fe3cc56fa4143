#include "config_sheet_rig.h"
#include "meter/prefs/config_sheet.h"
#include "meter/prefs/meter_limits_dialog.h"
#include "meter/res/resource.h"
#include "sheet_driver.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

constexpr const char* kCaption = "Brellix - Meter Limits";

void type(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Presses OK with the two values and answers the message that comes, if one does.
std::string okWith(HWND dialog, const char* high, const char* medium, const char* expected)
{
    type(dialog, IDC_LIMITS_HIGH, high);
    type(dialog, IDC_LIMITS_MEDIUM, medium);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    HWND box = nullptr;
    waitUntil([&] {
        return (box = findMessageBox(GetWindowThreadProcessId(dialog, nullptr), expected)) !=
               nullptr;
    });
    if (box == nullptr)
        return "";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box); });
    return expected;
}

} // namespace

TEST(meterLimitsDialog, equalLimitsAreRefusedAndTheDialogStays)
{
    MeterLimitsDialog dialog(98, 90);
    std::string refused, rangeRefused;
    bool stayed = false;
    Driver driver(kCaption, [&](HWND window) {
        refused =
            okWith(window, "80", "80", "The high limit must be greater than the medium limit.");
        rangeRefused = okWith(window, "1", "0", "Please enter an integer between 2 and 100.");
        stayed = IsWindow(window) != FALSE;
        type(window, IDC_LIMITS_HIGH, "81");
        type(window, IDC_LIMITS_MEDIUM, "80");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.runModal(nullptr), IDOK);
    EXPECT_FALSE(refused.empty());
    EXPECT_FALSE(rangeRefused.empty()); // the range check comes before the comparison
    EXPECT_TRUE(stayed);
    EXPECT_EQ(dialog.high(), 81);
    EXPECT_EQ(dialog.medium(), 80);
}

TEST(meterLimitsDialog, okOnTheMeterOptionsPageEnablesApply)
{
    Rig rig;
    bool enabled = false;
    rig.run(kMeterOptionsPage, [&](HWND window) {
        HWND page = showPage(window, 4);
        click(page, IDC_MOP_LIMITS);
        HWND limits = nullptr;
        waitUntil([&] {
            return (limits = findWindowOf(GetWindowThreadProcessId(window, nullptr), kCaption)) !=
                   nullptr;
        });
        if (limits != nullptr) {
            type(limits, IDC_LIMITS_HIGH, "95");
            PostMessageA(limits, WM_COMMAND, IDOK, 0);
        }
        enabled = waitUntil([&] { return applyEnabled(window); });
        press(window, PSBTN_OK);
    });
    EXPECT_TRUE(enabled);
    ASSERT_EQ(rig.sink.applied.size(), 1u);
    EXPECT_EQ(rig.sink.applied[0].highLimit, 95);
    EXPECT_EQ(rig.sink.applied[0].mediumLimit, 90);
}
