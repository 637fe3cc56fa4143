#include "common/folderscan/folder_scan.h"

#include "common/folderscan/folder_sizes.h"

FolderScan::FolderScan(FolderScanHost host, FolderLister& lister, VolumeQuery& volumes,
                       FolderView& view)
    : host_(host), lister_(lister), volumes_(volumes), view_(view),
      clusterSize_(host == FolderScanHost::shellPage ? kShellPageClusterFallback
                                                     : kDialogClusterFallback)
{
}

void FolderScan::setFolder(const std::string& folder)
{
    folder_ = folder;
    if (host_ == FolderScanHost::meterDialog)
        clusterSize_ = dialogClusterSize(volumes_, folder_);
}

void FolderScan::refresh()
{
    if (scanning_)
        return;
    if (host_ == FolderScanHost::shellPage)
        clusterSize_ = shellPageClusterSize(volumes_, folder_);
    scanning_ = true;
    view_.scanStarted();
    view_.deleteAllItems();
    nodes_.clear();
    rootItem_ = kTreeRoot;
    rootTotalKB_ = 0;
    stopRequested_ = false;

    std::string path = folder_;
    if (path.empty() || path.back() != '\\')
        path += '\\';
    scanFrom(folder_, path);
    rootItem_ = nodes_.front().item;
    view_.ensureVisible(rootItem_);

    scanning_ = false;
    view_.scanFinished(stopRequested_);
}

// Depth first over an explicit stack of folders, so that no chain of folders, however
// deep, can exhaust the thread's stack.
void FolderScan::scanFrom(const std::string& name, const std::string& path)
{
    frames_.clear();
    openFolder(kNone, 0, name, path);
    while (!frames_.empty()) {
        const std::size_t top = frames_.size() - 1;
        bool descended = false;
        while (frames_[top].next < frames_[top].entries.size()) {
            view_.beforeEntry();
            if (stopRequested_) {
                frames_[top].next = frames_[top].entries.size();
                break;
            }
            const FolderEntry& entry = frames_[top].entries[frames_[top].next++];
            if (!entry.isDirectory || entry.name == "." || entry.name == "..")
                continue;
            std::string childPath = frames_[top].path + entry.name + '\\';
            if (!canName(childPath))
                continue;
            if (entry.isReparsePoint) {
                // Listed as a subfolder of no size of its own: what it points to is
                // counted where it really lives, if at all.
                insertItem(frames_[top].node, frames_[top].depth + 1, entry.name, childPath);
                view_.pumpMessages();
                showTotal(frames_[top]);
                continue;
            }
            const std::string childName = entry.name;
            openFolder(frames_[top].node, frames_[top].depth + 1, childName, childPath);
            descended = true;
            break;
        }
        if (descended)
            continue;
        const std::uint64_t finishedKB = frames_[top].totalKB;
        frames_.pop_back();
        if (frames_.empty()) {
            rootTotalKB_ = finishedKB;
        } else {
            frames_.back().totalKB += finishedKB;
            showTotal(frames_.back());
        }
    }
}

void FolderScan::openFolder(std::size_t parentNode, int depth, const std::string& name,
                            const std::string& path)
{
    Frame frame;
    frame.node = insertItem(parentNode, depth, name, path);
    frame.name = name;
    frame.path = path;
    frame.depth = depth;
    view_.pumpMessages();

    // A folder that cannot be enumerated (or named) counts nothing and has no
    // subfolders; no message is shown for it.
    const bool nameable = canName(path);
    if (nameable && lister_.list(path, scratch_)) {
        for (const FolderEntry& entry : scratch_) {
            if (!entry.isDirectory)
                frame.ownKB += fileKilobytes(entry.size, clusterSize_);
        }
    }
    view_.setItemText(nodes_[frame.node].item, ownSizeItemText(name, frame.ownKB));
    view_.pumpMessages();
    frame.totalKB = frame.ownKB;

    // The subfolders come from a second enumeration, so that they are the ones the
    // folder holds now, after the pumping above.
    if (!nameable || !lister_.list(path, frame.entries))
        frame.entries.clear();
    frames_.push_back(std::move(frame));
}

std::size_t FolderScan::insertItem(std::size_t parentNode, int depth, const std::string& name,
                                   const std::string& path)
{
    int image = kImageFolder;
    int selectedImage = kImageOpenFolder;
    if (depth == 0) {
        switch (volumes_.driveKind(path)) {
        case DriveKind::removable:
            image = selectedImage = kImageRemovable;
            break;
        case DriveKind::fixed:
            image = selectedImage = kImageFixed;
            break;
        case DriveKind::remote:
            image = selectedImage = kImageRemote;
            break;
        case DriveKind::cdrom:
            image = selectedImage = kImageCdrom;
            break;
        case DriveKind::other:
            break;
        }
    }
    const TreeItem parent = parentNode == kNone ? kTreeRoot : nodes_[parentNode].item;
    Node node;
    node.item = view_.insertItem(parent, insertedItemText(name), image, selectedImage);
    const std::size_t index = nodes_.size();
    nodes_.push_back(node);
    if (parentNode != kNone) {
        Node& up = nodes_[parentNode];
        if (up.lastChild == kNone)
            up.firstChild = index;
        else
            nodes_[up.lastChild].nextSibling = index;
        up.lastChild = index;
    }

    // The root's children show as they arrive; deeper levels stay closed. The tree
    // itself (the root item's parent) has nothing to open.
    const bool openParent = host_ == FolderScanHost::shellPage ? depth == 1 : depth <= 1;
    if (openParent && parent != kTreeRoot)
        view_.expand(parent);
    return index;
}

bool FolderScan::canName(const std::string& path) const
{
    // Characters, not bytes: a name outside ASCII takes several bytes of UTF-8.
    std::size_t chars = 3; // "*.*"
    for (const char c : path) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++chars;
    }
    return chars <= maxPatternChars_;
}

void FolderScan::showTotal(const Frame& frame)
{
    view_.setItemText(nodes_[frame.node].item,
                      totalSizeItemText(frame.name, frame.ownKB, frame.totalKB));
    view_.pumpMessages();
}

void FolderScan::collapseAll()
{
    if (scanning_ || nodes_.empty())
        return;
    // Post-order over an explicit stack: each entry is a node and its next child.
    std::vector<std::pair<std::size_t, std::size_t>> pending;
    pending.emplace_back(0, nodes_[0].firstChild);
    while (!pending.empty()) {
        auto& [node, child] = pending.back();
        if (child != kNone) {
            const std::size_t next = child;
            child = nodes_[next].nextSibling;
            pending.emplace_back(next, nodes_[next].firstChild);
            continue;
        }
        view_.collapse(nodes_[node].item);
        pending.pop_back();
    }
    view_.expand(nodes_[0].item);
}
