#include "meter/drive_pane.h"

#include "meter/res/resource.h"
#include "meter/volumes/drive_list.h"
#include "meter/volumes/folder_space_dialog.h"

#include <vector>

namespace {

constexpr COLORREF kImageMask = RGB(0, 0, 255);

void insertColumn(HWND list, int index, const char* header)
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(header);
    column.cx = 60;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void setCell(HWND list, int row, int column, const std::string& text, int image)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    SendMessageA(list, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMA, 0,
                 reinterpret_cast<LPARAM>(&item));
}

} // namespace

DrivePane::DrivePane(DriveMeter& meter, TrayNotifier& tray, AppSettings& settings)
    : MeterPane(meter, tray), drive_(meter), settings_(settings)
{
}

DrivePane::~DrivePane()
{
    if (images_ != nullptr)
        ImageList_Destroy(images_);
}

bool DrivePane::create(HWND main, int position)
{
    if (!MeterPane::create(main, position))
        return false;
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER |
                                LVS_SHOWSELALWAYS,
                            0, 0, 100, 40, hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (list_ == nullptr)
        return false;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_SUBITEMIMAGES | LVS_EX_HEADERDRAGDROP);
    images_ = ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_VOLUME_STRIP),
                                   VOLUME_IMAGE_WIDTH, 0, kImageMask, IMAGE_BITMAP, 0);
    if (images_ != nullptr)
        SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    return true;
}

void DrivePane::buildColumns()
{
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageA(list_, LVM_DELETECOLUMN, 0, 0))
        ;
    insertColumn(list_, 0, kDriveColumnHeader);
    int index = 1;
    for (DriveColumn column : drive_.columns())
        insertColumn(list_, index++, driveColumnHeader(column));
    columnCount_ = index;
    std::vector<int> order = driveColumnOrder(settings_, static_cast<std::size_t>(columnCount_));
    SendMessageA(list_, LVM_SETCOLUMNORDERARRAY, order.size(),
                 reinterpret_cast<LPARAM>(order.data()));
}

void DrivePane::storeColumnOrder()
{
    if (list_ == nullptr || columnCount_ == 0)
        return;
    std::vector<int> order(static_cast<std::size_t>(columnCount_));
    if (SendMessageA(list_, LVM_GETCOLUMNORDERARRAY, order.size(),
                     reinterpret_cast<LPARAM>(order.data())))
        storeDriveColumnOrder(settings_, order);
}

void DrivePane::transferRows()
{
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    int row = 0;
    for (const DriveRow& r : drive_.rows()) {
        setCell(list_, row, 0, r.name, r.image);
        int column = 1;
        for (const DriveCell& cell : r.cells)
            setCell(list_, row, column++, cell.text, cell.image);
        ++row;
    }
    for (int c = 0; c < columnCount_; ++c)
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c), LVSCW_AUTOSIZE_USEHEADER);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    measure();
}

void DrivePane::measure()
{
    const DriveListRows rows =
        driveListRows(drive_.visibleVolumeCount(), settings_.numDrivesDisplayed);
    int viewWidth = 0;
    for (int c = 0; c < columnCount_; ++c)
        viewWidth +=
            static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0));
    RECT header{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0)), &header);
    // One row's height; the control gives it for an empty list too.
    const LRESULT oneRow = SendMessageA(list_, LVM_APPROXIMATEVIEWRECT, 2, MAKELPARAM(-1, -1));
    const LRESULT noRow = SendMessageA(list_, LVM_APPROXIMATEVIEWRECT, 1, MAKELPARAM(-1, -1));
    const int itemHeight = HIWORD(oneRow) - HIWORD(noRow);
    const Size list = driveListSize(viewWidth, header.bottom - header.top, itemHeight, rows,
                                    GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXEDGE));
    drive_.setListHeight(list.cy);
    required_ = {list.cx + Meter::kHideStripWidth, list.cy};
}

void DrivePane::onSize(int cx, int cy)
{
    MeterPane::onSize(cx, cy);
    if (list_ == nullptr)
        return;
    // Scroll bars left from a smaller size would keep each other alive (each takes room
    // the other then needs); the control puts back what the new size really needs.
    ShowScrollBar(list_, SB_BOTH, FALSE);
    MoveWindow(list_, 0, 0, cx - Meter::kHideStripWidth, cy, TRUE);
}

int DrivePane::rowUnder(POINT screen) const
{
    LVHITTESTINFO hit{};
    hit.pt = screen;
    ScreenToClient(list_, &hit.pt);
    const int row =
        static_cast<int>(SendMessageA(list_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const int selected = static_cast<int>(
        SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return row >= 0 && row == selected ? row : -1;
}

void DrivePane::prepareMenu(HMENU menu, POINT screen)
{
    MeterPane::prepareMenu(menu, screen);
    menuRow_ = rowUnder(screen);
    if (menuRow_ < 0 || !drive_.commandPath(static_cast<std::size_t>(menuRow_)))
        return;
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, ID_DRIVE_FOLDER_USAGE, "&Show Folder Usage...");
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, ID_DRIVE_OPEN_IN_EXPLORER, "&Open In Explorer");
}

void DrivePane::clearSelection()
{
    LVITEMA unselected{};
    unselected.stateMask = LVIS_SELECTED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&unselected));
}

void DrivePane::openInExplorer(int row)
{
    const auto path = drive_.commandPath(static_cast<std::size_t>(row));
    if (!path)
        return;
    WinExec(explorerCommand(*path).c_str(), SW_SHOWNORMAL);
    clearSelection();
}

void DrivePane::showFolderUsage(int row)
{
    const auto path = drive_.commandPath(static_cast<std::size_t>(row));
    if (!path)
        return;
    FolderSpaceDialog dialog(*path);
    dialog.runModal(mainWindow());
    clearSelection();
}

bool DrivePane::onCommand(unsigned id)
{
    if (id == ID_DRIVE_OPEN_IN_EXPLORER) {
        if (menuRow_ >= 0)
            openInExplorer(menuRow_);
        return true;
    }
    if (id == ID_DRIVE_FOLDER_USAGE) {
        if (menuRow_ >= 0)
            showFolderUsage(menuRow_);
        return true;
    }
    return MeterPane::onCommand(id);
}

LRESULT DrivePane::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == list_ && header->code == NM_DBLCLK) {
            const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
            if (activate->iItem >= 0)
                openInExplorer(activate->iItem);
            return 0;
        }
    }
    return MeterPane::handleMessage(message, wParam, lParam);
}
