#pragma once
// "Brellix - Meter Limits": the high and medium limits of the bar graphs.
#include "common/win/dialog.h"

#include <cstdint>

class MeterLimitsDialog : public Dialog {
public:
    MeterLimitsDialog(std::uint8_t high, std::uint8_t medium);
    std::uint8_t high() const { return high_; }
    std::uint8_t medium() const { return medium_; }

private:
    bool onInit() override;
    void onOk() override;

    std::uint8_t high_;
    std::uint8_t medium_;
};
