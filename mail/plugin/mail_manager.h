#pragma once
// The plug-in's one central object: the host's environment, the profile key, the
// account list and its file, the log, the host's menu items and the menu cursor. The
// exports translate their arguments and call it; it reaches the platform through
// PluginPlatform and the plug-in's windows, tray and checks through PluginParts.
#include "mail/account_store.h"
#include "mail/mail_log.h"
#include "mail/plugin/plugin_commands.h"
#include "mail/plugin/plugin_records.h"
#include "mail/plugin/plugin_texts.h"
#include "mail/tray/tray_menu.h"
#include "meter/registry_key.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace mail {

// What the manager needs of the operating system.
class PluginPlatform {
public:
    virtual ~PluginPlatform() = default;
    virtual AccountFiles& accountFiles() = 0;
    // The folder of the host's program, ending in a backslash.
    virtual std::string programFolder() = 0;
    // The base name of the plug-in's own file ("Mail").
    virtual std::string moduleName() = 0;
    // A key below the user's registry root; created when `create`, else null when
    // missing.
    virtual std::unique_ptr<RegistryKey> userKey(const std::string& path, bool create) = 0;
    // Null when the file cannot be created.
    virtual std::unique_ptr<LogSink> createLogFile(const std::string& path) = 0;
    // Copies a file, replacing the destination; false on failure.
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual TransportFactory transports() = 0;
    virtual TimeOfDay timeOfDay() = 0;
    // The plug-in's own file version; false when its file has no version resource.
    virtual bool ownVersion(FileVersion& version) = 0;
};

// The plug-in's windows, tray icon and mail checks, which the manager switches on and
// off with the accounts.
class PluginParts {
public:
    virtual ~PluginParts() = default;
    virtual void createTray() = 0;
    virtual void removeTray() = 0;
    // The log window's sink, or null without one; `isNew` when it was just created.
    virtual LogSink* openLogWindow(bool& isNew) = 0;
    virtual void destroyLogWindow() = 0;
    // Starts every account's automatic check.
    virtual void startCheckTimers(AccountList& accounts) = 0;
    // Stops every account's automatic check and lets go of every account, so that none
    // is still in use when the list is destroyed.
    virtual void releaseAccounts(AccountList& accounts) = 0;
    // One of the plug-in's commands (PluginCommand).
    virtual void runCommand(int commandId) = 0;
    // The host is about to unload the library: every window is gone.
    virtual void unloading() {}
};

class CMailManager {
public:
    CMailManager(PluginPlatform& platform, PluginParts& parts);
    ~CMailManager();
    CMailManager(const CMailManager&) = delete;
    CMailManager& operator=(const CMailManager&) = delete;

    void setEnvironment(const TEnvironment& environment);
    void getEnvironment(TEnvironment& environment) const;
    void onLoadApp(int pluginId);
    void onUnLoadApp();

    // Opens the log, the tray and the accounts of the folder; true when the account
    // file was read whole.
    bool openAccounts(const std::string& folderText);
    // Writes the account file and the profile while the accounts are open.
    bool saveAccounts();
    void closeAccounts();

    void addMenuItem(const std::string& text, int id);
    void fillPluginInfo(TPluginInfo& info);
    void firstMenuItem(TMenuItem& item, unsigned char& more);
    void nextMenuItem(TMenuItem& item, unsigned char& more);
    void menuItemClicked(int commandId);
    // Copies the account file from one folder to another; false when it failed.
    bool importAccount(const std::string& sourceFolder, const std::string& destinationFolder);

    const std::string& hostName() const { return hostName_; }
    std::uint32_t hostWindow() const { return hostWindow_; }
    int pluginId() const { return pluginId_; }
    bool accountsOpen() const { return accountsOpen_; }
    const std::string& profileKey() const { return profileKey_; }
    // "Software\<profile key>\<module>"
    std::string profilePath() const;
    // That key; null when it is missing (or cannot be created, when `create`).
    std::unique_ptr<RegistryKey> openProfile(bool create);
    const std::vector<HostMenuItem>& hostMenuItems() const { return hostItems_; }
    AccountList& accounts() { return accounts_; }
    CMailLog& log() { return log_; }

private:
    void openLog();
    void closeLog();
    std::string accountFilePathNow() const;

    PluginPlatform& platform_;
    PluginParts& parts_;
    CMailLog log_;

    std::string hostName_;
    std::uint8_t reserved_ = 0;
    std::uint8_t writeLogFile_ = 1;
    std::uint32_t hostWindow_ = 0;

    int pluginId_ = 0;
    std::string profileKey_;
    bool accountsOpen_ = false;
    std::string folder_; // where the account file was opened, with its backslash
    AccountList accounts_;
    std::vector<HostMenuItem> hostItems_;
    MenuItemCursor cursor_;
};

} // namespace mail
