#pragma once
// A performance data query over a scripted library, as the program sets one up.
#include "meter/measure/pdh_counter.h"
#include "meter/measure/pdh_query_source.h"
#include "tests/native/scripted_counter_library.h"

struct PdhRig {
    ScriptedCounterLibrary pdh;
    ScriptedLibraryPlatform platform{pdh};
    CounterLibraryLoader loader{platform};
    CounterEnvironment env;
    PdhQuerySource source{loader, env};

    explicit PdhRig(bool nt5 = true, int language = kLanguageEnglish)
    {
        env.facts.isNT = true;
        env.facts.isNT5 = nt5;
        env.facts.counterLanguage = language;
    }

    // Attaches and starts the counters, as a restart of the meters does.
    bool start(std::initializer_list<MeterCounter*> counters)
    {
        if (!source.Initialize())
            return false;
        for (MeterCounter* c : counters)
            source.attach(*c);
        return source.start();
    }

    // The path a counter of this kind tries first: the one it keeps when every path
    // exists.
    std::string firstChoice(PdhCounterKind kind)
    {
        pdh.acceptAll = true;
        PdhCounter counter(kind);
        start({&counter});
        const std::string path = counter.addedPath();
        source.stop();
        return path;
    }
};
