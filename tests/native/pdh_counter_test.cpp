#include "tests/native/pdh_rig.h"

#include <gtest/gtest.h>

namespace {

struct LanguageCase {
    int language;
    const char* cpu;
    const char* cpu1;
    const char* cpu2;
    const char* disk;
    const char* uptime;
};

const LanguageCase kWindows2000Paths[] = {
    {kLanguageEnglish, R"(\Processor(_Total)\% Processor Time)",
     R"(\Processor(0)\% Processor Time)", R"(\Processor(1)\% Processor Time)",
     R"(\PhysicalDisk(_Total)\Disk Bytes/sec)", R"(\System\System Up Time)"},
    {kLanguageGerman, R"(\Prozessor(_Total)\Prozessorzeit (%))",
     R"(\Prozessor(0)\Prozessorzeit (%))", R"(\Prozessor(1)\Prozessorzeit (%))",
     R"(\Physikalischer Datenträger(_Total)\Bytes/s)", R"(\System\Systembetriebszeit)"},
    {kLanguageDutch, R"(\Processor(_Total)\Percentage processortijd)",
     R"(\Processor(0)\Percentage processortijd)", R"(\Processor(1)\Percentage processortijd)",
     R"(\Fysieke schijf(_Total)\Geschreven en gelezen bytes per seconde)",
     R"(\System\System Up Time)"},
    {kLanguageFrench, R"(\Processeur(_Total)\% Temps processeur)",
     R"(\Processeur(0)\%Temps processeur)", R"(\Processeur(1)\%Temps processeur)",
     R"(\Disque physique(_Total)\Octets disque/s)", R"(\Système\Temps d'activité système)"},
    {kLanguageSwedish, R"(\Processor(_Total)\% processortid)", R"(\Processor(0)\% processortid)",
     R"(\Processor(1)\% processortid)", R"(\Fysisk disk(_Total)\Disk - byte/s)",
     R"(\System\Systemanrop/s)"},
    {kLanguageItalian, R"(\Processore(_Total)\% Tempo processore)",
     R"(\Processore(0)\% Tempo processore)", R"(\Processore(1)\% Tempo processore)",
     R"(\Disco fisico(_Total)\Byte da/a disco/sec)", R"(\Sistema\Tempo di funzionamento sistema)"},
    // A language the names are not known in: English.
    {kLanguageNone, R"(\Processor(_Total)\% Processor Time)", R"(\Processor(0)\% Processor Time)",
     R"(\Processor(1)\% Processor Time)", R"(\PhysicalDisk(_Total)\Disk Bytes/sec)",
     R"(\System\System Up Time)"},
};

} // namespace

TEST(PdhCounterPaths, windows2000PicksTheInputLanguagesNames)
{
    for (const LanguageCase& c : kWindows2000Paths) {
        SCOPED_TRACE(c.language);
        PdhRig rig(true, c.language);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu), c.cpu);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu1), c.cpu1);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu2), c.cpu2);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Disk), c.disk);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Uptime), c.uptime);
    }
}

TEST(PdhCounterPaths, nt4UsesTheEnglishNamesWhateverTheLanguage)
{
    for (int language = kLanguageNone; language < kCounterLanguageCount; ++language) {
        SCOPED_TRACE(language);
        PdhRig rig(false, language);
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu), R"(\System\% Total Processor Time)");
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu1), R"(\Processor(0)\% Processor Time)");
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu2), R"(\Processor(1)\% Processor Time)");
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Disk), R"(\PhysicalDisk(_Total)\Disk Bytes/sec)");
        EXPECT_EQ(rig.firstChoice(PdhCounterKind::Uptime), R"(\System\System Up Time)");
    }
}

TEST(PdhCounterPaths, processorFallsBackToTheEnglishNT4Path)
{
    PdhRig rig(true, kLanguageGerman);
    rig.pdh.paths = {R"(\System\% Total Processor Time)", R"(\Processor(1)\% Processor Time)"};
    PdhCounter total(PdhCounterKind::Cpu);
    PdhCounter second(PdhCounterKind::Cpu2);
    rig.start({&total, &second});

    EXPECT_EQ(total.addedPath(), R"(\System\% Total Processor Time)");
    EXPECT_EQ(second.addedPath(), R"(\Processor(1)\% Processor Time)");
    const std::vector<std::string> expected = {
        "open",
        R"(add \Prozessor(_Total)\Prozessorzeit (%))",
        R"(add \System\% Total Processor Time)",
        R"(add \Prozessor(1)\Prozessorzeit (%))",
        R"(add \Processor(1)\% Processor Time)",
    };
    EXPECT_EQ(rig.pdh.calls, expected);
}

