// The kind pages of the "Meter Options" sheet: network, disk, memory, processes, hosts
// and the drive meter's log options.
#include "meter/prefs/meter_option_pages.h"

#include "common/input/range_input.h"
#include "common/win/message_box.h"
#include "meter/window_rules.h"

#include <commctrl.h>

namespace {

const std::vector<int> kUnitButtons{IDC_NET_BITS, IDC_NET_BYTES};
const std::vector<int> kDiskUnitButtons{IDC_DSK_BITS, IDC_DSK_BYTES};

std::vector<int> maximumButtons()
{
    std::vector<int> ids;
    for (int i = 0; i < kNetworkMaximumButtons; ++i)
        ids.push_back(IDC_NET_MAX_FIRST + i);
    return ids;
}

HICON moveIcon(int id)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
}

} // namespace

// ---- Network -----------------------------------------------------------------------

CNetOptionsPage::CNetOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_NETWORK, sheet),
      f_(loadNetwork(static_cast<NetworkOptions&>(sheet.edited()),
                     static_cast<int>(sheet.facts().interfaces.size()),
                     sheet.facts().defaultInterface))
{
}

void CNetOptionsPage::onInit()
{
    filling_ = true;
    setComboItems(IDC_NET_LIST, sheet().facts().interfaces);
    setComboIndex(IDC_NET_LIST, f_.interfaceSelection);
    enable({IDC_NET_LABEL, IDC_NET_LIST}, interfaceListEnabled(f_));
    setRadioIndex(kUnitButtons, f_.showBits ? 0 : 1);
    const NetworkMaximum& maximum = f_.maximum.value();
    setRadioIndex(maximumButtons(), maximum.button);
    limitText(IDC_NET_CUSTOM_KB, 10);
    if (maximum.button == kNetworkCustomButton)
        setNumber(IDC_NET_CUSTOM_KB, maximum.customKb);
    filling_ = false;
}

bool CNetOptionsPage::onCommand(int id, int code)
{
    if (id == IDC_NET_LIST && code == CBN_SELCHANGE) {
        f_.interfaceSelection = comboIndex(IDC_NET_LIST);
        return true;
    }
    if (id == IDC_NET_CUSTOM_KB && code == EN_CHANGE) {
        typed_ = typed_ || !filling_;
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_NET_BITS || id == IDC_NET_BYTES) {
        f_.showBits = checked(IDC_NET_BITS);
        return true;
    }
    if (id >= IDC_NET_MAX_FIRST && id <= IDC_NET_MAX_CUSTOM) {
        NetworkMaximum chosen = f_.maximum.value();
        chosen.button = radioIndex(maximumButtons());
        f_.maximum.set(chosen);
        return true;
    }
    return false;
}

bool CNetOptionsPage::onKillActive()
{
    if (radioIndex(maximumButtons()) != kNetworkCustomButton || !(typed_ || f_.maximum.touched()))
        return true;
    const std::optional<long> kb = parseCustomKb(text(IDC_NET_CUSTOM_KB));
    if (!kb) {
        messageBox(hwnd(), integerRangeMessage(kCustomKbLowest, kCustomKbHighest), kProductName,
                   MB_OK | MB_ICONEXCLAMATION);
        focus(IDC_NET_CUSTOM_KB);
        SendDlgItemMessageA(hwnd(), IDC_NET_CUSTOM_KB, EM_SETSEL, 0, -1);
        return false;
    }
    f_.maximum.set({kNetworkCustomButton, *kb});
    return true;
}

void CNetOptionsPage::store(MeterOptions& options)
{
    storeNetwork(f_, static_cast<NetworkOptions&>(options));
}

// ---- Disk --------------------------------------------------------------------------

CDiskOptionsPage::CDiskOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_DISK, sheet),
      f_(loadDisk(static_cast<DiskOptions&>(sheet.edited())))
{
}

