#pragma once
// CLogDlg: the modeless "Mail - Log" window. It shows the log's lines in a read-only
// edit control, keeps its text to the last 64 KiB through LogText, and takes lines from
// any thread: a line is queued and the window's own thread applies it, so a checking
// thread never waits for the user-interface thread.
#include "mail/log_text.h"
#include "mail/mail_log.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace mail {

class CLogDlg : public LogSink {
public:
    CLogDlg();
    ~CLogDlg() override;

    // Creates the window hidden, its text "Welcome to " + hostName; the dialog comes
    // from `module`. False when the window already exists (or cannot be made).
    bool create(HINSTANCE module, const std::string& hostName);
    // Shows the window and brings it to the front (the tray's log command).
    void show();
    // Destroys the window; lines written from then on, or still queued, are dropped.
    void destroy();
    HWND window() const;
    // The edit control's text; call on the window's thread.
    std::string text() const;

    // Any thread. The sink must outlive every call: the log lets go of it (close)
    // before it is destroyed.
    void writeLine(const std::string& line) override;

private:
    class Frame; // the dialog window, made for the module given to create

    void onInit();
    void onDestroy();
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onSize(WPARAM kind, int width, int height);
    HWND item(int id) const;
    // Replays the queued edits on the edit control, in the order they were made.
    void applyPending();
    void applyEdit(HWND edit, const LogText::Edit& change);
    void subclassKeys(HWND control);

    std::unique_ptr<Frame> frame_;
    std::string hostName_;
    // Where the controls sit against the client area's bottom right corner.
    RECT editMargins_{};
    SIZE buttonOffset_{};

    // Shared with writing threads; everything below is guarded by lock_.
    std::mutex lock_;
    std::unique_ptr<LogText> model_;
    HWND target_ = nullptr; // null: the window is gone, lines are dropped
    DWORD targetThread_ = 0;
    std::deque<LogText::Edit> pending_;
    std::size_t pendingBytes_ = 0;
    bool resync_ = false;     // too much queued: set the whole text instead
    bool wakePosted_ = false; // an apply message is on its way
};

} // namespace mail
