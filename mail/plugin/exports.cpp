// The library's boundary: the eighteen exports. Each translates its arguments, hands
// the work to the manager and lets nothing escape: a failure leaves a trace for a
// debugger and the export's safe result.
#include "mail/plugin/mail_exports.h"

#include "mail/plugin/plugin_instance.h"

#include <windows.h>

#include <string>

using mail::mailManager;

namespace {

template <typename Result, typename Work> Result guarded(const char* name, Result safe, Work work)
{
    try {
        return work();
    } catch (...) {
        const std::string trace = std::string("Mail: ") + name + " failed by an exception\n";
        OutputDebugStringA(trace.c_str());
        return safe;
    }
}

std::string textOf(const char* text)
{
    return text ? std::string(text) : std::string();
}

} // namespace

HBBool MAIL_CALL HBInitialize(TEnvironment* environment)
{
    return guarded<HBBool>("HBInitialize", 0, [&] {
        if (environment != nullptr) {
            HBSetEnvironment(*environment);
        }
        return HBBool(HBOnLoadApp(1) == 0 ? 1 : 0);
    });
}

HBBool MAIL_CALL HBUninitialize()
{
    HBOnUnLoadApp(1);
    return 1;
}

void MAIL_CALL HBSetEnvironment(const TEnvironment& environment)
{
    guarded<int>("HBSetEnvironment", 0, [&] {
        mailManager().setEnvironment(environment);
        return 0;
    });
}

void MAIL_CALL HBGetEnvironment(TEnvironment& environment)
{
    guarded<int>("HBGetEnvironment", 0, [&] {
        mailManager().getEnvironment(environment);
        return 0;
    });
}

int MAIL_CALL HBOnLoadApp(int pluginId)
{
    return guarded<int>("HBOnLoadApp", 0, [&] {
        mailManager().onLoadApp(pluginId);
        return 0;
    });
}

int MAIL_CALL HBOnUnLoadApp(int)
{
    return guarded<int>("HBOnUnLoadApp", 0, [&] {
        mailManager().onUnLoadApp();
        return 0;
    });
}

int MAIL_CALL HBLoadAccount(const char* folder)
{
    return HBOnOpenAccount(folder) == 0 ? 1 : 0;
}

int MAIL_CALL HBOnOpenAccount(const char* folder)
{
    return guarded<int>("HBOnOpenAccount", 1,
                        [&] { return mailManager().openAccounts(textOf(folder)) ? 0 : 1; });
}

int MAIL_CALL HBSaveAccount()
{
    HBOnSaveAccount();
    return 1;
}

int MAIL_CALL HBOnSaveAccount()
{
    return guarded<int>("HBOnSaveAccount", 0, [&] {
        mailManager().saveAccounts();
        return 0;
    });
}

int MAIL_CALL HBCloseAccount()
{
    HBOnCloseAccount();
    return 1;
}

int MAIL_CALL HBOnCloseAccount()
{
    return guarded<int>("HBOnCloseAccount", 0, [&] {
        mailManager().closeAccounts();
        return 0;
    });
}

HBBool MAIL_CALL HBAddMenuItem(const char* text, int id)
{
    return guarded<HBBool>("HBAddMenuItem", 1, [&] {
        mailManager().addMenuItem(textOf(text), id);
        return HBBool(1);
    });
}

int MAIL_CALL HBGetPluginInfo(TPluginInfo* info)
{
    return guarded<int>("HBGetPluginInfo", 0, [&] {
        if (info != nullptr) {
            mailManager().fillPluginInfo(*info);
        }
        return 0;
    });
}

int MAIL_CALL HBGetFirstMenuItem(TMenuItem* item, unsigned char* more)
{
    return guarded<int>("HBGetFirstMenuItem", 0, [&] {
        if (item != nullptr && more != nullptr) {
            mailManager().firstMenuItem(*item, *more);
        }
        return 0;
    });
}

int MAIL_CALL HBGetNextMenuItem(TMenuItem* item, unsigned char* more)
{
    return guarded<int>("HBGetNextMenuItem", 0, [&] {
        if (item != nullptr && more != nullptr) {
            mailManager().nextMenuItem(*item, *more);
        }
        return 0;
    });
}

int MAIL_CALL HBOnMenuItemClicked(int commandId)
{
    return guarded<int>("HBOnMenuItemClicked", 0, [&] {
        mailManager().menuItemClicked(commandId);
        return 0;
    });
}

int MAIL_CALL HBOnImportAccount(const char* sourceFolder, const char* destinationFolder)
{
    return guarded<int>("HBOnImportAccount", 0, [&] {
        mailManager().importAccount(textOf(sourceFolder), textOf(destinationFolder));
        return 0;
    });
}
