#include "common/folderscan/folder_scan.h"
#include "common/folderscan/folder_sizes.h"
#include "folder_tree_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// "Φάκελος" (folder, in Greek): no ANSI code page of the West can hold it.
const std::string kGreek = "\xCE\xA6\xCE\xAC\xCE\xBA\xCE\xB5\xCE\xBB\xCE\xBF\xCF\x82";

// Wine makes no symbolic links of its own: ctest makes a folder holding "target" (with
// "inner" in it) and "link", a Unix symbolic link to it, and names it here.
std::string linkFixture()
{
    char unixPath[MAX_PATH] = {};
    if (GetEnvironmentVariableA("BRELLIX_FOLDER_LINK", unixPath, MAX_PATH) == 0)
        return {};
    std::string path = std::string("Z:") + unixPath + "\\";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const FolderEntry* entryNamed(const std::vector<FolderEntry>& entries, const std::string& name)
{
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const FolderEntry& e) { return e.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

// A window holding a tree control and a Stop button whose click stops the scan, the
// way the dialog and the shell page hold theirs.
class ScanWindow {
public:
    ScanWindow()
    {
        WNDCLASSA type{};
        type.lpfnWndProc = proc;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "FolderScanTestWindow";
        RegisterClassA(&type);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        window = CreateWindowExA(0, type.lpszClassName, "scan", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 20, 20, 500, 400, nullptr, nullptr, type.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                               WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 90, 0, 400,
                               360, window, nullptr, type.hInstance, nullptr);
        stop =
            CreateWindowExA(0, "BUTTON", "&Stop", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 80,
                            24, window, reinterpret_cast<HMENU>(IDCANCEL), type.hInstance, nullptr);
    }
    ~ScanWindow() { DestroyWindow(window); }

    // A click as the mouse makes it, left in the queue for the scan's pump.
    void postStopClick() const
    {
        PostMessageA(stop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageA(stop, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    HWND window = nullptr;
    HWND tree = nullptr;
    HWND stop = nullptr;
    FolderScan* scan = nullptr;

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ScanWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && self != nullptr &&
            self->scan != nullptr) {
            self->scan->stop();
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

class TestTreeView : public FolderTreeView {
public:
    explicit TestTreeView(const ScanWindow& window) : FolderTreeView(window.tree), w_(window) {}

    void scanStarted() override { started = true; }
    void scanFinished(bool stopped) override { finishedStopped = stopped; }

    int pumps = 0;
    int clickAtPump = -1;
    bool started = false;
    bool finishedStopped = false;

protected:
    void pump() override
    {
        if (++pumps == clickAtPump)
            w_.postStopClick();
        dispatchPendingMessages(tree());
        dispatchPendingMessages(w_.window, WM_PAINT, WM_PAINT);
    }
    void pollStop() override { dispatchPendingMessages(w_.stop, WM_MOUSEFIRST, WM_MOUSELAST); }

private:
    const ScanWindow& w_;
};

struct ScannedTree : ::testing::Test {
    ScannedTree()
        : tree("brellix-fsview-"), view(window),
          scan(FolderScanHost::meterDialog, lister, volumes, view)
    {
        window.scan = &scan;
    }
    ~ScannedTree() override { window.scan = nullptr; }

    HTREEITEM root() const { return treeNext(window.tree, nullptr, TVGN_ROOT); }

    TempTree tree;
    ScanWindow window;
    WinFolderLister lister;
    WinVolumeQuery volumes;
    TestTreeView view;
    FolderScan scan;
};

} // namespace

TEST_F(ScannedTree, listerGivesNamesSizesAndKindsOfEveryEntry)
{
    tree.folder(kGreek);
    ASSERT_TRUE(tree.file("small.bin", 5000));
    // Past 4 GiB, so the high half of the size counts (extended, not written).
    ASSERT_TRUE(tree.file("huge.bin", 0x140000000ull));

    std::vector<FolderEntry> entries;
    ASSERT_TRUE(lister.list(tree.root(), entries));
    const FolderEntry* small = entryNamed(entries, "small.bin");
    const FolderEntry* huge = entryNamed(entries, "huge.bin");
    const FolderEntry* greek = entryNamed(entries, kGreek);
    ASSERT_TRUE(small && huge && greek);
    EXPECT_EQ(small->size, 5000u);
    EXPECT_FALSE(small->isDirectory);
    EXPECT_EQ(huge->size, 0x140000000ull);
    EXPECT_TRUE(greek->isDirectory);
    EXPECT_FALSE(greek->isReparsePoint);

    EXPECT_FALSE(lister.list(tree.root() + "missing\\", entries));
    EXPECT_TRUE(entries.empty());
}

TEST(winVolumeQuery, systemDriveIsFixedWithAClusterGeometry)
{
    WinVolumeQuery volumes;
    EXPECT_EQ(volumes.driveKind("C:\\"), DriveKind::fixed);
    ClusterGeometry geometry;
    ASSERT_TRUE(volumes.clusterGeometry("C:\\", geometry));
    EXPECT_GT(geometry.sectorsPerCluster * geometry.bytesPerSector, 0u);
    EXPECT_FALSE(volumes.clusterGeometry("Q:\\no such\\", geometry));
}

TEST_F(ScannedTree, scanShowsEveryFolderWithItsOwnAndTotalSize)
{
    tree.folder("docs\\old");
    tree.folder(kGreek);
    ASSERT_TRUE(tree.file("top.bin", 3000));
    ASSERT_TRUE(tree.file("docs\\a.bin", 10000));
    ASSERT_TRUE(tree.file("docs\\old\\b.bin", 70000));
    ASSERT_TRUE(tree.file(kGreek + "\\c.bin", 200000));
    scan.setFolder(tree.root());
    scan.refresh();

    // Sizes in whole clusters of the volume the scan asked about, then kilobytes.
    const std::uint32_t cluster = scan.clusterSize();
    const std::uint64_t top = fileKilobytes(3000, cluster);
    const std::uint64_t docs = fileKilobytes(10000, cluster);
    const std::uint64_t old = fileKilobytes(70000, cluster);
    const std::uint64_t greek = fileKilobytes(200000, cluster);

    EXPECT_TRUE(view.started);
    EXPECT_FALSE(view.finishedStopped);
    ASSERT_NE(root(), nullptr);
    EXPECT_EQ(treeItemText(window.tree, root()),
              totalSizeItemText(tree.root(), top, top + docs + old + greek));
    HTREEITEM docsItem = childNamed(window.tree, root(), "docs");
    ASSERT_NE(docsItem, nullptr);
    EXPECT_EQ(treeItemText(window.tree, docsItem), totalSizeItemText("docs", docs, docs + old));
    EXPECT_EQ(childTexts(window.tree, docsItem),
              std::vector<std::string>{ownSizeItemText("old", old)});
    // The Greek name is counted and reads back as it was written.
    HTREEITEM greekItem = childNamed(window.tree, root(), kGreek);
    ASSERT_NE(greekItem, nullptr);
    EXPECT_EQ(treeItemText(window.tree, greekItem), ownSizeItemText(kGreek, greek));
}

TEST_F(ScannedTree, aFolderLinkIsListedAsSuchAndShownWithoutEnteringIt)
{
    const std::string fixture = linkFixture();
    if (fixture.empty())
        GTEST_SKIP() << "run through ctest, which makes the link";
    std::vector<FolderEntry> entries;
    ASSERT_TRUE(lister.list(fixture, entries));
    const FolderEntry* link = entryNamed(entries, "link");
    const FolderEntry* target = entryNamed(entries, "target");
    ASSERT_TRUE(link && target);
    EXPECT_TRUE(link->isDirectory);
    EXPECT_TRUE(link->isReparsePoint);
    EXPECT_FALSE(target->isReparsePoint);

    scan.setFolder(fixture);
    scan.refresh();
    HTREEITEM linkItem = childNamed(window.tree, root(), "link");
    HTREEITEM targetItem = childNamed(window.tree, root(), "target");
    ASSERT_TRUE(linkItem && targetItem);
    EXPECT_EQ(treeNext(window.tree, linkItem, TVGN_CHILD), nullptr);
    EXPECT_EQ(childTexts(window.tree, targetItem).size(), 1u);
}

TEST_F(ScannedTree, collapseAllLeavesTheRootAndItsChildrenInView)
{
    tree.folder("a\\b\\c");
    tree.folder("d\\e");
    tree.folder("f");
    scan.setFolder(tree.root());
    scan.refresh();
    // Open every level, as a user browsing the tree would.
    for (HTREEITEM item = root(); item != nullptr;
         item = treeNext(window.tree, item, TVGN_NEXTVISIBLE))
        SendMessageW(window.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    ASSERT_EQ(visibleItemCount(window.tree), 7);

    scan.collapseAll();
    EXPECT_EQ(visibleItemCount(window.tree), 4); // the root, a, d and f
    HTREEITEM a = childNamed(window.tree, root(), "a");
    ASSERT_NE(a, nullptr);
    SendMessageW(window.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(visibleItemCount(window.tree), 5); // b was closed too, not only hidden
}

TEST_F(ScannedTree, aPostedStopClickEndsTheScanAndKeepsWhatItShowed)
{
    for (int i = 0; i < 20; ++i)
        tree.folder("f" + std::to_string(i) + "\\inner");
    view.setSliceMs(0); // a pump at every step, so that the click comes mid-scan
    view.clickAtPump = 30;
    scan.setFolder(tree.root());
    scan.refresh();

    EXPECT_TRUE(scan.stopRequested());
    EXPECT_TRUE(view.finishedStopped);
    const std::size_t shown = childTexts(window.tree, root()).size();
    EXPECT_GT(shown, 0u);
    EXPECT_LT(shown, 20u);
    // A stopped scan leaves the next one free to run to its end.
    view.clickAtPump = -1;
    scan.refresh();
    EXPECT_FALSE(view.finishedStopped);
    EXPECT_EQ(childTexts(window.tree, root()).size(), 20u);
}

TEST(folderImages, theStripLoadsAsSixImagesDrawnInColourOverWhatIsBehind)
{
    HIMAGELIST images = loadFolderImages(GetModuleHandleA(nullptr));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 6);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    // The closed folder on white: its corner is the key colour, so white shows there;
    // its middle is the folder's yellow, not a colour lost to a palette.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(images, kImageFolder, dc, 0, 0, ILD_TRANSPARENT);
    const COLORREF corner = GetPixel(dc, 0, 0);
    const COLORREF middle = GetPixel(dc, 8, 9);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ImageList_Destroy(images);
    EXPECT_EQ(corner, RGB(255, 255, 255));
    EXPECT_GT(GetRValue(middle), 200);
    EXPECT_GT(GetGValue(middle), 150);
    EXPECT_LT(GetBValue(middle), 120);
}
