#include "meter/plugin_host.h"

#include <cstring>

PluginHost::PluginHost(MailLibrary& library, std::string hostName, std::string programFolder)
    : library_(library), hostName_(std::move(hostName)), programFolder_(std::move(programFolder))
{
}

void PluginHost::openAccounts()
{
    // The result is not looked at: an unreadable account file still counts as loaded,
    // and the plug-in starts with no accounts.
    library_.loadAccount(programFolder_);
    accountsLoaded_ = true;
}

void PluginHost::load(bool wanted)
{
    wanted_ = wanted;
    if (!wanted) {
        return;
    }
    if (libraryLoaded_) {
        // Loaded since start-up, its accounts closed by an earlier reload: open them
        // again rather than leave the plug-in idle until the next start.
        if (initialized_ && !accountsLoaded_) {
            openAccounts();
        }
        return;
    }
    if (!library_.load()) {
        return; // no plug-in: the program runs without mail watching and says nothing
    }
    libraryLoaded_ = true;
    TEnvironment environment;
    std::memset(&environment, 0, sizeof environment);
    hostName_.copy(environment.hostName, sizeof environment.hostName - 1);
    environment.reserved = 1;
    environment.writeLogFile = 0;
    environment.hostWindow = hostWindow_;
    initialized_ = library_.initialize(environment);
    if (!initialized_) {
        return;
    }
    library_.addMenuItem(PluginItem::kPreferencesText, PluginItem::kPreferences);
    library_.addMenuItem(PluginItem::kExitText, PluginItem::kExit);
    openAccounts();
}

void PluginHost::unload(bool complete)
{
    if (accountsLoaded_) {
        accountsLoaded_ = false;
        library_.saveAccount();
        library_.closeAccount();
    }
    if (complete && libraryLoaded_) {
        if (initialized_) {
            library_.uninitialize();
        }
        initialized_ = false;
        library_.free();
        libraryLoaded_ = false;
    }
}

void PluginHost::reload(bool wanted)
{
    if (wanted == wanted_) {
        return;
    }
    unload(false);
    load(wanted);
}
