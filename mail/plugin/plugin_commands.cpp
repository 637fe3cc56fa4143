#include "mail/plugin/plugin_commands.h"

#include <algorithm>
#include <cstring>

namespace mail {

const char* pluginCommandText(int commandId)
{
    switch (commandId) {
    case PluginCommand::kAddAccount:
        return "&Add Mail Account...";
    case PluginCommand::kRemoveAccount:
        return "&Remove Mail Account";
    case PluginCommand::kCheckMailNow:
        return "&Check Mail Now";
    case PluginCommand::kControlCenter:
        return "Con&trol Center...";
    case PluginCommand::kOpenMailClient:
        return "&Open Mail Client...";
    case PluginCommand::kSendMail:
        return "&Send Mail...";
    case PluginCommand::kLogWindow:
        return "&Log Window...";
    default:
        return nullptr;
    }
}

void copyToField(char* field, std::size_t size, const char* text)
{
    if (size == 0) {
        return;
    }
    const std::size_t length = text ? std::min(std::strlen(text), size - 1) : 0;
    if (length > 0) {
        std::memcpy(field, text, length);
    }
    std::memset(field + length, 0, size - length);
}

int MenuItemCursor::first(unsigned char& more)
{
    more = 1;
    return PluginCommand::kFirst;
}

int MenuItemCursor::next(unsigned char& more)
{
    ++current_;
    const int command = current_;
    if (current_ >= PluginCommand::kLast) {
        more = 0;
        current_ = PluginCommand::kFirst;
    }
    return command;
}

void fillMenuItem(TMenuItem& item, int pluginId, int commandId, bool accountsOpen)
{
    item.pluginId = pluginId;
    item.commandId = commandId;
    copyToField(item.text, sizeof item.text, pluginCommandText(commandId));
    item.enabled = accountsOpen ? 1 : 0;
    item.reserved2 = 0;
}

} // namespace mail
