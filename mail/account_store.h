#pragma once
// Loading and saving the account list: the account file through a file seam (the
// Windows side replaces the file atomically), the profile values of each account and
// the log lines. A damaged file is kept aside as "<name>.bad" rather than being
// overwritten later by the part of it that could be read.
#include "mail/mail_account.h"
#include "mail/mail_log.h"
#include "meter/registry_key.h"

#include <memory>
#include <string>
#include <vector>

namespace mail {

class AccountFiles {
public:
    virtual ~AccountFiles() = default;
    // False when the file is missing or cannot be read whole.
    virtual bool read(const std::string& path, std::string& bytes) = 0;
    // Writes the file so that it is either wholly the old or wholly the new one.
    virtual bool replace(const std::string& path, const std::string& bytes) = 0;
    // Renames `path` to `aside`, replacing any earlier file of that name.
    virtual bool keepAside(const std::string& path, const std::string& aside) = 0;
};

using AccountList = std::vector<std::unique_ptr<CMailAccount>>;

// folder (ending in a backslash) + "Mail." + host name.
std::string accountFilePath(const std::string& folder, const std::string& hostName);

struct AccountStoreContext {
    AccountFiles& files;
    CMailLog& log;
    // The module's profile key (profileKeyPath without a section); null: no profile.
    RegistryKey* profile = nullptr;
    TransportFactory transports;
};

// Appends the accounts read to `list`. False when the file is missing, or damaged: then
// the accounts before the damage stay, and the file is renamed "<path>.bad".
bool loadAccounts(AccountStoreContext& context, const std::string& path, AccountList& list);

// Writes every account and its profile values; false when the file could not be
// written (logged) or an account's data could not be locked in time.
bool saveAccounts(AccountStoreContext& context, const std::string& path, const AccountList& list);

} // namespace mail
