#pragma once
// The Win32 half of the folder usage view, shared by the meter program's dialog and
// the shell page: the lister and volume queries over the real file system, the tree
// control as the scan's view, and the image strip. Names travel through the scan as
// UTF-8 and reach the tree through its wide messages, so a folder named outside the
// ANSI code page is both counted and shown.
#include <windows.h>

#include <commctrl.h>

#include "common/folderscan/folder_seams.h"
#include "common/folderscan/folder_view.h"

#include <string>
#include <unordered_map>
#include <vector>

// Bitmap strip of six 16x16 images in the order of FolderImage, in the resources of
// each module that shows the view; RGB(255,0,255) is transparent.
constexpr int kFolderImagesBitmap = 197;

// The image list of the strip in module, or null when it cannot be loaded. The caller
// owns it (ImageList_Destroy).
HIMAGELIST loadFolderImages(HINSTANCE module);

// Between the ANSI texts the rest of the program keeps and the scan's UTF-8.
std::string utf8FromAnsi(const std::string& ansi);
std::wstring wideFromUtf8(const std::string& utf8);
std::string utf8FromWide(const wchar_t* wide);

// The find-file enumeration (wide, so every name is listed) and the drive-type and
// disk-space queries.
class WinFolderLister : public FolderLister {
public:
    bool list(const std::string& folder, std::vector<FolderEntry>& entries) override;
};

class WinVolumeQuery : public VolumeQuery {
public:
    DriveKind driveKind(const std::string& path) override;
    bool clusterGeometry(const std::string& root, ClusterGeometry& geometry) override;
};

// The tree control as the scan's view. The host (dialog or page) supplies what
// differs between them: its controls during a scan and which messages it serves.
// Pumping is done in slices: the scan calls pumpMessages() and beforeEntry() after
// every step, and the host's pump runs only when a slice has passed since the last,
// which keeps painting and Stop prompt without a message-queue round per entry.
class FolderTreeView : public FolderView {
public:
    explicit FolderTreeView(HWND tree);

    TreeItem insertItem(TreeItem parent, const std::string& text, int image,
                        int selectedImage) override;
    void setItemText(TreeItem item, const std::string& text) override;
    void expand(TreeItem item) override;
    void collapse(TreeItem item) override;
    void ensureVisible(TreeItem item) override;
    void deleteAllItems() override;

    // Time-sliced: call pump() / pollStop() when a slice has passed.
    void pumpMessages() override;
    void beforeEntry() override;

    HWND tree() const { return tree_; }
    // Writes the texts set since the last slice into the tree. Each text change of an
    // item in view costs the tree a text measurement and a repaint request (several
    // round trips to the Wine server), and a folder's text changes after every
    // subfolder: only its last text of a slice is ever painted, so only that one is
    // written. Done before every pump and by ensureVisible, which ends every scan.
    void applyTexts();
    // Length of a slice in milliseconds (30 unless a test or benchmark sets it; 0
    // pumps at every step). The Stop button is served once a slice; the host's pump
    // runs at most once a slice, and less often when pumping itself takes long (a busy
    // Wine server makes each paint slow), so that it never takes more than about a
    // quarter of the scan's time.
    void setSliceMs(DWORD ms) { sliceMs_ = ms; }

protected:
    // The host's narrow pump (see dispatchPendingMessages).
    virtual void pump() = 0;
    // The meter program's dialog serves its Stop button's mouse messages here.
    virtual void pollStop() {}

private:
    bool sliceDue();

    HWND tree_;
    std::unordered_map<TreeItem, std::string> pendingTexts_;
    DWORD sliceMs_ = 30;
    DWORD lastPump_ = 0;
    DWORD lastPoll_ = 0;
    DWORD pumpEveryMs_ = 0; // the slice, or three times what the last pump took
    static constexpr DWORD kPumpCostShare = 3;
};

// Removes and dispatches every pending message of window within [first, last] (0, 0
// for all of them). preTranslate, when given, sees each message first and answers
// true when it has handled it.
using PreTranslate = bool (*)(MSG& message, void* context);
void dispatchPendingMessages(HWND window, UINT first = 0, UINT last = 0,
                             PreTranslate preTranslate = nullptr, void* context = nullptr);
