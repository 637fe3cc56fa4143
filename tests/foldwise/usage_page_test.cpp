// The "Usage" page in a property sheet of the test's own, the way the shell shows it:
// it scans its folder 100 ms after it appears, keeps what it needs after the
// extension object is gone, and holds the library until the sheet releases it.
#include "tests/foldwise/foldwise_rig.h"
#include "tests/win/folder_tree_rig.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <thread>

using namespace foldwise_test;

namespace {

constexpr DWORD kScanWaitMs = 20000;

BOOL CALLBACK collectPage(HPROPSHEETPAGE page, LPARAM pages)
{
    reinterpret_cast<std::vector<HPROPSHEETPAGE>*>(pages)->push_back(page);
    return TRUE;
}

// The pages the extension adds for folder; the extension is released at once, as the
// shell may do long before the page is shown.
std::vector<HPROPSHEETPAGE> pagesFor(const std::string& folder)
{
    std::vector<HPROPSHEETPAGE> pages;
    IShellExtInit* extension = createInitialised(wideFromUtf8(folder));
    if (extension == nullptr)
        return pages;
    IShellPropSheetExt* sheetExtension = nullptr;
    if (SUCCEEDED(extension->QueryInterface(IID_IShellPropSheetExt,
                                            reinterpret_cast<void**>(&sheetExtension)))) {
        EXPECT_EQ(sheetExtension->AddPages(collectPage, reinterpret_cast<LPARAM>(&pages)), S_OK);
        sheetExtension->Release();
    }
    extension->Release();
    return pages;
}

HWND openSheet(std::vector<HPROPSHEETPAGE>& pages)
{
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW;
    header.pszCaption = "Folder";
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    return reinterpret_cast<HWND>(PropertySheetA(&header));
}

bool pumpUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start > kScanWaitMs)
            return false;
        Sleep(5);
    }
    return true;
}

// The page of a sheet and its controls, found as a user sees them.
struct ShownPage {
    explicit ShownPage(HWND sheet)
        : page(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))),
          tree(FindWindowExA(page, nullptr, WC_TREEVIEWA, nullptr)),
          stop(FindWindowExA(page, nullptr, "Button", "&Stop")),
          refresh(FindWindowExA(page, nullptr, "Button", "&Refresh")),
          collapseAll(FindWindowExA(page, nullptr, "Button", "&Collapse All")),
          working(FindWindowExA(page, nullptr, "Static", "Working..."))
    {
    }

    bool scanned() const
    {
        return IsWindowEnabled(refresh) && treeNext(tree, nullptr, TVGN_ROOT) != nullptr;
    }
    std::string rootText() const { return treeItemText(tree, treeNext(tree, nullptr, TVGN_ROOT)); }

    HWND page, tree, stop, refresh, collapseAll, working;
};

class UsagePageSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override { CoUninitialize(); }
};

} // namespace

TEST_F(UsagePageSheet, scansItsFolderAfterItAppears)
{
    TempTree tree("fwpage");
    tree.folder("alpha");
    tree.folder("beta");
    ASSERT_TRUE(tree.file("own.bin", 1048576));
    ASSERT_TRUE(tree.file("alpha\\inner.bin", 1048576));
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root());
    ASSERT_EQ(pages.size(), 1u);
    HWND sheet = openSheet(pages);
    ASSERT_NE(sheet, nullptr);
    ShownPage shown(sheet);
    ASSERT_NE(shown.tree, nullptr);
    // Nothing yet: the scan waits for the page to paint first.
    EXPECT_EQ(treeNext(shown.tree, nullptr, TVGN_ROOT), nullptr);
    ASSERT_TRUE(pumpUntil([&] { return shown.scanned(); }));

    EXPECT_EQ(shown.rootText(), tree.root() + ",  1.0 MB,  with subfolders 2.0 MB");
    EXPECT_EQ(childTexts(shown.tree, treeNext(shown.tree, nullptr, TVGN_ROOT)),
              (std::vector<std::string>{"alpha,  1.0 MB", "beta,  0.0 MB"}));
    EXPECT_FALSE(IsWindowEnabled(shown.stop));
    EXPECT_TRUE(IsWindowEnabled(shown.collapseAll));
    EXPECT_FALSE(IsWindowVisible(shown.working));
    EXPECT_FALSE(IsWindowVisible(FindWindowExA(shown.page, nullptr, "Static", "Scan aborted")));

    TCITEMA tab{};
    char title[64] = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = title;
    tab.cchTextMax = sizeof title;
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETITEMA,
                 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ(title, "Usage");
    DestroyWindow(sheet);
}

TEST_F(UsagePageSheet, twoSheetsEachScanTheirOwnFolder)
{
    TempTree first("fwfirst");
    TempTree second("fwsecond");
    first.folder("only-in-first");
    second.folder("only-in-second");
    std::vector<HPROPSHEETPAGE> firstPages = pagesFor(first.root());
    std::vector<HPROPSHEETPAGE> secondPages = pagesFor(second.root());
    ASSERT_EQ(firstPages.size(), 1u);
    ASSERT_EQ(secondPages.size(), 1u);
    // The later sheet is shown first.
    HWND secondSheet = openSheet(secondPages);
    HWND firstSheet = openSheet(firstPages);
    ShownPage firstShown(firstSheet);
    ShownPage secondShown(secondSheet);
    ASSERT_TRUE(pumpUntil([&] { return firstShown.scanned() && secondShown.scanned(); }));
    EXPECT_EQ(firstShown.rootText().rfind(first.root() + ",", 0), 0u) << firstShown.rootText();
    EXPECT_EQ(secondShown.rootText().rfind(second.root() + ",", 0), 0u) << secondShown.rootText();
    HTREEITEM firstRoot = treeNext(firstShown.tree, nullptr, TVGN_ROOT);
    HTREEITEM secondRoot = treeNext(secondShown.tree, nullptr, TVGN_ROOT);
    EXPECT_NE(childNamed(firstShown.tree, firstRoot, "only-in-first"), nullptr);
    EXPECT_NE(childNamed(secondShown.tree, secondRoot, "only-in-second"), nullptr);
    DestroyWindow(firstSheet);
    DestroyWindow(secondSheet);
}

