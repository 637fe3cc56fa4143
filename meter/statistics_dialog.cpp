#include "meter/statistics_dialog.h"

#include "meter/res/resource.h"
#include "meter/statistics_summary.h"

StatisticsSummaryDialog::StatisticsSummaryDialog(MeterSet& meters, MemoryStatusReader& memory)
    : Dialog(IDD_STATISTICS), meters_(meters), memory_(memory)
{
}

bool StatisticsSummaryDialog::onInit()
{
    // Which meters are on is fixed while the dialog is open: the window is busy, so no
    // sheet or menu can switch one.
    const StatisticsRows rows = statisticsRows(statisticsPeaks(meters_));
    for (int id : {IDC_STAT_PAGE_PEAK_LABEL, IDC_STAT_PAGE_PEAK})
        show(id, rows.pageFilePeak);
    for (int id : {IDC_STAT_NET_GROUP, IDC_STAT_NET_LABEL, IDC_STAT_NET_PEAK})
        show(id, rows.network);
    for (int id :
         {IDC_STAT_DISK_GROUP, IDC_STAT_DISK_LABEL, IDC_STAT_DISK_PEAK_KB, IDC_STAT_DISK_PEAK_MB})
        show(id, rows.disk);
    fill();
    SetTimer(hwnd(), kRefreshTimer, kRefreshMilliseconds, nullptr);
    return true;
}

void StatisticsSummaryDialog::onTimer(UINT_PTR id)
{
    if (id == kRefreshTimer)
        fill();
}

void StatisticsSummaryDialog::onDestroy()
{
    KillTimer(hwnd(), kRefreshTimer);
}

void StatisticsSummaryDialog::fill()
{
    const StatisticsTexts t = statisticsTexts(memory_.read(), statisticsPeaks(meters_));
    setText(IDC_STAT_MEMORY_LOAD, t.memoryLoad);
    setText(IDC_STAT_PHYS_TOTAL, t.physicalTotal);
    setText(IDC_STAT_PHYS_AVAILABLE, t.physicalAvailable);
    setText(IDC_STAT_PHYS_USED, t.physicalUsed);
    setText(IDC_STAT_PHYS_IN_USE, t.physicalInUse);
    setText(IDC_STAT_PAGE_TOTAL, t.pageFileTotal);
    setText(IDC_STAT_PAGE_AVAILABLE, t.pageFileAvailable);
    setText(IDC_STAT_PAGE_USED, t.pageFileUsed);
    setText(IDC_STAT_PAGE_IN_USE, t.pageFileInUse);
    setText(IDC_STAT_PAGE_PEAK, t.pageFilePeak);
    setText(IDC_STAT_NET_PEAK, t.networkPeak);
    setText(IDC_STAT_DISK_PEAK_KB, t.diskPeakKB);
    setText(IDC_STAT_DISK_PEAK_MB, t.diskPeakMB);
}
