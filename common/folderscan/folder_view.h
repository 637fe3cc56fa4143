#pragma once
// The tree that shows a folder usage scan, as the scan drives it. The Win32 tree view
// of the meter program's dialog and of the shell page implement it; the tests record.
#include <cstdint>
#include <string>

// A tree item handle as the view hands it out; kTreeRoot stands for the tree itself
// (the parent of the scanned folder's item).
using TreeItem = std::uintptr_t;
constexpr TreeItem kTreeRoot = 0;

// Indexes in the image strip: the four drive kinds, a folder and an open folder.
enum FolderImage : int {
    kImageRemovable = 0,
    kImageFixed = 1,
    kImageRemote = 2,
    kImageCdrom = 3,
    kImageFolder = 4,
    kImageOpenFolder = 5,
};

class FolderView {
public:
    virtual ~FolderView() = default;

    // Appends an item as the last child of parent and returns its handle.
    virtual TreeItem insertItem(TreeItem parent, const std::string& text, int image,
                                int selectedImage) = 0;
    virtual void setItemText(TreeItem item, const std::string& text) = 0;
    virtual void expand(TreeItem item) = 0;
    virtual void collapse(TreeItem item) = 0;
    virtual void ensureVisible(TreeItem item) = 0;
    virtual void deleteAllItems() = 0;

    // Controls for a running scan (Stop enabled, Refresh and Collapse All disabled,
    // "Working..." shown) and back again; stopped says whether Stop ended the scan.
    virtual void scanStarted() = 0;
    virtual void scanFinished(bool stopped) = 0;

    // Keeps the window alive during a scan: called after every insertion and text
    // update. The Stop command, dispatched from here, calls FolderScan::stop().
    virtual void pumpMessages() = 0;
    // Called before each entry of a folder's subfolder pass, just before the stop
    // request is read (the meter program's dialog serves the Stop button's mouse
    // messages here).
    virtual void beforeEntry() = 0;
};
