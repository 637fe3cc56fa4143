// The "Volumes" and "Meters" pages: list views with check boxes.
#include "meter/prefs/config_pages.h"
#include "meter/prefs/volume_info_dialog.h"

#include <commctrl.h>

namespace {

constexpr DWORD kListStyle = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

void addColumns(HWND list, const std::vector<std::string>& headers, int width)
{
    for (std::size_t i = 0; i < headers.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(headers[i].c_str());
        column.cx = width;
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
}

void addRow(HWND list, int row, const std::vector<std::string>& texts, bool checked)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(texts[0].c_str());
    ListView_InsertItem(list, &item);
    for (std::size_t i = 1; i < texts.size(); ++i)
        ListView_SetItemText(list, row, static_cast<int>(i), const_cast<char*>(texts[i].c_str()));
    ListView_SetCheckState(list, row, checked ? TRUE : FALSE);
}

// A change of an item's check box (its state image), not of its selection.
bool checkChanged(const NMLISTVIEW& change)
{
    return (change.uChanged & LVIF_STATE) != 0 &&
           ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
           (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
}

bool selectionChanged(const NMLISTVIEW& change)
{
    return (change.uChanged & LVIF_STATE) != 0 &&
           ((change.uNewState ^ change.uOldState) & LVIS_SELECTED) != 0;
}

HICON moveIcon(int id)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
}

} // namespace

// ---- Volumes -----------------------------------------------------------------------

CConfigVolumnsPage::CConfigVolumnsPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_VOLUMES, sheet), list_(sheet.model().reference())
{
}

void CConfigVolumnsPage::onInit()
{
    HWND list = item(IDC_VOL_LIST);
    ListView_SetExtendedListViewStyle(list, kListStyle);
    addColumns(list, {"Volume", "Friendly Name", "Warning Level"}, 100);
    SendDlgItemMessageA(hwnd(), IDC_VOL_UP, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(moveIcon(IDI_MOVE_UP)));
    SendDlgItemMessageA(hwnd(), IDC_VOL_DOWN, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(moveIcon(IDI_MOVE_DOWN)));
    fillList();
}

void CConfigVolumnsPage::fillList()
{
    filling_ = true;
    HWND list = item(IDC_VOL_LIST);
    ListView_DeleteAllItems(list);
    int row = 0;
    for (const WatchedVolume& volume : list_.volumes())
        addRow(list, row++, {volume.path, volume.userName, warningLevelText(volume)},
               volume.inToolTip);
    if (list_.selection() >= 0) {
        ListView_SetItemState(list, list_.selection(), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, list_.selection(), FALSE);
    }
    filling_ = false;
    showCount();
    updateButtons();
}

void CConfigVolumnsPage::showCount()
{
    filling_ = true;
    const int count = static_cast<int>(list_.volumes().size());
    setSpinRange(IDC_VOL_SPIN, count > 0 ? 1 : 0, count);
    setSpinPosition(IDC_VOL_SPIN, static_cast<int>(list_.displayed()));
    setNumber(IDC_VOL_COUNT, static_cast<long>(list_.displayed()));
    enable({IDC_VOL_COUNT, IDC_VOL_SPIN}, list_.displayedEnabled());
    filling_ = false;
}

void CConfigVolumnsPage::updateButtons()
{
    enable({IDC_VOL_REMOVE, IDC_VOL_EDIT}, list_.canEditOrRemove());
    enable(IDC_VOL_UP, list_.canMoveUp());
    enable(IDC_VOL_DOWN, list_.canMoveDown());
}

void CConfigVolumnsPage::editVolume(bool adding)
{
    WatchedVolume volume;
    if (!adding) {
        if (!list_.canEditOrRemove())
            return;
        volume = list_.volumes()[static_cast<std::size_t>(list_.selection())];
    } else {
        volume.warningMB = kDefaultWarningLevel;
    }
    VolumeInfoDialog dialog(volume);
    if (dialog.runModal(hwnd()) != IDOK)
        return;
    if (adding)
        list_.add(dialog.volume());
    else
        list_.replaceSelected(dialog.volume());
    fillList();
    changed();
}

bool CConfigVolumnsPage::onCommand(int id, int code)
{
    switch (id) {
    case IDC_VOL_ADD:
    case IDC_VOL_EDIT:
        editVolume(id == IDC_VOL_ADD);
        return true;
    case IDC_VOL_REMOVE:
        list_.removeSelected();
        break;
    case IDC_VOL_UP:
        list_.moveSelectedUp();
        break;
    case IDC_VOL_DOWN:
        list_.moveSelectedDown();
        break;
    case IDC_VOL_COUNT:
        if (code == EN_KILLFOCUS)
            showCount(); // the number as it is held, not as typed
        if (code != EN_CHANGE || filling_)
            return true;
        if (const auto typed = number(IDC_VOL_COUNT))
            list_.setDisplayed(*typed);
        changed();
        return true;
    default:
        return false;
    }
    fillList();
    changed();
    return true;
}

