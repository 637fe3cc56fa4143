#pragma once
// The meter program's side of the mail plug-in: when the library is loaded, what it
// is told, when its accounts are opened, saved and closed, and when it is freed. The
// library itself is reached through MailLibrary; the Windows one loads "Mail.dll".
#include "mail/plugin/plugin_records.h"

#include <cstdint>
#include <string>

class MailLibrary {
public:
    virtual ~MailLibrary() = default;
    // Loads the library; false when it is not there.
    virtual bool load() = 0;
    virtual void free() = 0;
    virtual bool initialize(TEnvironment& environment) = 0;
    virtual void addMenuItem(const char* text, int id) = 0;
    virtual void loadAccount(const std::string& folder) = 0;
    virtual void saveAccount() = 0;
    virtual void closeAccount() = 0;
    virtual void uninitialize() = 0;
};

namespace PluginItem {
// The host's own items in the plug-in's menu; the plug-in posts their ids back.
constexpr int kExit = 10;
constexpr int kPreferences = 11;
constexpr char kPreferencesText[] = "Brellix &Preferences";
constexpr char kExitText[] = "E&xit Brellix";
} // namespace PluginItem

class PluginHost {
public:
    PluginHost(MailLibrary& library, std::string hostName, std::string programFolder);
    ~PluginHost() = default;
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // The host's main window as the plug-in keeps it (32 bits).
    void setHostWindow(std::uint32_t window) { hostWindow_ = window; }

    // Loads the library (once) and opens its accounts, unless the plug-in is unwanted.
    void load(bool wanted);
    // Saves and closes the accounts; `complete` also uninitialises and frees the library.
    void unload(bool complete);
    // After accepted preferences: acts only when the plug-in option changed since the
    // last load.
    void reload(bool wanted);

    bool libraryLoaded() const { return libraryLoaded_; }
    bool accountsLoaded() const { return accountsLoaded_; }

private:
    void openAccounts();

    MailLibrary& library_;
    std::string hostName_;
    std::string programFolder_;
    std::uint32_t hostWindow_ = 0;
    bool libraryLoaded_ = false;
    bool initialized_ = false;    // HBInitialize answered true
    bool accountsLoaded_ = false; // between an account load and the next unload
    bool wanted_ = false;         // the option as the last load saw it
};
