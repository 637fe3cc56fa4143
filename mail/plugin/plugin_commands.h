#pragma once
// The plug-in's own commands as a host sees them in its menu records, and the
// library-wide cursor a host walks them with.
#include "mail/plugin/plugin_records.h"

namespace mail {

namespace PluginCommand {
constexpr int kAddAccount = 200;
constexpr int kRemoveAccount = 201;
constexpr int kCheckMailNow = 202;
constexpr int kControlCenter = 203;
constexpr int kOpenMailClient = 204;
constexpr int kSendMail = 205;
constexpr int kLogWindow = 206;
constexpr int kFirst = kAddAccount;
constexpr int kLast = kLogWindow;
} // namespace PluginCommand

// The menu text of a plug-in command; null for any other number.
const char* pluginCommandText(int commandId);

// Copies `text` into a fixed field, cut so that the terminator fits.
void copyToField(char* field, std::size_t size, const char* text);

// Walks the commands from the first to the last; the walk that reaches the last
// command says there is no more and starts over.
class MenuItemCursor {
public:
    // The first command; `more` becomes 1.
    int first(unsigned char& more);
    // The next command; at the last one `more` becomes 0 and the cursor goes back to
    // the start. `more` is left alone otherwise.
    int next(unsigned char& more);

private:
    int current_ = PluginCommand::kFirst;
};

// Fills a menu record for a command.
void fillMenuItem(TMenuItem& item, int pluginId, int commandId, bool accountsOpen);

} // namespace mail
