#include "meter/volumes/folder_space_dialog.h"

#include "meter/res/resource.h"

namespace {

// Posted from WM_INITDIALOG: the first scan runs once the dialog is up.
constexpr UINT WMU_FIRST_SCAN = WM_APP + 1;

constexpr int kMinTrackWidth = 400;
constexpr int kMinTrackHeight = 200;

} // namespace

// The tree control as the dialog's view: the tree's own messages and the dialog's
// paint go through the dialog manager, the way the program's message loop would pass
// them; the Stop button's clicks are served before each entry.
class FolderSpaceDialog::View : public FolderTreeView {
public:
    View(FolderSpaceDialog& dialog, HWND tree) : FolderTreeView(tree), dialog_(dialog) {}

    void scanStarted() override { dialog_.scanStarted(); }
    void scanFinished(bool stopped) override { dialog_.scanFinished(stopped); }

protected:
    // The program keeps no idle work of its own, so nothing runs after the messages.
    void pump() override
    {
        dispatchPendingMessages(tree(), 0, 0, preTranslate, &dialog_);
        dispatchPendingMessages(dialog_.hwnd(), WM_PAINT, WM_PAINT, preTranslate, &dialog_);
    }
    void pollStop() override
    {
        dispatchPendingMessages(dialog_.item(IDC_FSP_STOP), WM_MOUSEFIRST, WM_MOUSELAST,
                                preTranslate, &dialog_);
    }

private:
    FolderSpaceDialog& dialog_;
};

FolderSpaceDialog::FolderSpaceDialog(const std::string& volumePath)
    : Dialog(IDD_FOLDER_SPACE), volumePath_(volumePath)
{
}

FolderSpaceDialog::~FolderSpaceDialog()
{
    if (images_ != nullptr)
        ImageList_Destroy(images_);
}

bool FolderSpaceDialog::onInit()
{
    HWND tree = item(IDC_FSP_TREE);
    view_ = std::make_unique<View>(*this, tree);
    scan_ = std::make_unique<FolderScan>(FolderScanHost::meterDialog, lister_, volumes_, *view_);
    scan_->setFolder(utf8FromAnsi(volumePath_));
    images_ = loadFolderImages(GetModuleHandleA(nullptr));
    if (images_ != nullptr)
        SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));

    RECT own, treeRect;
    GetWindowRect(hwnd(), &own);
    GetWindowRect(tree, &treeRect);
    margins_.cx = (own.right - own.left) - (treeRect.right - treeRect.left);
    margins_.cy = (own.bottom - own.top) - (treeRect.bottom - treeRect.top);

    PostMessageA(hwnd(), WMU_FIRST_SCAN, 0, 0);
    return true;
}

bool FolderSpaceDialog::onCommand(int id, int code)
{
    switch (id) {
    case IDC_FSP_REFRESH:
        startScan();
        return true;
    case IDC_FSP_COLLAPSE_ALL:
        collapseAll();
        return true;
    default:
        return Dialog::onCommand(id, code);
    }
}

void FolderSpaceDialog::onOk()
{
    if (!scan_->scanning())
        close(IDOK);
}

void FolderSpaceDialog::onCancel()
{
    if (scan_->scanning())
        scan_->stop();
    else
        close(IDCANCEL);
}

void FolderSpaceDialog::onDestroy()
{
    // The tree lets go of the images before they are destroyed with the object.
    SendMessageA(item(IDC_FSP_TREE), TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
}

INT_PTR FolderSpaceDialog::handleMessage(UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WMU_FIRST_SCAN:
        // Shown before the scan, which would otherwise run before the dialog manager
        // shows a new dialog at its first idle moment.
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
        startScan();
        return TRUE;
    case WM_SIZE:
        onSize();
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
        return TRUE;
    }
    case WM_SETCURSOR:
        if (scan_ == nullptr || !scan_->scanning())
            return FALSE;
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}

void FolderSpaceDialog::startScan()
{
    if (!scan_->scanning())
        scan_->refresh();
}

void FolderSpaceDialog::collapseAll()
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    scan_->collapseAll();
    SetCursor(previous);
}

void FolderSpaceDialog::scanStarted()
{
    enable(IDC_FSP_STOP, true);
    enable({IDOK, IDC_FSP_REFRESH, IDC_FSP_COLLAPSE_ALL}, false);
    show(IDC_FSP_WORKING, true);
    show(IDC_FSP_STOPPED, false);
    // Keys reach a running scan only through the tree (Escape stops it there).
    focus(IDC_FSP_TREE);
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void FolderSpaceDialog::scanFinished(bool stopped)
{
    show(IDC_FSP_WORKING, false);
    show(IDC_FSP_STOPPED, stopped);
    enable({IDOK, IDC_FSP_REFRESH, IDC_FSP_COLLAPSE_ALL}, true);
    SendMessageA(hwnd(), DM_SETDEFID, IDOK, 0);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    // Last: a disabled Stop is what tells that the scan is over.
    enable(IDC_FSP_STOP, false);
}

void FolderSpaceDialog::onSize()
{
    HWND tree = item(IDC_FSP_TREE);
    if (tree == nullptr || scan_ == nullptr)
        return;
    RECT own;
    GetWindowRect(hwnd(), &own);
    SetWindowPos(tree, nullptr, 0, 0, (own.right - own.left) - margins_.cx,
                 (own.bottom - own.top) - margins_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FolderSpaceDialog::preTranslate(MSG& message, void* context)
{
    auto* dialog = static_cast<FolderSpaceDialog*>(context);
    return IsDialogMessageA(dialog->hwnd(), &message) != FALSE;
}
