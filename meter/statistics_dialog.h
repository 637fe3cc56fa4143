#pragma once
// "Brellix - Statistics Summary" (dialog 139): the memory status and the peaks of the
// meters, read afresh every second while it is open.
#include "common/win/dialog.h"
#include "meter/measure/memory_status_cache.h"

class MeterSet;

class StatisticsSummaryDialog : public Dialog {
public:
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMilliseconds = 1000;

    StatisticsSummaryDialog(MeterSet& meters, MemoryStatusReader& memory);

private:
    bool onInit() override;
    void onTimer(UINT_PTR id) override;
    void onDestroy() override;
    void fill();

    MeterSet& meters_;
    MemoryStatusReader& memory_;
};
