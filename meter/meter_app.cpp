#include "meter/meter_app.h"

#include "common/win/winsock_session.h"
#include "meter/command_line.h"
#include "meter/measure/counter_sources_win.h"
#include "meter/measure/pdh_library_win.h"
#include "meter/measure/perf_stats_registry_win.h"
#include "meter/measure/platform_facts_win.h"
#include "meter/meter_window.h"
#include "meter/win32_registry_key.h"

#include <commctrl.h>

int MeterApp::run()
{
    // Started before anything that may open a socket and cleaned up after the window
    // and its plug-in are gone.
    WinsockSession winsock;

    ProgramContext context;
    context.winsockStarted = winsock.started();
    context.profileName = profileNameFromCommandLine(GetCommandLineA());
    context.programFolder = programFolder();

    CounterEnvironment environment;
    environment.facts = readPlatformFacts();
    context.family = environment.facts.isNT ? PlatformFamily::NT : PlatformFamily::Win9x;

    // Without its sources the program cannot measure anything: the loader has told the
    // user why, and the program ends before showing a window.
    std::unique_ptr<CounterSources> sources = createCounterSources(environment);
    if (!sources)
        return 1;
    context.sources = sources.get();
    context.environment = &environment;
    context.library = environment.facts.isNT ? processCounterLibraryLoader().library() : nullptr;
    SystemTickClock clock;
    context.clock = &clock;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    {
        MeterWindow window(context);
        window.run();
        // The window's meters stop using the sources before these go.
    }
    sources.reset();
    return 0;
}
