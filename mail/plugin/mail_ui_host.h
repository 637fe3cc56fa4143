#pragma once
// What the plug-in's larger windows (the message window, the send window and the
// Control Center) need of the plug-in: its module and host, the accounts with their
// messages and timers, the profile, the log and the server connections. PluginWindows
// implements it; tests give a fake.
#include "mail/check/check_state.h"
#include "mail/mail_account.h"
#include "mail/mail_log.h"
#include "mail/pop3_transport.h"
#include "meter/registry_key.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace mail {

class MailUiHost {
public:
    virtual ~MailUiHost() = default;

    // Where the plug-in's resources are (Mail.dll).
    virtual HINSTANCE module() = 0;
    // The host's name: the caption of every message box, the start of window titles.
    virtual std::string hostName() = 0;
    // The host's main window; may be null.
    virtual HWND hostWindow() = 0;

    // The open accounts in list order; the index is an account's identity in menus.
    virtual std::vector<std::unique_ptr<CMailAccount>>& accounts() = 0;
    // The account's messages as the last check left them. Shared: a check completing
    // meanwhile replaces the list without freeing this one.
    virtual MessageListPtr messages(const CMailAccount& account) = 0;
    // Clears the new flag of the account's message with this id (opened by the user).
    virtual void markSeen(CMailAccount& account, const std::string& uniqueId) = 0;
    // Deletes the message with this id on the server, on a connection of its own;
    // true when the server removed it.
    virtual bool deleteOnServer(CMailAccount& account, const std::string& uniqueId) = 0;
    // (Re)starts the account's automatic check from its current interval.
    virtual void restartTimer(CMailAccount& account) = 0;

    // The plug-in's profile key ("Software\<host>\<module>"); a section is a subkey
    // named after an account, the key itself holds the global values. Null when it
    // cannot be opened (or created, when `create`).
    virtual std::unique_ptr<RegistryKey> profile(bool create) = 0;
    virtual CMailLog& log() = 0;
    // New connections (POP3 and SMTP use the same socket seam).
    virtual TransportFactory transports() = 0;
};

} // namespace mail
