// The plug-in's own windows as the tray menu and the checks reach them: the account
// dialogs, the log window, and the new-mail sound, popup and dialog.
#include "mail/plugin/plugin_windows.h"

#include "mail/accounts_ui/account_dialogs_win.h"
#include "mail/notify/notify_sound.h"

namespace mail {

void PluginWindows::notifyUser(const Notification& note, const CMailAccount& account)
{
    if (!note.soundFile.empty())
        playNotifySound(note.soundFile);
    // The popup belongs to the tray's window: without a tray there is nowhere to show it.
    if (!note.popupText.empty() && tray_ && tray_->menuWindow() != nullptr)
        popup_.showText(tray_->menuWindow()->window(), module_, note.popupText, &account);
    if (!note.dialogText.empty())
        newMailDialog_.show(module_, hostName(), note.dialogText);
}
void PluginWindows::showLogWindow()
{
    logWindow_.show();
}

void PluginWindows::addAccount()
{
    AccountRecord record;
    {
        ModalScope modal(*this);
        if (!createAccount(module_, hostName(), record))
            return;
    }
    // The accounts may have been closed while the sheet was open.
    if (!manager_->accountsOpen())
        return;
    auto account = std::make_unique<CMailAccount>(transports_);
    account->record = std::move(record);
    CMailAccount& added = *account;
    manager_->accounts().push_back(std::move(account));
    // Checked on its own from now on, as every account opened at start is.
    startTimer(added);
}

void PluginWindows::removeAccount()
{
    std::optional<std::size_t> chosen;
    {
        ModalScope modal(*this);
        chosen = chooseAccount(module_, hostName(), manager_->accounts());
    }
    AccountList& accounts = manager_->accounts();
    // The dialog may have let the accounts close meanwhile.
    if (!chosen || *chosen >= accounts.size())
        return;
    // Its check is called off and its thread joined before the account goes.
    forgetAccount(*accounts[*chosen]);
    accounts.erase(accounts.begin() + static_cast<std::ptrdiff_t>(*chosen));
}

} // namespace mail
