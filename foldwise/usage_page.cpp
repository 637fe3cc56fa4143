#include "foldwise/usage_page.h"

#include "common/folderscan/folder_scan.h"
#include "common/folderscan/win/folder_tree_view.h"
#include "foldwise/module_state.h"
#include "foldwise/res/resource.h"

#include <memory>
#include <new>

namespace foldwise {

namespace {

constexpr UINT_PTR kScanTimer = 123;
constexpr UINT kScanDelayMs = 100;

// What the page is created with: its folder and whether it holds a module lock. Made
// with the page, freed when the page is released, whether or not it was ever shown.
struct PageSeed {
    std::string folder;
    bool locked = false;
};

// The page's tree as the scan's view: it switches the page's controls for a scan and
// serves only the tree, the Stop button and the page's painting while one runs.
class PageTreeView : public FolderTreeView {
public:
    explicit PageTreeView(HWND page)
        : FolderTreeView(GetDlgItem(page, IDC_FOLDER_TREE)), page_(page)
    {
    }

    void scanStarted() override
    {
        enable(IDC_STOP, true);
        enable(IDC_REFRESH, false);
        enable(IDC_COLLAPSE_ALL, false);
        show(IDC_WORKING, true);
        show(IDC_SCAN_ABORTED, false);
    }

    void scanFinished(bool) override
    {
        enable(IDC_STOP, false);
        enable(IDC_REFRESH, true);
        enable(IDC_COLLAPSE_ALL, true);
        show(IDC_WORKING, false);
    }

    void show(int id, bool on) { ShowWindow(GetDlgItem(page_, id), on ? SW_SHOW : SW_HIDE); }

protected:
    void pump() override
    {
        dispatchPendingMessages(tree());
        dispatchPendingMessages(GetDlgItem(page_, IDC_STOP));
        dispatchPendingMessages(page_, WM_PAINT, WM_PAINT);
    }

    // Between pumps, which a slow display may space out, Stop is still served every
    // slice.
    void pollStop() override { dispatchPendingMessages(GetDlgItem(page_, IDC_STOP)); }

private:
    void enable(int id, bool on) { EnableWindow(GetDlgItem(page_, id), on ? TRUE : FALSE); }

    HWND page_;
};

// Owner of an image list: the tree only borrows it.
class ImageListOwner {
public:
    explicit ImageListOwner(HIMAGELIST images) : images_(images) {}
    ~ImageListOwner()
    {
        if (images_ != nullptr)
            ImageList_Destroy(images_);
    }
    ImageListOwner(const ImageListOwner&) = delete;
    ImageListOwner& operator=(const ImageListOwner&) = delete;
    HIMAGELIST get() const { return images_; }

private:
    HIMAGELIST images_;
};

// One page's scan state, kept with the page's window.
class UsagePage {
public:
    UsagePage(HWND page, const std::string& folder, std::unique_ptr<ImageListOwner> images)
        : images_(std::move(images)), view_(page),
          scan_(FolderScanHost::shellPage, lister_, volumes_, view_)
    {
        scan_.setFolder(folder);
        TreeView_SetImageList(view_.tree(), images_->get(), TVSIL_NORMAL);
    }

    ~UsagePage() { TreeView_SetImageList(view_.tree(), nullptr, TVSIL_NORMAL); }

    UsagePage(const UsagePage&) = delete;
    UsagePage& operator=(const UsagePage&) = delete;

    // Runs a scan; true when the page was destroyed meanwhile and this object must go.
    bool refresh()
    {
        scan_.refresh();
        return closing_;
    }

    void collapseAll() { scan_.collapseAll(); }

    void stop()
    {
        scan_.stop();
        view_.show(IDC_SCAN_ABORTED, true);
    }

