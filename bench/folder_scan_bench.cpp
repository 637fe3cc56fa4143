// The folder usage scan's own work for a large folder: 100,000 files in 10,000
// folders, listed from memory into a view that only counts what it is asked to do.
#include "common/folderscan/folder_scan.h"

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace {

class MemoryLister : public FolderLister {
public:
    bool list(const std::string& folder, std::vector<FolderEntry>& entries) override
    {
        const auto it = folders.find(folder);
        if (it == folders.end())
            return false;
        entries = it->second;
        return true;
    }
    std::unordered_map<std::string, std::vector<FolderEntry>> folders;
};

class FixedVolumes : public VolumeQuery {
public:
    DriveKind driveKind(const std::string&) override { return DriveKind::fixed; }
    bool clusterGeometry(const std::string&, ClusterGeometry& geometry) override
    {
        geometry = ClusterGeometry{8, 512};
        return true;
    }
};

class CountingView : public FolderView {
public:
    TreeItem insertItem(TreeItem, const std::string& text, int, int) override
    {
        textBytes += text.size();
        return ++items;
    }
    void setItemText(TreeItem, const std::string& text) override { textBytes += text.size(); }
    void expand(TreeItem) override {}
    void collapse(TreeItem) override {}
    void ensureVisible(TreeItem) override {}
    void deleteAllItems() override { items = 0; }
    void scanStarted() override {}
    void scanFinished(bool) override {}
    void pumpMessages() override {}
    void beforeEntry() override {}

    TreeItem items = 0;
    std::size_t textBytes = 0;
};

// The root holds 100 folders of 99 subfolders each: 10,000 folders below the root,
// each with 10 files of sizes spread over a few clusters.
void fillVolume(MemoryLister& lister)
{
    std::uint64_t size = 1;
    auto addFiles = [&](std::vector<FolderEntry>& entries) {
        for (int f = 0; f < 10; ++f) {
            size = (size * 6364136223846793005ull + 1442695040888963407ull);
            entries.push_back(
                FolderEntry{"file" + std::to_string(f) + ".dat", false, false, size >> 44});
        }
    };
    const std::string root = "C:\\";
    std::vector<FolderEntry>& top = lister.folders[root];
    top.push_back(FolderEntry{".", true, false, 0});
    top.push_back(FolderEntry{"..", true, false, 0});
    for (int a = 0; a < 100; ++a) {
        const std::string name = "project" + std::to_string(a);
        top.push_back(FolderEntry{name, true, false, 0});
        const std::string path = root + name + "\\";
        std::vector<FolderEntry>& middle = lister.folders[path];
        addFiles(middle);
        for (int b = 0; b < 99; ++b) {
            const std::string leaf = "part" + std::to_string(b);
            middle.push_back(FolderEntry{leaf, true, false, 0});
            addFiles(lister.folders[path + leaf + "\\"]);
        }
    }
}

void folderScan100kFiles(benchmark::State& state)
{
    MemoryLister lister;
    fillVolume(lister);
    FixedVolumes volumes;
    CountingView view;
    FolderScan scan(FolderScanHost::shellPage, lister, volumes, view);
    scan.setFolder("C:\\");
    for (auto _ : state) {
        scan.refresh();
        benchmark::DoNotOptimize(scan.rootTotalKB());
        benchmark::DoNotOptimize(view.textBytes);
    }
    state.counters["folders"] = static_cast<double>(view.items);
}

} // namespace

BENCHMARK(folderScan100kFiles)->Unit(benchmark::kMillisecond);
