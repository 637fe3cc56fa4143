#include "mail/tray/tray_menu.h"

#include <algorithm>

namespace mail {

namespace {

TrayMenuItem command(const char* text, int id, int image = kMenuNoImage, bool enabled = true)
{
    TrayMenuItem item;
    item.text = text;
    item.command = id;
    item.image = image;
    item.enabled = enabled;
    return item;
}

TrayMenuItem separator(const char* caption = nullptr)
{
    TrayMenuItem item;
    item.kind =
        caption != nullptr ? TrayMenuItemKind::CaptionedSeparator : TrayMenuItemKind::Separator;
    if (caption != nullptr)
        item.text = caption;
    return item;
}

// An account's two commands; past the hundredth account its ids would run into the
// next range, so those accounts keep their submenu but not the commands.
int accountCommand(int base, std::size_t account)
{
    return account < static_cast<std::size_t>(kAccountCommandSlots)
               ? base + static_cast<int>(account)
               : 0;
}

void addMessages(TrayMenuItem& submenu, const MenuAccount& account, std::size_t accountIndex,
                 std::vector<MessageLookupEntry>& lookup)
{
    constexpr std::size_t kIndexLimit = 0x10000;
    for (std::size_t m = 0; m < account.messages.size(); ++m) {
        // Entries hold 16-bit indices and command ids end at 65535: what does not fit
        // cannot be picked, so it is not listed.
        if (lookup.size() >= kMessageLookupCapacity || accountIndex >= kIndexLimit ||
            m >= kIndexLimit)
            return;
        const MenuMessage& message = account.messages[m];
        const int id = kCmdMessageBase + static_cast<int>(lookup.size());
        lookup.push_back(static_cast<MessageLookupEntry>(accountIndex) |
                         static_cast<MessageLookupEntry>(m) << 16);
        submenu.items.push_back(
            command("", id, message.isNew ? kMenuImageNewMessage : kMenuImageOldMessage));
        submenu.items.back().text = message.subject;
    }
}

TrayMenuItem accountSubmenu(const MenuAccount& account, std::size_t index,
                            std::vector<MessageLookupEntry>& lookup)
{
    TrayMenuItem submenu;
    submenu.kind = TrayMenuItemKind::Submenu;
    submenu.text = account.name;
    submenu.image = kMenuImageAccount;
    const int deleteAll = accountCommand(kCmdDeleteAllBase, index);
    const int check = accountCommand(kCmdCheckAccountBase, index);
    submenu.items.push_back(command("Check Mail In This Account", check, kMenuNoImage, check != 0));
    submenu.items.push_back(
        command("Delete All Mail On Server...", deleteAll, kMenuNoImage, deleteAll != 0));
    submenu.items.push_back(separator());
    if (account.checking)
        submenu.items.push_back(
            command("Checking For New Messages...", deleteAll, kMenuNoImage, false));
    else if (!account.messages.empty())
        addMessages(submenu, account, index, lookup);
    else
        submenu.items.push_back(command("No new messages", 0, kMenuNoImage, false));
    return submenu;
}

} // namespace

TrayMenu buildTrayMenu(const std::vector<MenuAccount>& accounts,
                       const std::vector<HostMenuItem>& hostItems)
{
    TrayMenu menu;
    const bool haveAccounts = !accounts.empty();
    auto& items = menu.items;
    items.push_back(command("&Check Mail Now", kCmdCheckMailNow, kMenuNoImage, haveAccounts));
    items.push_back(command("&Open Mail Client...", kCmdOpenMailClient));
    items.push_back(command("Con&trol Center...", kCmdControlCenter, kMenuImageControlCenter));
    items.push_back(command("&Mail Log...", kCmdLogWindow, kMenuImageMailLog));
    items.push_back(separator());
    items.push_back(command("&Add Account...", kCmdAddAccount, kMenuImageAddAccount));
    items.push_back(
        command("&Remove Account...", kCmdRemoveAccount, kMenuImageRemoveAccount, haveAccounts));
    items.push_back(command("&Send Mail...", kCmdSendMail, kMenuImageSendMail));

    bool hostSeparator = false;
    for (const HostMenuItem& host : hostItems) {
        // A negative id would land among the plug-in's own commands.
        if (host.id < 0 || host.id >= kHostItemIdLimit)
            continue;
        if (!hostSeparator) {
            items.push_back(separator());
            hostSeparator = true;
        }
        items.push_back(command("", kCmdHostItemBase + host.id));
        items.back().text = host.text;
        menu.hostIds.push_back(host.id);
    }

    items.push_back(separator("Mail Accounts"));
    for (std::size_t i = 0; i < accounts.size(); ++i)
        items.push_back(accountSubmenu(accounts[i], i, menu.messageLookup));
    menu.accountCount = accounts.size();
    return menu;
}

TrayCommand decodeTrayCommand(const TrayMenu& menu, int command)
{
    TrayCommand result;
    if (command < 0 || command > kCmdLast)
        return result;
    if (command < kCmdHostItemBase) {
        if (command >= kCmdAddAccount && command <= kCmdLogWindow) {
            result.kind = TrayCommandKind::Plugin;
            result.id = command;
        }
        return result;
    }
    if (command < kCmdDeleteAllBase) {
        const int id = command - kCmdHostItemBase;
        if (std::find(menu.hostIds.begin(), menu.hostIds.end(), id) != menu.hostIds.end()) {
            result.kind = TrayCommandKind::HostItem;
            result.id = id;
        }
        return result;
    }
    if (command < kCmdMessageBase) {
        const bool deleteAll = command < kCmdCheckAccountBase;
        const std::size_t account = static_cast<std::size_t>(
            command - (deleteAll ? kCmdDeleteAllBase : kCmdCheckAccountBase));
        if (account < menu.accountCount) {
            result.kind = deleteAll ? TrayCommandKind::DeleteAll : TrayCommandKind::CheckAccount;
            result.account = account;
        }
        return result;
    }
    const std::size_t entry = static_cast<std::size_t>(command - kCmdMessageBase);
    if (entry < menu.messageLookup.size()) {
        result.kind = TrayCommandKind::OpenMessage;
        result.account = menu.messageLookup[entry] & 0xFFFFu;
        result.message = menu.messageLookup[entry] >> 16;
    }
    return result;
}

std::string messageTipText(const std::string& subject, const std::string& from,
                           const std::string& to, int attachments)
{
    return "Subject:\t" + subject + "\nFrom:\t" + from + "\nTo:\t" + to + "\n# Attach.:\t" +
           std::to_string(attachments);
}

} // namespace mail
