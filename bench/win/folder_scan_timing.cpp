// Times the folder usage scan under Wine against the plain enumeration of the same
// folder tree, and how soon a click on Stop ends a running scan.
//
// 1. Bare: a depth-first walk with FindFirstFileW/FindNextFileW that only adds up the
//    file sizes: the least any scan of the tree can cost. Beside it, the same walk
//    through the scan's lister.
// 2. Scan: FolderScan with the real lister into a real tree control in a visible
//    window, pumping as the meter program's dialog pumps (the tree's messages and the
//    window's paint, the Stop button's mouse messages), time-sliced; then the same
//    scan into a view that does nothing, which leaves the lister and the scan's own
//    work (each folder is enumerated twice, once for its files, once for its
//    subfolders).
// 3. Stop: the meter program's folder space dialog itself on the folder; another
//    thread clicks its Stop button (posted mouse messages) a while after the first
//    scan started and notes when the dialog disables Stop again, which it does when
//    the scan has returned.
//
// Usage: brellix_folder_scan_timing FOLDER [--rounds N] [--slice-ms N] [--stop-after-ms N]
// FOLDER ends with "\". Prints milliseconds per round and medians. scripts/bench-folder-scan
// makes the tree of 100,000 files and runs it.
#include "common/folderscan/folder_scan.h"
#include "common/folderscan/win/folder_tree_view.h"
#include "meter/res/resource.h"
#include "meter/volumes/folder_space_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Totals {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
};

void bareWalk(const std::wstring& folder, Totals& totals)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::wstring> subfolders;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ++totals.files;
            totals.bytes +=
                (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        } else if (std::wcscmp(data.cFileName, L".") != 0 &&
                   std::wcscmp(data.cFileName, L"..") != 0 &&
                   (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            subfolders.push_back(folder + data.cFileName + L"\\");
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    for (const std::wstring& sub : subfolders) {
        ++totals.folders;
        bareWalk(sub, totals);
    }
}

// The same walk through the scan's lister, once per folder.
void listerWalk(WinFolderLister& lister, const std::string& folder, Totals& totals)
{
    std::vector<FolderEntry> entries;
    if (!lister.list(folder, entries))
        return;
    for (const FolderEntry& entry : entries) {
        if (!entry.isDirectory) {
            ++totals.files;
            totals.bytes += entry.size;
        } else if (entry.name != "." && entry.name != ".." && !entry.isReparsePoint) {
            ++totals.folders;
            listerWalk(lister, folder + entry.name + "\\", totals);
        }
    }
}

// A window with a tree and a Stop button, pumped as the meter program's dialog pumps.
class BenchWindow {
public:
    BenchWindow()
    {
        WNDCLASSA type{};
        type.lpfnWndProc = DefWindowProcA;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "FolderScanBench";
        type.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        RegisterClassA(&type);
        window = CreateWindowExA(0, type.lpszClassName, "scan", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 20, 20, 600, 500, nullptr, nullptr, type.hInstance, nullptr);
        tree =
            CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                            WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            90, 0, 500, 460, window, nullptr, type.hInstance, nullptr);
        stop = CreateWindowExA(0, "BUTTON", "&Stop", WS_CHILD | WS_VISIBLE, 5, 5, 80, 24, window,
                               reinterpret_cast<HMENU>(IDCANCEL), type.hInstance, nullptr);
    }
    ~BenchWindow() { DestroyWindow(window); }
    HWND window, tree, stop;
};

// The dialog's pumping, with the time of the tree's inserts and of the slices (the
// texts written, the Stop button served, the messages pumped) noted.
class BenchView : public FolderTreeView {
public:
    explicit BenchView(const BenchWindow& w) : FolderTreeView(w.tree), w_(w) {}
    void scanStarted() override {}
    void scanFinished(bool) override {}
    TreeItem insertItem(TreeItem parent, const std::string& text, int image,
                        int selectedImage) override
    {
        const double start = nowMs();
        TreeItem item = FolderTreeView::insertItem(parent, text, image, selectedImage);
        insertMs += nowMs() - start;
        return item;
    }
    void pumpMessages() override
    {
        const double start = nowMs();
        FolderTreeView::pumpMessages();
        sliceMs += nowMs() - start;
    }
    void beforeEntry() override
    {
        const double start = nowMs();
        FolderTreeView::beforeEntry();
        sliceMs += nowMs() - start;
    }

    int pumps = 0;
    double insertMs = 0;
    double sliceMs = 0;

protected:
    void pump() override
    {
        ++pumps;
        dispatchPendingMessages(tree());
        dispatchPendingMessages(w_.window, WM_PAINT, WM_PAINT);
    }
    void pollStop() override { dispatchPendingMessages(w_.stop, WM_MOUSEFIRST, WM_MOUSELAST); }

private:
    const BenchWindow& w_;
};

// The scan without a tree: what the lister and the scan's own work cost.
class NullView : public FolderView {
public:
    TreeItem insertItem(TreeItem, const std::string&, int, int) override { return ++items; }
    void setItemText(TreeItem, const std::string&) override {}
    void expand(TreeItem) override {}
    void collapse(TreeItem) override {}
    void ensureVisible(TreeItem) override {}
    void deleteAllItems() override {}
    void scanStarted() override {}
    void scanFinished(bool) override {}
    void pumpMessages() override {}
    void beforeEntry() override {}
    TreeItem items = 0;
};

