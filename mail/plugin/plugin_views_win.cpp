// Joined in with the dialogs and notification windows.
#include "mail/plugin/plugin_windows.h"

namespace mail {

void PluginWindows::notifyUser(const Notification&, const CMailAccount&)
{
}
void PluginWindows::showLogWindow()
{
}
void PluginWindows::addAccount()
{
}
void PluginWindows::removeAccount()
{
}

} // namespace mail
