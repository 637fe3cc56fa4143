#include "mail/plugin/plugin_instance.h"

#include "mail/plugin/pending_parts.h"
#include "mail/plugin/plugin_platform_win.h"

namespace mail {

CMailManager& mailManager()
{
    static WinPluginPlatform platform;
    static PendingPluginParts parts;
    static CMailManager manager(platform, parts);
    return manager;
}

} // namespace mail