struct StopClicker {
    DWORD afterMs = 500;
    double clickedAt = 0;
    double answeredAt = 0;
    bool clickedMidScan = false;

    static DWORD WINAPI run(void* self) { return static_cast<StopClicker*>(self)->play(); }
    DWORD play()
    {
        HWND dialog = nullptr;
        for (int i = 0; i < 2000 && dialog == nullptr; ++i, Sleep(5)) {
            dialog = FindWindowA("#32770", "Brellix - Folder Space");
            if (dialog != nullptr && !IsWindowVisible(dialog))
                dialog = nullptr;
        }
        if (dialog == nullptr)
            return 1;
        HWND stop = GetDlgItem(dialog, IDC_FSP_STOP);
        for (int i = 0; i < 4000 && !IsWindowEnabled(stop); ++i)
            Sleep(1);
        Sleep(afterMs);
        clickedMidScan = IsWindowEnabled(stop) != FALSE;
        clickedAt = nowMs();
        PostMessageA(stop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(stop, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        while (IsWindowEnabled(stop))
            Sleep(0);
        answeredAt = nowMs();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\\ [--rounds N] [--slice-ms N] [--stop-after-ms N]\n",
                     argv[0]);
        return 2;
    }
    const std::string folder = utf8FromAnsi(argv[1]);
    int rounds = 3;
    DWORD sliceMs = 30;
    DWORD stopAfterMs = 500;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--rounds") == 0)
            rounds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--slice-ms") == 0)
            sliceMs = static_cast<DWORD>(std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--stop-after-ms") == 0)
            stopAfterMs = static_cast<DWORD>(std::atoi(argv[i + 1]));
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    std::vector<double> bare, listed, scanned;
    Totals totals;
    for (int round = 0; round < rounds; ++round) {
        totals = Totals{};
        double start = nowMs();
        bareWalk(wideFromUtf8(folder), totals);
        bare.push_back(nowMs() - start);
        Totals again;
        WinFolderLister lister;
        start = nowMs();
        listerWalk(lister, folder, again);
        listed.push_back(nowMs() - start);
    }
    std::printf(
        "walk through the scan's lister: median %.1f ms, least %.1f ms; bare least %.1f ms\n",
        median(listed), *std::min_element(listed.begin(), listed.end()),
        *std::min_element(bare.begin(), bare.end()));
    std::printf("bare enumeration: %llu files in %llu folders, %llu bytes\n",
                static_cast<unsigned long long>(totals.files),
                static_cast<unsigned long long>(totals.folders),
                static_cast<unsigned long long>(totals.bytes));

    std::uint64_t totalKB = 0;
    int pumps = 0;
    long items = 0;
    for (int round = 0; round < rounds; ++round) {
        BenchWindow window;
        WinFolderLister lister;
        WinVolumeQuery volumes;
        BenchView view(window);
        view.setSliceMs(sliceMs);
        FolderScan scan(FolderScanHost::meterDialog, lister, volumes, view);
        scan.setFolder(folder);
        const double start = nowMs();
        scan.refresh();
        scanned.push_back(nowMs() - start);
        totalKB = scan.rootTotalKB();
        pumps = view.pumps;
        std::printf("round %d: tree inserts %.1f ms, %d slices (texts, Stop, messages) %.1f ms\n",
                    round + 1, view.insertMs, view.pumps, view.sliceMs);
        items = static_cast<long>(SendMessageA(window.tree, TVM_GETCOUNT, 0, 0));
    }
    std::printf("scan: %ld tree items, %llu KB, %d pumps per scan (slice %lu ms)\n", items,
                static_cast<unsigned long long>(totalKB), pumps,
                static_cast<unsigned long>(sliceMs));
    for (int round = 0; round < rounds; ++round)
        std::printf("round %d: bare %.1f ms, scan %.1f ms\n", round + 1, bare[round],
                    scanned[round]);
    std::printf("median: bare %.1f ms, scan %.1f ms, scan / bare %.2f\n", median(bare),
                median(scanned), median(scanned) / median(bare));

    std::vector<double> treeless;
    for (int round = 0; round < rounds; ++round) {
        WinFolderLister lister;
        WinVolumeQuery volumes;
        NullView view;
        FolderScan scan(FolderScanHost::meterDialog, lister, volumes, view);
        scan.setFolder(folder);
        const double start = nowMs();
        scan.refresh();
        treeless.push_back(nowMs() - start);
    }
    std::printf("scan without a tree: median %.1f ms\n", median(treeless));

    std::vector<double> answers;
    for (int round = 0; round < rounds; ++round) {
        StopClicker clicker;
        clicker.afterMs = stopAfterMs;
        HANDLE thread = CreateThread(nullptr, 0, StopClicker::run, &clicker, 0, nullptr);
        FolderSpaceDialog dialog(argv[1]);
        dialog.runModal(nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        if (!clicker.clickedMidScan) {
            std::printf("stop: the scan ended before the click; use a smaller --stop-after-ms\n");
            break;
        }
        answers.push_back(clicker.answeredAt - clicker.clickedAt);
        std::printf("stop round %d: clicked %lu ms into the scan, answered in %.1f ms\n", round + 1,
                    static_cast<unsigned long>(stopAfterMs), answers.back());
    }
    if (!answers.empty())
        std::printf("stop: median %.1f ms, worst %.1f ms\n", median(answers),
                    *std::max_element(answers.begin(), answers.end()));
    return 0;
}
