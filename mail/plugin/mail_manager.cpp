#include "mail/plugin/mail_manager.h"

#include <cstring>

namespace mail {

namespace {

constexpr char kPluginName[] = "Mail";
constexpr char kAuthor[] = "The Brellix developers";
constexpr char kNotice[] = "Free software under the GNU General Public License, version 3 or later";
constexpr char kDescription[] = "Watch one or more mail accounts for new mail";
constexpr char kLogFileSuffix[] = "_MailLog.txt";
constexpr char kAccountFilePrefix[] = "Mail.";

static_assert(sizeof kDescription <= kDescriptionSize);

// The text of a fixed field, up to its terminator or its end.
std::string fieldText(const char* field, std::size_t size)
{
    const void* end = std::memchr(field, '\0', size);
    return std::string(field, end ? static_cast<const char*>(end) - field : size);
}

} // namespace

CMailManager::CMailManager(PluginPlatform& platform, PluginParts& parts)
    : platform_(platform), parts_(parts), log_([&platform] { return platform.timeOfDay(); })
{
}

CMailManager::~CMailManager()
{
    if (accountsOpen_) {
        closeAccounts();
    }
}

void CMailManager::setEnvironment(const TEnvironment& environment)
{
    hostName_ = keptHostName(fieldText(environment.hostName, sizeof environment.hostName));
    reserved_ = environment.reserved;
    writeLogFile_ = environment.writeLogFile;
    hostWindow_ = environment.hostWindow;
}

void CMailManager::getEnvironment(TEnvironment& environment) const
{
    copyToField(environment.hostName, sizeof environment.hostName, hostName_.c_str());
    environment.reserved = reserved_;
    environment.writeLogFile = writeLogFile_;
    environment.hostWindow = hostWindow_;
}

void CMailManager::onLoadApp(int pluginId)
{
    pluginId_ = pluginId;
    hostName_ = keptHostName(hostName_);
    profileKey_ = profileHostKey(hostName_);
}

void CMailManager::onUnLoadApp()
{
    pluginId_ = 0;
    parts_.releaseAccounts(accounts_);
    closeLog();
    parts_.removeTray();
    parts_.unloading();
}

std::string CMailManager::profilePath() const
{
    // A host that opens accounts without loading the app first still gets its own key.
    const std::string key = profileKey_.empty() ? profileHostKey(hostName_) : profileKey_;
    return "Software\\" + key + "\\" + platform_.moduleName();
}

std::unique_ptr<RegistryKey> CMailManager::openProfile(bool create)
{
    return platform_.userKey(profilePath(), create);
}

std::string CMailManager::accountFilePathNow() const
{
    return accountFilePath(folder_, keptHostName(hostName_));
}

void CMailManager::openLog()
{
    std::unique_ptr<LogSink> file;
    if (writeLogFile_ != 0) {
        file = platform_.createLogFile(platform_.programFolder() + keptHostName(hostName_) +
                                       kLogFileSuffix);
    }
    bool isNew = false;
    LogSink* window = parts_.openLogWindow(isNew);
    log_.open(std::move(file), window, isNew);
}

void CMailManager::closeLog()
{
    // The log lets go of the window first: a checking thread may be writing to it.
    log_.close();
    parts_.destroyLogWindow();
}

bool CMailManager::openAccounts(const std::string& folderText)
{
    if (accountsOpen_) {
        // Opening twice would read the same accounts into the list a second time.
        closeAccounts();
    }
    openLog();
    accountsOpen_ = true;
    folder_ = accountFolder(folderText, platform_.programFolder());
    parts_.createTray();

    auto profile = platform_.userKey(profilePath(), false);
    AccountStoreContext context{platform_.accountFiles(), log_, profile.get(),
                                platform_.transports()};
    const bool loaded = loadAccounts(context, accountFilePathNow(), accounts_);
    if (loaded) {
        parts_.startCheckTimers(accounts_);
    }
    return loaded;
}

bool CMailManager::saveAccounts()
{
    // Before the accounts are opened, or after they are closed, the list is empty
    // without being so on disk: writing it would lose every account.
    if (!accountsOpen_) {
        return false;
    }
    auto profile = platform_.userKey(profilePath(), true);
    AccountStoreContext context{platform_.accountFiles(), log_, profile.get(),
                                platform_.transports()};
    return mail::saveAccounts(context, accountFilePathNow(), accounts_);
}

void CMailManager::closeAccounts()
{
    accountsOpen_ = false;
    parts_.removeTray();
    closeLog();
    parts_.releaseAccounts(accounts_);
    accounts_.clear();
}

void CMailManager::addMenuItem(const std::string& text, int id)
{
    hostItems_.push_back({text, id});
}

void CMailManager::fillPluginInfo(TPluginInfo& info)
{
    info.pluginId = pluginId_;
    copyToField(info.name, sizeof info.name, kPluginName);
    copyToField(info.author, sizeof info.author, kAuthor);
    copyToField(info.notice, sizeof info.notice, kNotice);
    FileVersion version;
    const std::string text =
        platform_.ownVersion(version) ? versionText(version, true, true) : std::string();
    copyToField(info.version, sizeof info.version, text.c_str());
    copyToField(info.description, sizeof info.description, kDescription);
}

void CMailManager::firstMenuItem(TMenuItem& item, unsigned char& more)
{
    fillMenuItem(item, pluginId_, cursor_.first(more), accountsOpen_);
}

void CMailManager::nextMenuItem(TMenuItem& item, unsigned char& more)
{
    fillMenuItem(item, pluginId_, cursor_.next(more), accountsOpen_);
}

void CMailManager::menuItemClicked(int commandId)
{
    if (pluginCommandText(commandId) != nullptr) {
        parts_.runCommand(commandId);
    }
}

bool CMailManager::importAccount(const std::string& sourceFolder,
                                 const std::string& destinationFolder)
{
    const std::string name = kAccountFilePrefix + keptHostName(hostName_);
    return platform_.copyFile(withTrailingBackslash(sourceFolder) + name,
                              withTrailingBackslash(destinationFolder) + name);
}

} // namespace mail
