#include "mail/center/center_model.h"

#include "mail/account_profile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace mail::center {

namespace {

struct GroupText {
    const char* caption;
    const char* before; // the help text runs before + host name + after
    const char* after;
};

// In tree order; group g of a start request is kGroups[g - 1].
constexpr GroupText kGroups[] = {
    {"Account Details", "These settings are used by ",
     " to communicate with the inboxes that the accounts represent.  Most of these settings "
     "are REQUIRED"},
    {"Checking and Notifying", "These settings are used by ",
     " to determine how to notify you of incoming mail and when to check for email."},
    {"Mail Client",
     "These settings are used to determine which e-mail client to use for each account and "
     "how that client interacts with ",
     "."},
    {"Global Preferences", "These settings are used by all accounts in ", "."},
};

constexpr char kGeneralCaption[] = "General";

// Which group's node holds each kind of account page.
int groupIndexOf(PageKind kind)
{
    switch (kind) {
    case PageKind::Details:
        return kDetailsGroup - 1;
    case PageKind::Notification:
        return kNotifyGroup - 1;
    default:
        return kClientGroup - 1;
    }
}

std::optional<std::size_t> findNode(const std::vector<CenterNode>& tree, PageKind kind,
                                    std::optional<std::size_t> account)
{
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].kind == kind && (!account || tree[i].account == *account))
            return i;
    }
    return std::nullopt;
}

} // namespace

std::vector<CenterNode> centerTree(const std::string& hostName,
                                   const std::vector<std::string>& accountNames)
{
    std::vector<CenterNode> tree;
    for (const GroupText& group : kGroups) {
        CenterNode node;
        node.caption = group.caption;
        node.helpText = group.before + hostName + group.after;
        tree.push_back(node);
    }
    for (std::size_t account = 0; account < accountNames.size(); ++account) {
        // Details first: a renamed account then takes its new name into the profile
        // when the pages after it apply. The groups keep the order of the tree.
        for (PageKind kind : {PageKind::Details, PageKind::Notification, PageKind::Client}) {
            CenterNode node;
            node.caption = accountNames[account];
            node.image = kAccountImage;
            node.parent = groupIndexOf(kind);
            node.kind = kind;
            node.account = account;
            tree.push_back(node);
        }
    }
    CenterNode general;
    general.caption = kGeneralCaption;
    general.image = kGeneralImage;
    general.parent = kGlobalGroup - 1;
    general.kind = PageKind::General;
    tree.push_back(general);
    return tree;
}

std::string centerTitle(const std::string& hostName)
{
    return hostName + " - Control Center";
}

std::size_t startNode(const std::vector<CenterNode>& tree, const StartPage& start)
{
    std::optional<std::size_t> found;
    // With an account, the first and third groups open on each other's account page.
    switch (start.group) {
    case kDetailsGroup:
        found = start.account ? findNode(tree, PageKind::Client, start.account) : 0;
        break;
    case kNotifyGroup:
        found = start.account ? findNode(tree, PageKind::Notification, start.account) : 1;
        break;
    case kClientGroup:
        found = start.account ? findNode(tree, PageKind::Details, start.account) : 2;
        break;
    case kGlobalGroup:
        found = findNode(tree, PageKind::General, std::nullopt);
        break;
    default:
        break;
    }
    return found && *found < tree.size() ? *found : 0;
}

std::string nodeLabel(const std::vector<CenterNode>& tree, std::size_t node)
{
    const CenterNode& page = tree.at(node);
    if (page.parent == kNoParent)
        return page.caption;
    return tree.at(static_cast<std::size_t>(page.parent)).caption + " - " + page.caption;
}

std::string readProfileText(const RegistryKey& key, const char* name)
{
    RegistryValue value;
    if (!key.queryValue(name, value) || value.type != RegType::kSz)
        return {};
    std::string text(value.data.begin(), value.data.end());
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

bool writeProfileText(RegistryKey& key, const char* name, const std::string& text)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.c_str());
    return key.setValue(name, RegType::kSz, bytes, text.size() + 1);
}

GeneralPrefs readGeneralPrefs(const RegistryKey& profile)
{
    return {readProfileText(profile, GlobalValue::kSmtpServer),
            readProfileText(profile, GlobalValue::kMailClient)};
}

bool writeGeneralPrefs(RegistryKey& profile, const GeneralPrefs& prefs)
{
    const bool server = writeProfileText(profile, GlobalValue::kSmtpServer, prefs.smtpServer);
    return writeProfileText(profile, GlobalValue::kMailClient, prefs.mailClient) && server;
}

bool writeAccountProfile(RegistryKey& profile, const CMailAccount& account)
{
    auto section = profile.createSubkey(account.record.name);
    return section && writeNotifySettings(*section, account.notify);
}

NotificationFields notificationFields(const NotifySettings& notify, std::int32_t checkInterval)
{
    NotificationFields fields;
    fields.interval = std::to_string(checkInterval);
    fields.timeout = std::to_string(notify.timeoutSeconds);
    fields.changeTrayIcon = notify.changeTrayIcon;
    fields.showTrayPopup = notify.showTrayPopup;
    fields.showDialog = notify.showDialog;
    fields.playSound = !notify.soundFile.empty();
    fields.soundFile = notify.soundFile;
    return fields;
}

long leadingNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return std::clamp<long>(value, INT_MIN, INT_MAX);
}

int timeoutFromText(const std::string& text)
{
    const long seconds = leadingNumber(text);
    return seconds == 0 ? kDefaultTimeoutSeconds : static_cast<int>(seconds);
}

std::int32_t intervalFromText(const std::string& text)
{
    return static_cast<std::int32_t>(leadingNumber(text));
}

void applyNotifyFlags(const NotificationFields& fields, NotifySettings& notify)
{
    notify.showDialog = fields.showDialog;
    notify.soundFile = fields.playSound ? fields.soundFile : std::string();
    notify.changeTrayIcon = fields.changeTrayIcon;
    notify.showTrayPopup = fields.showTrayPopup;
}

const char kNoClientPath[] = "You must enter a path to a mail client.";

std::optional<std::string> clientChoiceRefusal(const ClientChoice& choice)
{
    if (choice.openClient && choice.path.empty())
        return std::string(kNoClientPath);
    return std::nullopt;
}

void applyClientChoice(const ClientChoice& choice, NotifySettings& notify)
{
    notify.openClientOnSelect = choice.openClient;
    notify.mailClientPath = choice.path;
}

} // namespace mail::center