void CDiskOptionsPage::onInit()
{
    setRadioIndex(kDiskUnitButtons, f_.showBits ? 0 : 1);
}

bool CDiskOptionsPage::onCommand(int id, int code)
{
    if (code != BN_CLICKED || (id != IDC_DSK_BITS && id != IDC_DSK_BYTES))
        return false;
    f_.showBits = checked(IDC_DSK_BITS);
    return true;
}

void CDiskOptionsPage::store(MeterOptions& options)
{
    storeDisk(f_, static_cast<DiskOptions&>(options));
}

// ---- Memory ------------------------------------------------------------------------

CMemTextOptionsPage::CMemTextOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_MEMORY, sheet),
      f_(loadMemory(static_cast<MemoryInfoOptions&>(sheet.edited())))
{
}

void CMemTextOptionsPage::onInit()
{
    setChecked(IDC_MEM_KB, f_.kb);
    setChecked(IDC_MEM_MB, f_.mb);
    setChecked(IDC_MEM_PERCENT, f_.percent);
}

bool CMemTextOptionsPage::onCommand(int id, int code)
{
    if (code != BN_CLICKED || id < IDC_MEM_KB || id > IDC_MEM_PERCENT)
        return false;
    const MemoryRow row = id == IDC_MEM_KB   ? MemoryRow::KB
                          : id == IDC_MEM_MB ? MemoryRow::MB
                                             : MemoryRow::Percent;
    if (!setMemoryRow(f_, row, checked(id))) {
        setChecked(id, true);
        messageBox(hwnd(), kAtLeastOneDisplayOption, kProductName, MB_OK | MB_ICONWARNING);
    }
    return true;
}

void CMemTextOptionsPage::store(MeterOptions& options)
{
    storeMemory(f_, static_cast<MemoryInfoOptions&>(options));
}

// ---- Processes ---------------------------------------------------------------------

CProcessesOptionsPage::CProcessesOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_PROCESSES, sheet),
      f_(loadProcesses(static_cast<ProcessOptions&>(sheet.edited())))
{
}

void CProcessesOptionsPage::onInit()
{
    filling_ = true;
    setSpinRange(IDC_PRC_SPIN, kProcessRowsLowest, kProcessRowsHighest);
    showRows();
    setChecked(IDC_PRC_IDLE, f_.showIdle);
    setChecked(IDC_PRC_ZERO, f_.showZeroUsage);
    setChecked(IDC_PRC_COLOURS, f_.useGraphColours);
    setComboItems(IDC_PRC_SORT, sortOrderItems());
    setComboIndex(IDC_PRC_SORT, f_.sortOrder.value());
    showTotalTime();
    filling_ = false;
}

void CProcessesOptionsPage::showRows()
{
    const bool wasFilling = filling_;
    filling_ = true;
    const int rows = processRowsOf(f_.rows.value());
    setSpinPosition(IDC_PRC_SPIN, rows);
    setNumber(IDC_PRC_ROWS, rows);
    filling_ = wasFilling;
}

void CProcessesOptionsPage::readRows()
{
    // The typed figure as a whole 32-bit number (the spin control's own position when
    // the field holds none), brought into range: a byte-wide read would wrap 300 to 44.
    const std::optional<long> typed = number(IDC_PRC_ROWS);
    f_.rows.set(processRowsOf(typed ? *typed : spinPosition(IDC_PRC_SPIN)));
}

void CProcessesOptionsPage::showTotalTime()
{
    setChecked(IDC_PRC_TOTAL, totalTimeShown(f_));
    enable(IDC_PRC_TOTAL, !totalTimeForced(f_));
}

