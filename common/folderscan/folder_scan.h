#pragma once
// The folder usage scan: walks a folder and its subfolders through the lister, grows
// the tree in the view as it goes, and writes each folder's own and total size into
// its item. It runs on the user-interface thread; the view pumps messages between
// steps, which is how Stop reaches a running scan.
#include "common/folderscan/folder_seams.h"
#include "common/folderscan/folder_view.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The two places that show the view differ in a few rules.
enum class FolderScanHost {
    shellPage,   // a folder's property page: asks the cluster size on every refresh
    meterDialog, // the meter program's dialog on a volume: asks it once, when opened
};

// Longest search pattern (folder path plus "*.*") the system accepts, in characters.
constexpr std::size_t kMaxPatternChars = 259;

class FolderScan {
public:
    FolderScan(FolderScanHost host, FolderLister& lister, VolumeQuery& volumes, FolderView& view);

    // The folder to scan, shown as given in the root item. The meter program's dialog
    // takes its cluster size from it here.
    void setFolder(const std::string& folder);
    const std::string& folder() const { return folder_; }
    std::uint32_t clusterSize() const { return clusterSize_; }

    // Deeper folders than the system can name are left out of the tree.
    void setMaxPatternChars(std::size_t chars) { maxPatternChars_ = chars; }

    // Scans from the root: clears the tree and fills it again. Does nothing when
    // called from within a running scan.
    void refresh();
    // Every folder being scanned stops at its next entry; what is shown stays.
    void stop() { stopRequested_ = true; }
    // Collapses every item, children before their parent, then opens the root again.
    void collapseAll();

    bool scanning() const { return scanning_; }
    bool stopRequested() const { return stopRequested_; }
    TreeItem rootItem() const { return rootItem_; }
    // Total of the last scan (so far, when it was stopped), in kilobytes.
    std::uint64_t rootTotalKB() const { return rootTotalKB_; }

private:
    // An item in the tree, kept for Collapse All: first child and next sibling.
    struct Node {
        TreeItem item = kTreeRoot;
        std::size_t firstChild = kNone;
        std::size_t lastChild = kNone;
        std::size_t nextSibling = kNone;
    };
    // A folder whose subfolders are being scanned.
    struct Frame {
        std::size_t node = 0;
        std::string name;
        std::string path; // ends with "\"
        std::vector<FolderEntry> entries;
        std::size_t next = 0;
        std::uint64_t ownKB = 0;
        std::uint64_t totalKB = 0;
        int depth = 0;
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void scanFrom(const std::string& name, const std::string& path);
    void openFolder(std::size_t parentNode, int depth, const std::string& name,
                    const std::string& path);
    std::size_t insertItem(std::size_t parentNode, int depth, const std::string& name,
                           const std::string& path);
    bool canName(const std::string& path) const;
    void showTotal(const Frame& frame);

    FolderScanHost host_;
    FolderLister& lister_;
    VolumeQuery& volumes_;
    FolderView& view_;
    std::string folder_;
    std::uint32_t clusterSize_;
    std::size_t maxPatternChars_ = kMaxPatternChars;
    bool stopRequested_ = false;
    bool scanning_ = false;
    TreeItem rootItem_ = kTreeRoot;
    std::uint64_t rootTotalKB_ = 0;
    std::vector<Node> nodes_;
    std::vector<Frame> frames_;
    std::vector<FolderEntry> scratch_;
};