TEST_F(UsagePageSheet, aFolderNamedOutsideTheAnsiCodePageIsScanned)
{
    TempTree tree("fwwide");
    const std::string name =
        "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1-\xD0\xBF\xD0\xB0\xD0\xBF"; // Greek, Cyrillic
    tree.folder(name);
    tree.folder(name + "\\sub");
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root() + name);
    ASSERT_EQ(pages.size(), 1u);
    HWND sheet = openSheet(pages);
    ShownPage shown(sheet);
    ASSERT_TRUE(pumpUntil([&] { return shown.scanned(); }));
    EXPECT_EQ(shown.rootText().rfind(tree.root() + name + "\\,", 0), 0u) << shown.rootText();
    EXPECT_NE(childNamed(shown.tree, treeNext(shown.tree, nullptr, TVGN_ROOT), "sub"), nullptr);
    DestroyWindow(sheet);
}

TEST_F(UsagePageSheet, stopEndsTheScanWithItsNoticeAndKeepsWhatWasShown)
{
    constexpr int kFolders = 300;
    TempTree tree("fwstop");
    for (int i = 0; i < kFolders; ++i)
        tree.folder("f" + std::to_string(i) + "\\inner");
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root());
    ASSERT_EQ(pages.size(), 1u);
    HWND sheet = openSheet(pages);
    ShownPage shown(sheet);
    // A user presses Stop once some folders are shown; the scan serves the tree and
    // the button while it runs.
    std::thread user([&] {
        DWORD_PTR items = 0;
        for (int i = 0; i < 20000 && items < 20; ++i) {
            SendMessageTimeoutA(shown.tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &items);
            Sleep(1);
        }
        PostMessageA(shown.stop, BM_CLICK, 0, 0);
    });
    const bool ended = pumpUntil([&] { return shown.scanned(); });
    user.join();
    ASSERT_TRUE(ended);
    HWND notice = FindWindowExA(shown.page, nullptr, "Static", "Scan aborted");
    EXPECT_TRUE(IsWindowVisible(notice));
    HTREEITEM root = treeNext(shown.tree, nullptr, TVGN_ROOT);
    const std::size_t shownFolders = childTexts(shown.tree, root).size();
    EXPECT_GT(shownFolders, 0u);
    EXPECT_LT(shownFolders, static_cast<std::size_t>(kFolders));
    EXPECT_FALSE(IsWindowEnabled(shown.stop));
    DestroyWindow(sheet);
}

TEST_F(UsagePageSheet, collapseAllAndRefreshAnswerTheirButtons)
{
    TempTree tree("fwcommands");
    tree.folder("alpha\\deep");
    tree.folder("beta");
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root());
    ASSERT_EQ(pages.size(), 1u);
    HWND sheet = openSheet(pages);
    ShownPage shown(sheet);
    ASSERT_TRUE(pumpUntil([&] { return shown.scanned(); }));
    HTREEITEM root = treeNext(shown.tree, nullptr, TVGN_ROOT);
    TreeView_Expand(shown.tree, childNamed(shown.tree, root, "alpha"), TVE_EXPAND);
    ASSERT_EQ(visibleItemCount(shown.tree), 4);
    // A click runs the command to its end before the button returns.
    SendMessageA(shown.collapseAll, BM_CLICK, 0, 0);
    EXPECT_EQ(visibleItemCount(shown.tree), 3);
    tree.folder("gamma");
    SendMessageA(shown.refresh, BM_CLICK, 0, 0);
    root = treeNext(shown.tree, nullptr, TVGN_ROOT);
    EXPECT_NE(childNamed(shown.tree, root, "gamma"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(shown.refresh));
    DestroyWindow(sheet);
}

TEST_F(UsagePageSheet, aPageHoldsTheLibraryUntilTheSheetReleasesIt)
{
    TempTree tree("fwlock");
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root());
    ASSERT_EQ(pages.size(), 1u);
    // The extension object is gone; the page alone keeps the library.
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    HWND sheet = openSheet(pages);
    ShownPage shown(sheet);
    ASSERT_TRUE(pumpUntil([&] { return shown.scanned(); }));
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    DestroyWindow(sheet);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(UsagePageSheet, aPageNeverShownLeavesTheLockCountTrue)
{
    TempTree tree("fwunshown");
    std::vector<HPROPSHEETPAGE> pages = pagesFor(tree.root());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    DestroyPropertySheetPage(pages[0]);
    EXPECT_EQ(canUnloadNow(), S_OK);
    // A count driven below zero would answer S_OK while this object lives.
    IShellExtInit* extension = createInitialised(wideFromUtf8(tree.root()));
    ASSERT_NE(extension, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    extension->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}
