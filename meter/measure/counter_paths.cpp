#include "meter/measure/counter_paths.h"

#include <algorithm>
#include <iterator>

namespace {

struct PathEntry {
    int id;
    const char* text;
};

// Raw strings: a backslash is one character of the path.
constexpr PathEntry kPaths[] = {
    {400, R"p(KERNEL\CPUUsage)p"},
    {401, R"p(SMBRedir\BReadsSec)p"},
    {402, R"p(SMBRedir\BWritesSec)p"},
    {403, R"p(VFAT\BReadsSec)p"},
    {404, R"p(VFAT\BWritesSec)p"},
    {439, R"p(\Server\Bytes Total/sec)p"},
    {440, R"p(\System\% Total Processor Time)p"},
    {441, R"p(\Processor(0)\% Processor Time)p"},
    {442, R"p(\Processor(1)\% Processor Time)p"},
    {450, R"p(\Network Interface(%s)\Bytes Total/sec)p"},
    {451, R"p(\Netzwerkschnittstelle(%s)\Gesamtanzahl Bytes/s)p"},
    {452, R"p(\Netwerkinterface(%s)\Totaal aantal bytes per seconde)p"},
    {453, R"p(\Interface réseau(%s)\Total des octets/sec)p"},
    {454, R"p(\Nätverksgränssnitt(%s)\Totalt antal byte/s)p"},
    {455, R"p(\Interfaccia di rete(%s)\Byte totali/sec)p"},
    {460, R"p(Network Interface)p"},
    {461, R"p(Netzwerkschnittstelle)p"},
    {462, R"p(Netwerkinterface)p"},
    {463, R"p(Interface réseau)p"},
    {464, R"p(Nätverksgränssnitt)p"},
    {465, R"p(Interfaccia di rete)p"},
    {470, R"p(\PhysicalDisk(_Total)\Disk Bytes/sec)p"},
    {471, R"p(\Physikalischer Datenträger(_Total)\Bytes/s)p"},
    {472, R"p(\Fysieke schijf(_Total)\Geschreven en gelezen bytes per seconde)p"},
    {473, R"p(\Disque physique(_Total)\Octets disque/s)p"},
    {474, R"p(\Fysisk disk(_Total)\Disk - byte/s)p"},
    {475, R"p(\Disco fisico(_Total)\Byte da/a disco/sec)p"},
    {480, R"p(\Process(%s)\%% Processor Time)p"},
    {481, R"p(\Prozess(%s)\Prozessorzeit (%%))p"},
    {482, R"p(\Proces(%s)\Percentage processortijd)p"},
    {483, R"p(\Processus(%s)\%% Temps processeur)p"},
    {484, R"p(\Process(%s)\%% processortid)p"},
    {485, R"p(\Processo(%s)\%% Tempo processore)p"},
    {490, R"p(\Process(%s)\Working Set)p"},
    {491, R"p(\Prozess(%s)\Arbeitsseiten)p"},
    {492, R"p(\Proces(%s)\Werkset)p"},
    {493, R"p(\Processus(%s)\Jeu de travail)p"},
    {494, R"p(\Process(%s)\Aktiv sidmängd)p"},
    {495, R"p(\Processo(%s)\Insieme di lavoro)p"},
    {540, R"p(\System\System Up Time)p"},
    {541, R"p(\System\Systembetriebszeit)p"},
    {543, R"p(\Système\Temps d'activité système)p"},
    {544, R"p(\System\Systemanrop/s)p"},
    {545, R"p(\Sistema\Tempo di funzionamento sistema)p"},
    {600, R"p(\Processor(_Total)\% Processor Time)p"},
    {601, R"p(\Processor(0)\% Processor Time)p"},
    {602, R"p(\Processor(1)\% Processor Time)p"},
    {603, R"p(\Prozessor(_Total)\Prozessorzeit (%))p"},
    {604, R"p(\Prozessor(0)\Prozessorzeit (%))p"},
    {605, R"p(\Prozessor(1)\Prozessorzeit (%))p"},
    {606, R"p(\Processor(_Total)\Percentage processortijd)p"},
    {607, R"p(\Processor(0)\Percentage processortijd)p"},
    {608, R"p(\Processor(1)\Percentage processortijd)p"},
    {609, R"p(\Processeur(_Total)\% Temps processeur)p"},
    {610, R"p(\Processeur(0)\%Temps processeur)p"},
    {611, R"p(\Processeur(1)\%Temps processeur)p"},
    {612, R"p(\Processor(_Total)\% processortid)p"},
    {613, R"p(\Processor(0)\% processortid)p"},
    {614, R"p(\Processor(1)\% processortid)p"},
    {615, R"p(\Processore(_Total)\% Tempo processore)p"},
    {616, R"p(\Processore(0)\% Tempo processore)p"},
    {617, R"p(\Processore(1)\% Tempo processore)p"},
};

} // namespace

const char* counterPathText(int id)
{
    const auto it = std::find_if(std::begin(kPaths), std::end(kPaths),
                                 [id](const PathEntry& e) { return e.id == id; });
    return it == std::end(kPaths) ? nullptr : it->text;
}

PathIdSet consecutivePathIds(int first)
{
    PathIdSet ids{};
    for (int i = 0; i < kCounterLanguageCount; ++i)
        ids[static_cast<std::size_t>(i)] = first + i;
    return ids;
}

int choosePathId(const PathIdSet& ids, const PlatformFacts& facts)
{
    int id = 0;
    if (facts.isNT5 && facts.counterLanguage >= 0 && facts.counterLanguage < kCounterLanguageCount)
        id = ids[static_cast<std::size_t>(facts.counterLanguage)];
    return id != 0 ? id : ids[kLanguageEnglish];
}
