#pragma once
// The mail tray's menu as data: what it lists, in which order, with which command ids
// and images, and the way back from a picked command id to what it stands for. The
// window that shows the menu builds it from this model on every opening.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mail {

// The plug-in's own commands.
constexpr int kCmdAddAccount = 200;
constexpr int kCmdRemoveAccount = 201;
constexpr int kCmdCheckMailNow = 202;
constexpr int kCmdControlCenter = 203;
constexpr int kCmdOpenMailClient = 204;
constexpr int kCmdSendMail = 205;
constexpr int kCmdLogWindow = 206;

// Command ranges of the menu's generated items.
constexpr int kCmdHostItemBase = 700;     // + the host's own id
constexpr int kCmdDeleteAllBase = 800;    // + account index
constexpr int kCmdCheckAccountBase = 900; // + account index
constexpr int kCmdMessageBase = 1000;     // + message lookup entry
constexpr int kCmdLast = 65535;           // a menu command id is 16 bits
constexpr int kAccountCommandSlots = 100; // each account range holds 100 ids
constexpr int kHostItemIdLimit = 100;     // host items from id 100 on are not shown

// Images of the menu image list.
constexpr int kMenuNoImage = -1;
constexpr int kMenuImageNewMessage = 1;
constexpr int kMenuImageAccount = 2;
constexpr int kMenuImageAddAccount = 3;
constexpr int kMenuImageRemoveAccount = 4;
constexpr int kMenuImageOldMessage = 6;
constexpr int kMenuImageSendMail = 7;
constexpr int kMenuImageMailLog = 8;
constexpr int kMenuImageControlCenter = 9;

struct HostMenuItem {
    std::string text;
    int id = 0;
};

struct MenuMessage {
    std::string subject;
    bool isNew = false;
};

struct MenuAccount {
    std::string name;
    bool checking = false; // a check of the account is running
    std::vector<MenuMessage> messages;
};

enum class TrayMenuItemKind { Command, Separator, CaptionedSeparator, Submenu };

struct TrayMenuItem {
    TrayMenuItemKind kind = TrayMenuItemKind::Command;
    std::string text;
    int command = 0;
    int image = kMenuNoImage;
    bool enabled = true;
    std::vector<TrayMenuItem> items; // a submenu's items
};

// One message item's place: low 16 bits the account index, high 16 bits the message's.
using MessageLookupEntry = std::uint32_t;
constexpr std::size_t kMessageLookupCapacity = kCmdLast - kCmdMessageBase + 1;

struct TrayMenu {
    std::vector<TrayMenuItem> items;
    std::vector<MessageLookupEntry> messageLookup; // entry n is command kCmdMessageBase + n
    std::vector<int> hostIds;                      // the host items shown
    std::size_t accountCount = 0;
};

TrayMenu buildTrayMenu(const std::vector<MenuAccount>& accounts,
                       const std::vector<HostMenuItem>& hostItems);

enum class TrayCommandKind { None, Plugin, HostItem, DeleteAll, CheckAccount, OpenMessage };

struct TrayCommand {
    TrayCommandKind kind = TrayCommandKind::None;
    int id = 0;              // Plugin: the command; HostItem: the host's id
    std::size_t account = 0; // DeleteAll, CheckAccount, OpenMessage
    std::size_t message = 0; // OpenMessage
};

// What a command id picked in the menu that was just shown stands for. Ids outside
// the ranges, and ids of accounts, host items or messages that menu did not hold,
// decode to None.
TrayCommand decodeTrayCommand(const TrayMenu& menu, int command);

// The tip shown for a right click on a message item.
std::string messageTipText(const std::string& subject, const std::string& from,
                           const std::string& to, int attachments);

} // namespace mail