    // The page is going: true when this object can go at once, false when a running
    // scan must return first (it was asked to stop).
    bool close()
    {
        if (!scan_.scanning())
            return true;
        closing_ = true;
        scan_.stop();
        return false;
    }

private:
    std::unique_ptr<ImageListOwner> images_;
    WinFolderLister lister_;
    WinVolumeQuery volumes_;
    PageTreeView view_;
    FolderScan scan_;
    bool closing_ = false;
};

UsagePage* pageOf(HWND page)
{
    return reinterpret_cast<UsagePage*>(GetWindowLongPtrA(page, DWLP_USER));
}

INT_PTR onInitDialog(HWND page, const PROPSHEETPAGEA& sheetPage)
{
    const auto* seed = reinterpret_cast<const PageSeed*>(sheetPage.lParam);
    auto images = std::make_unique<ImageListOwner>(loadFolderImages(moduleInstance()));
    // Without its images the page shows no scan: its buttons stay disabled and it
    // does not claim to be working.
    if (seed == nullptr || images->get() == nullptr) {
        ShowWindow(GetDlgItem(page, IDC_WORKING), SW_HIDE);
        return FALSE;
    }
    auto state = std::make_unique<UsagePage>(page, seed->folder, std::move(images));
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state.release()));
    // Nothing was stopped yet; the notice waits for Stop.
    ShowWindow(GetDlgItem(page, IDC_SCAN_ABORTED), SW_HIDE);
    SetTimer(page, kScanTimer, kScanDelayMs, nullptr);
    return TRUE;
}

void runRefresh(UsagePage& state)
{
    if (state.refresh())
        delete &state; // the page was destroyed during the scan
}

INT_PTR onTimer(HWND page, UINT_PTR id)
{
    UsagePage* state = pageOf(page);
    if (id != kScanTimer || state == nullptr)
        return FALSE;
    KillTimer(page, kScanTimer);
    runRefresh(*state);
    return TRUE;
}

INT_PTR onCommand(HWND page, int id, int code)
{
    UsagePage* state = pageOf(page);
    if (state == nullptr || code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_REFRESH:
        runRefresh(*state);
        return TRUE;
    case IDC_COLLAPSE_ALL:
        state->collapseAll();
        return TRUE;
    case IDC_STOP:
        state->stop();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR onDestroy(HWND page)
{
    UsagePage* state = pageOf(page);
    SetWindowLongPtrA(page, DWLP_USER, 0);
    KillTimer(page, kScanTimer);
    if (state != nullptr && state->close())
        delete state;
    return FALSE;
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_INITDIALOG:
            return onInitDialog(page, *reinterpret_cast<const PROPSHEETPAGEA*>(lParam));
        case WM_TIMER:
            return onTimer(page, wParam);
        case WM_COMMAND:
            return onCommand(page, LOWORD(wParam), HIWORD(wParam));
        case WM_DESTROY:
            return onDestroy(page);
        default:
            return FALSE;
        }
    } catch (...) {
        traceFailure("the Usage page");
        return FALSE;
    }
}

// The module stays loaded from the page's creation to its release, whether or not
// the sheet ever shows it; the seed remembers whether this page took its lock.
UINT CALLBACK pageCallback(HWND, UINT message, PROPSHEETPAGEA* sheetPage)
{
    auto* seed = reinterpret_cast<PageSeed*>(sheetPage->lParam);
    switch (message) {
    case PSPCB_ADDREF:
    case PSPCB_CREATE:
        if (seed != nullptr && !seed->locked) {
            seed->locked = true;
            lockModule();
        }
        return TRUE;
    case PSPCB_RELEASE:
        if (seed != nullptr && seed->locked)
            unlockModule();
        delete seed;
        sheetPage->lParam = 0;
        return 0;
    default:
        return 0;
    }
}

} // namespace

HPROPSHEETPAGE createUsagePage(const std::string& folder)
{
    auto seed = std::make_unique<PageSeed>();
    seed->folder = folder;
    PROPSHEETPAGEA sheetPage{};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.dwFlags = PSP_USETITLE | PSP_USECALLBACK;
    sheetPage.hInstance = moduleInstance();
    sheetPage.pszTemplate = MAKEINTRESOURCEA(IDD_USAGE_PAGE);
    sheetPage.pszTitle = "Usage";
    sheetPage.pfnDlgProc = pageProc;
    sheetPage.lParam = reinterpret_cast<LPARAM>(seed.get());
    sheetPage.pfnCallback = pageCallback;
    const HPROPSHEETPAGE page = CreatePropertySheetPageA(&sheetPage);
    if (page == nullptr) {
        // A lock taken while creating it goes with the seed.
        if (seed->locked)
            unlockModule();
        return nullptr;
    }
    seed.release(); // freed by the page callback on release
    return page;
}

} // namespace foldwise
