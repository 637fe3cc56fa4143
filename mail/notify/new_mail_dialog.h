#pragma once
// The small modeless window that tells of new mail: "Mail - You've Got Mail" with the
// text of the last notification and an OK button. One at a time: a new notification
// replaces the open one.
#include "common/win/dialog.h"

#include <memory>
#include <string>

namespace mail {

class NewMailDialog {
public:
    NewMailDialog();
    ~NewMailDialog();
    NewMailDialog(const NewMailDialog&) = delete;
    NewMailDialog& operator=(const NewMailDialog&) = delete;

    // Closes an open one, then opens the dialog from module's template with the text,
    // titled after the host. False when it could not be created.
    bool show(HINSTANCE module, const std::string& hostName, const std::string& text);
    void destroy();
    // The open dialog, null when none is open.
    HWND window() const;

private:
    class Notice;
    std::unique_ptr<Notice> dialog_;
};

} // namespace mail
