#pragma once
// The plug-in's Windows side, joined to the manager: the mail tray and its menu, the
// accounts' automatic-check timers, the checking threads and the one-second poll that
// completes their checks on this thread, the notifications, and the commands of the
// tray menu. Everything here runs on the host's user-interface thread.
#include "mail/check/check_runner_win.h"
#include "mail/check/check_scheduler.h"
#include "mail/logwin/log_window.h"
#include "mail/notify/new_mail_dialog.h"
#include "mail/notify/tray_popup_wnd.h"
#include "mail/plugin/mail_manager.h"
#include "mail/plugin/mail_ui_host.h"
#include "mail/plugin/timer_wnd.h"
#include "mail/tray/mail_tray.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

namespace mail {

class PluginWindows : public PluginParts, public MailUiHost, private TrayMenuHost {
public:
    // module: where the plug-in's resources are.
    PluginWindows(HINSTANCE module, TransportFactory transports);
    ~PluginWindows() override;
    PluginWindows(const PluginWindows&) = delete;
    PluginWindows& operator=(const PluginWindows&) = delete;

    // The manager whose accounts, host and log these windows serve; set once, before
    // the first export runs.
    void attach(CMailManager& manager);

    void createTray() override;
    void removeTray() override;
    LogSink* openLogWindow(bool& isNew) override;
    void destroyLogWindow() override;
    void startCheckTimers(AccountList& accounts) override;
    void releaseAccounts(AccountList& accounts) override;
    void runCommand(int commandId) override;
    void unloading() override;

    // An asynchronous check of one account (its timer, its menu item, command 202).
    void checkAccount(CMailAccount& account);
    void checkAll();
    // The poll: finished checks completed and announced.
    void pollChecks();

    CMailTray* tray() { return tray_.get(); }

    // MailUiHost
    HINSTANCE module() override { return module_; }
    std::string hostName() override;
    HWND hostWindow() override;
    AccountList& accounts() override;
    MessageListPtr messages(const CMailAccount& account) override;
    void markSeen(CMailAccount& account, const std::string& uniqueId) override;
    bool deleteOnServer(CMailAccount& account, const std::string& uniqueId) override;
    void restartTimer(CMailAccount& account) override { startTimer(account); }
    std::unique_ptr<RegistryKey> profile(bool create) override;
    CMailLog& log() override;
    TransportFactory transports() override { return transports_; }

private:
    // TrayMenuHost
    std::vector<MenuAccount> menuAccounts() override;
    std::vector<HostMenuItem> hostMenuItems() override;
    void runTrayCommand(const TrayCommand& command) override;
    std::string messageTip(std::size_t account, std::size_t message) override;

    AccountId idOf(const CMailAccount& account);
    CMailAccount* accountOf(AccountId id);
    CMailAccount* accountAt(std::size_t index);
    TrayAccountInfo trayInfo(TrayAccountKey key);

    void startTimer(CMailAccount& account);
    void stopTimer(AccountId id);
    void forgetAccount(CMailAccount& account);
    void watchCompletion();
    void announce(const CheckReport& report);
    // Sound, popup and dialog, as the account's switches asked (the tray is told apart).
    void notifyUser(const Notification& note, const CMailAccount& account);
    void trayEvent(TrayEvent event, const CMailAccount& account);

    // Around every dialog and message box of the plug-in: while one runs, the host may
    // close the accounts and unload the library from inside its loop.
    class ModalScope {
    public:
        explicit ModalScope(PluginWindows& windows) : windows_(windows) { ++windows_.modalDepth_; }
        ~ModalScope() { --windows_.modalDepth_; }
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        PluginWindows& windows_;
    };
    int ask(const std::string& text, UINT flags);

    void showLogWindow();
    void addAccount();
    void removeAccount();
    void deleteAllMail(std::size_t index);
    void openMessage(std::size_t account, std::size_t message);

    HINSTANCE module_;
    CMailManager* manager_ = nullptr;
    TransportFactory transports_;
    CheckRunner runner_;
    std::unique_ptr<CheckScheduler> scheduler_; // made by attach, for the manager's log
    std::unique_ptr<CMailTray> tray_;
    CLogDlg logWindow_; // outlives the log's use of it: the manager closes the log first
    CTrayPopupWnd popup_;
    NewMailDialog newMailDialog_;
    std::map<const CMailAccount*, AccountId> ids_;
    AccountId nextId_ = 1;
    std::map<AccountId, std::unique_ptr<CallbackTimer>> timers_;
    UINT_PTR completionTimer_ = 0;
    int modalDepth_ = 0;
};

} // namespace mail
