#include "meter/prefs/meter_limits_dialog.h"

#include "common/win/message_box.h"
#include "meter/prefs/meter_limits.h"
#include "meter/res/resource.h"
#include "meter/window_rules.h"

MeterLimitsDialog::MeterLimitsDialog(std::uint8_t high, std::uint8_t medium)
    : Dialog(IDD_METER_LIMITS), high_(high), medium_(medium)
{
}

bool MeterLimitsDialog::onInit()
{
    setNumber(IDC_LIMITS_HIGH, high_);
    setNumber(IDC_LIMITS_MEDIUM, medium_);
    return true;
}

void MeterLimitsDialog::onOk()
{
    long high = 0, medium = 0;
    if (!readIntegerField(*this, IDC_LIMITS_HIGH, kHighLimitLowest, kHighLimitHighest, kProductName,
                          high) ||
        !readIntegerField(*this, IDC_LIMITS_MEDIUM, kMediumLimitLowest, kMediumLimitHighest,
                          kProductName, medium))
        return;
    if (!limitsInOrder(high, medium)) {
        messageBox(hwnd(), kLimitsOrderMessage, kProductName, MB_OK | MB_ICONERROR);
        return;
    }
    high_ = static_cast<std::uint8_t>(high);
    medium_ = static_cast<std::uint8_t>(medium);
    close(IDOK);
}
