#include "mail/account_store.h"

#include "mail/account_profile.h"

namespace mail {

namespace {

constexpr char kDamagedSuffix[] = ".bad";

void readProfile(RegistryKey* profile, CMailAccount& account)
{
    if (!profile || account.record.name.empty()) {
        return;
    }
    if (auto section = profile->openSubkey(account.record.name)) {
        readNotifySettings(*section, account.notify);
    }
}

bool writeProfile(RegistryKey* profile, const CMailAccount& account)
{
    if (!profile || account.record.name.empty()) {
        return true;
    }
    auto section = profile->createSubkey(account.record.name);
    return section && writeNotifySettings(*section, account.notify);
}

} // namespace

std::string accountFilePath(const std::string& folder, const std::string& hostName)
{
    return folder + "Mail." + hostName;
}

bool loadAccounts(AccountStoreContext& context, const std::string& path, AccountList& list)
{
    std::string bytes;
    if (!context.files.read(path, bytes)) {
        return false;
    }
    DecodedAccounts decoded = decodeAccountFile(bytes);
    bytes.clear();
    for (auto& record : decoded.accounts) {
        auto account = std::make_unique<CMailAccount>(context.transports);
        account->record = std::move(record);
        context.log.write(formatText("Loaded account %s.", account->record.name.c_str()),
                          LogLevel::Message);
        readProfile(context.profile, *account);
        list.push_back(std::move(account));
    }
    if (!decoded.complete) {
        const std::string aside = path + kDamagedSuffix;
        const bool kept = context.files.keepAside(path, aside);
        context.log.write(kept ? formatText("The account file %s is damaged; it was kept as %s.",
                                            path.c_str(), aside.c_str())
                               : formatText("The account file %s is damaged.", path.c_str()),
                          LogLevel::Error);
    }
    return decoded.complete;
}

bool saveAccounts(AccountStoreContext& context, const std::string& path, const AccountList& list)
{
    std::vector<std::unique_lock<std::timed_mutex>> holds;
    std::vector<const AccountRecord*> records;
    for (const auto& account : list) {
        // A checking thread may be replacing the message list; never write half of it.
        std::unique_lock<std::timed_mutex> hold(account->dataLock, kLockWait);
        if (!hold.owns_lock()) {
            context.log.write(formatText("Could not save the account file %s.", path.c_str()),
                              LogLevel::Error);
            return false;
        }
        holds.push_back(std::move(hold));
        records.push_back(&account->record);
    }
    const std::string bytes = encodeAccountFile(records);
    holds.clear();
    if (!context.files.replace(path, bytes)) {
        context.log.write(formatText("Could not save the account file %s.", path.c_str()),
                          LogLevel::Error);
        return false;
    }
    for (const auto& account : list) {
        if (!writeProfile(context.profile, *account)) {
            context.log.write(formatText("Could not save the settings of account %s.",
                                         account->record.name.c_str()),
                              LogLevel::Warning);
        }
        context.log.write(formatText("Saved account %s.", account->record.name.c_str()),
                          LogLevel::Message);
    }
    return true;
}

} // namespace mail
