#pragma once
// The Control Center, the one modal dialog with every setting of the plug-in, and the
// command that starts the user's mail client.
#include "mail/center/center_model.h"
#include "mail/plugin/mail_ui_host.h"

#include <functional>

namespace mail {

struct CenterRequest {
    center::StartPage start;
    // "&Add Account..." of the help pages, run while the Control Center is hidden. Empty:
    // the create-account sheet, its account appended to the host's accounts.
    std::function<void()> addAccount;
};

// Opens on the "Account Details" help page. OK applies every page (the accounts in
// memory and their profile values); Cancel changes nothing.
void openControlCenter(MailUiHost& host);
// True when it was closed with its pages applied.
bool openControlCenter(MailUiHost& host, const CenterRequest& request);

// Starts the program of the global "MailClient" value. Without one, offers the Control
// Center on its "General" page first.
void openMailClient(MailUiHost& host);

} // namespace mail