bool CConfigVolumnsPage::onNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_VOL_LIST || filling_)
        return false;
    if (header.code == NM_DBLCLK) {
        editVolume(false);
        return true;
    }
    if (header.code != LVN_ITEMCHANGED)
        return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (selectionChanged(change)) {
        list_.select(static_cast<int>(ListView_GetNextItem(item(IDC_VOL_LIST), -1, LVNI_SELECTED)));
        updateButtons();
    }
    if (checkChanged(change)) {
        list_.setInTray(static_cast<std::size_t>(change.iItem),
                        ListView_GetCheckState(item(IDC_VOL_LIST), change.iItem) != 0);
        changed();
    }
    result = 0;
    return true;
}

bool CConfigVolumnsPage::onKillActive()
{
    showCount();
    return true;
}

void CConfigVolumnsPage::store(AppSettings& settings, OptionsList&)
{
    list_.store(settings);
}

// ---- Meters ------------------------------------------------------------------------

CConfigMetersPage::CConfigMetersPage(CConfigSheet& sheet)
    : ConfigPage(IDD_PAGE_METERS, sheet), notices_(sheet.facts().isNT, sheet.facts().majorVersion)
{
}

void CConfigMetersPage::onInit()
{
    HWND list = item(IDC_MTR_LIST);
    ListView_SetExtendedListViewStyle(list, kListStyle);
    addColumns(list, meterColumnHeaders(), 40);
    enable(IDC_MTR_EDIT, false); // until a row is selected
}

void CConfigMetersPage::onSetActive()
{
    fillList();
}

void CConfigMetersPage::fillList()
{
    filling_ = true;
    HWND list = item(IDC_MTR_LIST);
    ListView_DeleteAllItems(list);
    rows_.clear();
    const AppSettings& settings = sheet().model().working();
    int row = 0;
    for (const MeterFacts& meter : sheet().facts().meters) {
        const MeterOptions* options =
            sheet().model().workingOptions()[static_cast<std::size_t>(meter.kind)].get();
        if (options == nullptr)
            continue;
        const MeterRow shown = meterRow({meter.kind, meter.name, meter.canLog, options}, settings);
        addRow(list, row++, {shown.texts.begin(), shown.texts.end()}, shown.active);
        rows_.push_back(meter.kind);
    }
    for (int column = 0; column < static_cast<int>(meterColumnHeaders().size()); ++column)
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE_USEHEADER);
    filling_ = false;
    enable(IDC_MTR_EDIT, selectedRow() >= 0);
}

int CConfigMetersPage::selectedRow() const
{
    const int row = static_cast<int>(ListView_GetNextItem(item(IDC_MTR_LIST), -1, LVNI_SELECTED));
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() ? row : -1;
}

void CConfigMetersPage::editMeter(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    const MeterKind kind = rows_[static_cast<std::size_t>(row)];
    MeterOptions* options = sheet().model().workingOptions()[static_cast<std::size_t>(kind)].get();
    const SheetFacts& facts = sheet().facts();
    const MeterFacts* meter = nullptr;
    for (const MeterFacts& each : facts.meters)
        if (each.kind == kind)
            meter = &each;
    if (options == nullptr || meter == nullptr)
        return;
    if (!editMeterOptions(sheet().hwnd(), *options,
                          meterSheetFacts(facts, *meter, sheet().model().working())))
        return;
    fillList();
    ListView_SetItemState(item(IDC_MTR_LIST), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    changed();
}

bool CConfigMetersPage::onCommand(int id, int code)
{
    if (id != IDC_MTR_EDIT || code != BN_CLICKED)
        return false;
    editMeter(selectedRow());
    return true;
}

bool CConfigMetersPage::onNotify(const NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_MTR_LIST || filling_)
        return false;
    if (header.code == NM_DBLCLK) {
        editMeter(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    }
    if (header.code != LVN_ITEMCHANGED)
        return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (selectionChanged(change))
        enable(IDC_MTR_EDIT, selectedRow() >= 0);
    if (!checkChanged(change) || change.iItem < 0 ||
        static_cast<std::size_t>(change.iItem) >= rows_.size())
        return false;
    const MeterKind kind = rows_[static_cast<std::size_t>(change.iItem)];
    const bool on = ListView_GetCheckState(item(IDC_MTR_LIST), change.iItem) != 0;
    sheet().model().workingOptions()[static_cast<std::size_t>(kind)]->setActive(on);
    if (on)
        if (const auto notice = notices_.onSwitchedOn(kind))
            MessageBoxA(hwnd(), notice->c_str(), kPreferencesCaption, MB_OK | MB_ICONINFORMATION);
    changed();
    result = 0;
    return true;
}

void CConfigMetersPage::store(AppSettings&, OptionsList&)
{
    // Check changes go straight into the working meter options.
}