TEST(PdhCounterPaths, diskAndUptimeMakeOneAttemptOnly)
{
    PdhRig rig(true, kLanguageFrench);
    PdhCounter disk(PdhCounterKind::Disk);
    PdhCounter uptime(PdhCounterKind::Uptime);
    rig.start({&disk, &uptime});
    EXPECT_FALSE(disk.isAdded());
    EXPECT_FALSE(uptime.isAdded());
    const std::vector<std::string> expected = {
        "open",
        R"(add \Disque physique(_Total)\Octets disque/s)",
        R"(add \Système\Temps d'activité système)",
    };
    EXPECT_EQ(rig.pdh.calls, expected);
}

TEST(PdhCounterPaths, remoteComputerPrefixesEveryPath)
{
    PdhRig rig;
    rig.env.remote.set("alpha");
    EXPECT_EQ(rig.firstChoice(PdhCounterKind::Cpu),
              R"(\\alpha\Processor(_Total)\% Processor Time)");
    EXPECT_EQ(rig.firstChoice(PdhCounterKind::Uptime), R"(\\alpha\System\System Up Time)");
}

TEST(PdhCounterPaths, unknownLanguageTriesTheEnglishNameAsEnglishWhereTheLibraryCan)
{
    // A Spanish system: the English names of either set do not exist there.
    PdhRig rig(true, kLanguageNone);
    rig.pdh.exportsEnglish = true;
    rig.pdh.englishPaths = {R"(\Processor(_Total)\% Processor Time)", R"(\System\System Up Time)"};
    PdhCounter cpu(PdhCounterKind::Cpu);
    PdhCounter uptime(PdhCounterKind::Uptime);
    rig.start({&cpu, &uptime});
    EXPECT_EQ(cpu.addedPath(), R"(\Processor(_Total)\% Processor Time)");
    EXPECT_EQ(uptime.addedPath(), R"(\System\System Up Time)");
    EXPECT_EQ(rig.pdh.count(R"(add \System\% Total Processor Time)"), 1u);

    // An older library without the English add: the counter stays out, as before.
    PdhRig old(true, kLanguageNone);
    PdhCounter cpuOld(PdhCounterKind::Cpu);
    old.start({&cpuOld});
    EXPECT_FALSE(cpuOld.isAdded());
    EXPECT_EQ(old.pdh.count(R"(addEnglish \Processor(_Total)\% Processor Time)"), 0u);
}

TEST(PdhCounterSample, readsTheFormattedValueAndZeroOnAnyFailure)
{
    PdhRig rig;
    rig.pdh.paths = {R"(\Processor(_Total)\% Processor Time)", R"(\Processor(0)\% Processor Time)"};
    rig.pdh.values[R"(\Processor(_Total)\% Processor Time)"] = 37;
    PdhCounter total(PdhCounterKind::Cpu);
    PdhCounter first(PdhCounterKind::Cpu1);  // added, but its read fails
    PdhCounter second(PdhCounterKind::Cpu2); // never added
    rig.start({&total, &first, &second});
    ASSERT_TRUE(total.isAdded());
    ASSERT_FALSE(second.isAdded());

    for (int tick = 0; tick < 3; ++tick) {
        rig.source.collect();
        EXPECT_EQ(total.value(), 37);
        EXPECT_EQ(first.value(), 0);
        EXPECT_EQ(second.value(), 0);
    }
    rig.pdh.values.erase(R"(\Processor(_Total)\% Processor Time)");
    rig.source.collect();
    EXPECT_EQ(total.value(), 0) << "a failed read must not keep the old value";
}

TEST(PdhCounterSample, onlyAQuerySourceCanHoldIt)
{
    LocalSource local;
    PdhCounter cpu(PdhCounterKind::Cpu);
    local.attach(cpu);
    EXPECT_TRUE(local.start());
    EXPECT_FALSE(cpu.isAdded());
    local.collect();
    EXPECT_EQ(cpu.value(), 0);
}