bool CProcessesOptionsPage::onCommand(int id, int code)
{
    switch (id) {
    case IDC_PRC_ROWS:
        if (code == EN_CHANGE && !filling_)
            readRows();
        else if (code == EN_KILLFOCUS && f_.rows.touched())
            showRows(); // the number as it is held, not as typed
        return true;
    case IDC_PRC_SORT:
        if (code != CBN_SELCHANGE)
            return false;
        setSortOrder(f_, comboIndex(IDC_PRC_SORT));
        showTotalTime();
        return true;
    case IDC_PRC_IDLE:
    case IDC_PRC_ZERO:
    case IDC_PRC_COLOURS:
    case IDC_PRC_TOTAL:
        if (code != BN_CLICKED)
            return false;
        f_.showIdle = checked(IDC_PRC_IDLE);
        f_.showZeroUsage = checked(IDC_PRC_ZERO);
        f_.useGraphColours = checked(IDC_PRC_COLOURS);
        f_.showTotalTime = checked(IDC_PRC_TOTAL);
        return true;
    default:
        return false;
    }
}

bool CProcessesOptionsPage::onKillActive()
{
    if (f_.rows.touched())
        showRows();
    return true;
}

void CProcessesOptionsPage::store(MeterOptions& options)
{
    storeProcesses(f_, static_cast<ProcessOptions&>(options));
}

// ---- Hosts -------------------------------------------------------------------------

CPingOptionsPage::CPingOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_HOSTS, sheet), list_(static_cast<PingOptions&>(sheet.edited()))
{
}

void CPingOptionsPage::onInit()
{
    SendDlgItemMessageA(hwnd(), IDC_HST_UP, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(moveIcon(IDI_MOVE_UP)));
    SendDlgItemMessageA(hwnd(), IDC_HST_DOWN, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(moveIcon(IDI_MOVE_DOWN)));
    fillList();
}

void CPingOptionsPage::fillList()
{
    HWND list = item(IDC_HST_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : list_.names())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(list_.selection()), 0);
    enable(IDC_HST_ADD, list_.canAdd());
    enable(IDC_HST_REMOVE, list_.canRemove());
    enable(IDC_HST_UP, list_.canMoveUp());
    enable(IDC_HST_DOWN, list_.canMoveDown());
}

void CPingOptionsPage::addHost()
{
    const HostEditor& editor = sheet().facts().editHost;
    if (!editor || !list_.canAdd())
        return;
    if (const std::optional<std::string> name = editor(hwnd(), std::string()))
        list_.add(*name);
    fillList();
}

bool CPingOptionsPage::onCommand(int id, int code)
{
    if (id == IDC_HST_LIST) {
        if (code != LBN_SELCHANGE)
            return false;
        list_.select(static_cast<int>(SendDlgItemMessageA(hwnd(), id, LB_GETCURSEL, 0, 0)));
        fillList();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_HST_ADD:
        addHost();
        return true;
    case IDC_HST_REMOVE:
        list_.removeSelected();
        break;
    case IDC_HST_UP:
        list_.moveSelectedUp();
        break;
    case IDC_HST_DOWN:
        list_.moveSelectedDown();
        break;
    default:
        return false;
    }
    fillList();
    return true;
}

void CPingOptionsPage::store(MeterOptions& options)
{
    list_.store(static_cast<PingOptions&>(options));
}

// ---- Log Options -------------------------------------------------------------------

CDriveOptionsPage::CDriveOptionsPage(CMeterOptionsSheet& sheet)
    : MeterOptionsPage(IDD_MOPT_DRIVE_LOG, sheet),
      f_(loadDriveLog(static_cast<DriveOptions&>(sheet.edited())))
{
}

void CDriveOptionsPage::onInit()
{
    setNumber(IDC_DLG_INTERVAL, f_.interval);
}

bool CDriveOptionsPage::onKillActive()
{
    long interval = 0;
    if (!readIntegerField(*this, IDC_DLG_INTERVAL, kLogIntervalLowest, kLogIntervalHighest,
                          kProductName, interval))
        return false;
    f_.interval = static_cast<int>(interval);
    return true;
}

void CDriveOptionsPage::store(MeterOptions& options)
{
    storeDriveLog(f_, static_cast<DriveOptions&>(options));
}
