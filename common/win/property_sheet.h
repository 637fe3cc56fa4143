#pragma once
// A modal property sheet (PropertySheetFrame: the system names its call PropertySheet) of template
// pages, each page owned by a C++ object. Pages are created when first shown; the sheet's buttons
// reach the pages as notifications.
#include "common/win/dialog_controls.h"

#include <commctrl.h>

#include <string>
#include <vector>

class PropertyPage : public DialogControls {
public:
    // module null: the program itself.
    explicit PropertyPage(int templateId, HINSTANCE module = nullptr);
    virtual ~PropertyPage() = default;
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;

    HPROPSHEETPAGE make();
    bool created() const { return hwnd() != nullptr; }
    HWND sheet() const { return GetParent(hwnd()); }
    // Enables the sheet's Apply button for this page, or withdraws this page's claim.
    void setChanged(bool on);

protected:
    virtual void onInit() {}
    // True when the command was handled.
    virtual bool onCommand(int id, int code);
    virtual bool onNotify(const NMHDR& header, LRESULT& result);
    virtual void onSetActive() {}
    // False keeps the page in front: what it holds was refused.
    virtual bool onKillActive() { return true; }
    // OK (closing) or Apply; false keeps the sheet open on this page.
    virtual bool onApply(bool closing);
    virtual void onReset() {}
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR route(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool onSheetNotify(const NMHDR& header, LRESULT& result);

    int templateId_;
    HINSTANCE module_;
};

class PropertySheetFrame {
public:
    // flags: added to the sheet header's own (PSH_NOAPPLYNOW for a sheet without Apply).
    explicit PropertySheetFrame(std::string caption, DWORD flags = 0);
    virtual ~PropertySheetFrame() = default;
    PropertySheetFrame(const PropertySheetFrame&) = delete;
    PropertySheetFrame& operator=(const PropertySheetFrame&) = delete;

    void addPage(PropertyPage& page);
    // Runs the sheet with page `startPage` (0-based) in front until it closes.
    INT_PTR runModal(HWND owner, int startPage);
    HWND hwnd() const { return hwnd_; }

protected:
    // The sheet window exists; its pages are not all created yet.
    virtual void onInitialized() {}

private:
    static int CALLBACK sheetCallback(HWND hwnd, UINT message, LPARAM lParam);

    std::string caption_;
    DWORD flags_;
    std::vector<PropertyPage*> pages_;
    HWND hwnd_ = nullptr;
};
