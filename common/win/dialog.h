#pragma once
// A template dialog owned by a C++ object, modal or modeless: messages reach virtual
// handlers, controls are reached through DialogControls.
#include "common/win/dialog_controls.h"

class Dialog : public DialogControls {
public:
    // module null: the program itself.
    explicit Dialog(int templateId, HINSTANCE module = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog until it closes; the result it closed with (-1 when it could not
    // be created).
    INT_PTR runModal(HWND owner);
    // Creates the dialog and returns at once; the object destroys it when it ends.
    bool createModeless(HWND owner);
    // Ends a modal dialog with result, or destroys a modeless one.
    void close(INT_PTR result);
    bool isModal() const { return modal_; }

protected:
    // The answer of WM_INITDIALOG: true lets the system set the focus.
    virtual bool onInit() { return true; }
    // True when the command was handled. The default closes on OK and Cancel.
    virtual bool onCommand(int id, int code);
    virtual void onOk() { close(IDOK); }
    virtual void onCancel() { close(IDCANCEL); }
    virtual bool onNotify(const NMHDR& header, LRESULT& result);
    virtual void onTimer(UINT_PTR id);
    virtual void onDestroy() {}
    // Everything else; FALSE leaves the message to the system.
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Places the dialog in the middle of the desktop.
    void centreOnDesktop();

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR route(UINT message, WPARAM wParam, LPARAM lParam) override;

    int templateId_;
    HINSTANCE module_;
    bool modal_ = false;
};

// Centres a window on the desktop without sizing it.
void centreWindowOnDesktop(HWND window);
