#pragma once
// The Control Center as data: the tree of pages with their captions and pictures, the
// page a start request opens on, and the fields of the pages with the way they reach the
// accounts and the profile.
#include "mail/mail_account.h"
#include "meter/registry_key.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace mail::center {

// Images of the tree, indices into the plug-in's 16 x 16 picture strip.
constexpr int kHelpImage = 9;
constexpr int kAccountImage = 2;
constexpr int kGeneralImage = 10;
constexpr int kNoParent = -1;

enum class PageKind { Help, General, Details, Notification, Client };

// The groups, numbered as start requests name them.
enum Group { kDetailsGroup = 1, kNotifyGroup = 2, kClientGroup = 3, kGlobalGroup = 4 };

struct CenterNode {
    std::string caption;
    int image = kHelpImage;
    int parent = kNoParent; // index of the parent node
    PageKind kind = PageKind::Help;
    std::size_t account = 0; // for the account pages
    std::string helpText;    // for the help pages
};

// The four groups with their help pages, then three pages for each account in list
// order, then "General" under "Global Preferences".
std::vector<CenterNode> centerTree(const std::string& hostName,
                                   const std::vector<std::string>& accountNames);

std::string centerTitle(const std::string& hostName);

// A group and, optionally, the index of an account.
struct StartPage {
    int group = kDetailsGroup;
    std::optional<std::size_t> account;
};

// The node a start request selects; the first node when the request names nothing
// that exists.
std::size_t startNode(const std::vector<CenterNode>& tree, const StartPage& start);

// The caption above the page: "<group> - <page>", or the group's own caption.
std::string nodeLabel(const std::vector<CenterNode>& tree, std::size_t node);

// ---- Global values ------------------------------------------------------------------

namespace GlobalValue {
constexpr char kMailClient[] = "MailClient";
constexpr char kSmtpServer[] = "MailSMTPServer";
} // namespace GlobalValue

// A text value of the profile; empty when it is missing or is no text.
std::string readProfileText(const RegistryKey& key, const char* name);
bool writeProfileText(RegistryKey& key, const char* name, const std::string& text);

struct GeneralPrefs {
    std::string smtpServer;
    std::string mailClient;
};

GeneralPrefs readGeneralPrefs(const RegistryKey& profile);
bool writeGeneralPrefs(RegistryKey& profile, const GeneralPrefs& prefs);

// The account's values in its section of the profile, created when missing.
bool writeAccountProfile(RegistryKey& profile, const CMailAccount& account);

// ---- Checking and notifying ---------------------------------------------------------

struct NotificationFields {
    std::string interval; // minutes
    std::string timeout;  // seconds
    bool changeTrayIcon = false;
    bool showTrayPopup = false;
    bool showDialog = false;
    bool playSound = false;
    std::string soundFile;
};

NotificationFields notificationFields(const NotifySettings& notify, std::int32_t checkInterval);

// The leading decimal number of a field, as the C library reads it; 0 for none.
long leadingNumber(const std::string& text);
// Seconds; 0 and texts without a number become the default of 2.
int timeoutFromText(const std::string& text);
// Minutes; a text without a number becomes 0, no automatic check.
std::int32_t intervalFromText(const std::string& text);

// The notification flags and the sound: what reaches the profile at once.
void applyNotifyFlags(const NotificationFields& fields, NotifySettings& notify);

// ---- Message selection --------------------------------------------------------------

struct ClientChoice {
    bool openClient = false;
    std::string path;
};

extern const char kNoClientPath[];

// Nothing when the choice can be applied, else the reason.
std::optional<std::string> clientChoiceRefusal(const ClientChoice& choice);
void applyClientChoice(const ClientChoice& choice, NotifySettings& notify);

} // namespace mail::center
