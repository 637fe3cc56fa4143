#pragma once
// The plug-in's tray icon, log window, account dialogs and mail checks are separate
// pieces that this library does not contain yet. Until each is in, its place here does
// nothing, so that a host can already load the library, open and save its accounts
// and walk its menu:
//   createTray, removeTray         no tray icon and no tray menu
//   openLogWindow, destroyLogWindow no log window (the log still goes to its file)
//   startCheckTimers               no automatic checks
//   releaseAccounts                nothing holds an account, so nothing to stop
//   runCommand                     commands 200-206 do nothing
#include "mail/plugin/mail_manager.h"

namespace mail {

class PendingPluginParts : public PluginParts {
public:
    void createTray() override {}
    void removeTray() override {}
    LogSink* openLogWindow(bool& isNew) override
    {
        isNew = false;
        return nullptr;
    }
    void destroyLogWindow() override {}
    void startCheckTimers(AccountList&) override {}
    void releaseAccounts(AccountList&) override {}
    void runCommand(int) override {}
};

} // namespace mail
