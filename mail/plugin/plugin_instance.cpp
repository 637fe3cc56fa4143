#include "mail/plugin/plugin_instance.h"

#include "mail/plugin/plugin_platform_win.h"
#include "mail/plugin/plugin_windows.h"

namespace mail {

CMailManager& mailManager()
{
    static WinPluginPlatform platform;
    static PluginWindows parts(pluginModule(), platform.transports());
    static CMailManager manager(platform, parts);
    static const bool attached = (parts.attach(manager), true);
    (void)attached;
    return manager;
}

} // namespace mail
