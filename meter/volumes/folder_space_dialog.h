#pragma once
// The meter program's folder space dialog: the folder usage tree of one volume, with
// Stop, Refresh and Collapse All. It scans as soon as it is shown and keeps itself
// painted and stoppable by serving a narrow set of messages between scan steps.
#include "common/folderscan/folder_scan.h"
#include "common/folderscan/win/folder_tree_view.h"
#include "common/win/dialog.h"

#include <memory>
#include <string>

class FolderSpaceDialog : public Dialog {
public:
    // volumePath is an ANSI path such as "C:\" or "\\server\share\".
    explicit FolderSpaceDialog(const std::string& volumePath);
    ~FolderSpaceDialog() override;

    // The scan as it stands, once the dialog has opened (null before).
    const FolderScan* scan() const { return scan_.get(); }

protected:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    void onOk() override;
    void onCancel() override;
    void onDestroy() override;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class View;
    friend class View;

    void startScan();
    void collapseAll();
    void scanStarted();
    void scanFinished(bool stopped);
    void onSize();
    static bool preTranslate(MSG& message, void* context);

    std::string volumePath_;
    WinFolderLister lister_;
    WinVolumeQuery volumes_;
    // Made when the dialog opens: the view needs the tree control.
    std::unique_ptr<View> view_;
    std::unique_ptr<FolderScan> scan_;
    HIMAGELIST images_ = nullptr;
    // The dialog's window size minus the tree's, taken when it opens.
    SIZE margins_{0, 0};
};
