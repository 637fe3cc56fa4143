#include "meter/measure/counter_paths.h"
#include "meter/measure/nt4_notices.h"
#include "meter/measure/platform_facts.h"
#include "meter/measure/remote_computer.h"

#include <gtest/gtest.h>

TEST(PlatformFacts, languageFromThePrimaryLanguageOfTheInputLayout)
{
    EXPECT_EQ(counterLanguageFromLayout(0x04090409), kLanguageEnglish);
    EXPECT_EQ(counterLanguageFromLayout(0x08090809), kLanguageEnglish); // British
    EXPECT_EQ(counterLanguageFromLayout(0x04070407), kLanguageGerman);
    EXPECT_EQ(counterLanguageFromLayout(0x08070807), kLanguageGerman); // Swiss
    EXPECT_EQ(counterLanguageFromLayout(0x04130413), kLanguageDutch);
    EXPECT_EQ(counterLanguageFromLayout(0x040C040C), kLanguageFrench);
    EXPECT_EQ(counterLanguageFromLayout(0x041D041D), kLanguageSwedish);
    EXPECT_EQ(counterLanguageFromLayout(0x04100410), kLanguageItalian);
    EXPECT_EQ(counterLanguageFromLayout(0x0C0A0C0A), kLanguageNone); // Spanish
    EXPECT_EQ(counterLanguageFromLayout(0x04150415), kLanguageNone); // Polish
    EXPECT_EQ(counterLanguageFromLayout(0), kLanguageNone);
}

TEST(PlatformFacts, languageOnlyFromWindows2000On)
{
    const PlatformFacts nt4 = makePlatformFacts(2, 4, 0x04070407);
    EXPECT_TRUE(nt4.isNT);
    EXPECT_FALSE(nt4.isNT5);
    EXPECT_EQ(nt4.counterLanguage, kLanguageNone);

    const PlatformFacts xp = makePlatformFacts(2, 5, 0x04070407);
    EXPECT_TRUE(xp.isNT5);
    EXPECT_EQ(xp.counterLanguage, kLanguageGerman);

    const PlatformFacts me = makePlatformFacts(1, 4, 0x04070407);
    EXPECT_FALSE(me.isNT);
    EXPECT_FALSE(me.isNT5);
}

TEST(choosePathId, localizedOnlyWhereAnEntryExists)
{
    const PathIdSet uptime{540, 541, 0, 543, 544, 545};
    EXPECT_EQ(choosePathId(uptime, {true, true, kLanguageGerman}), 541);
    EXPECT_EQ(choosePathId(uptime, {true, true, kLanguageDutch}), 540);
    EXPECT_EQ(choosePathId(uptime, {true, true, kLanguageNone}), 540);
    EXPECT_EQ(choosePathId(uptime, {true, false, kLanguageItalian}), 540);
    EXPECT_EQ(choosePathId(uptime, {true, true, 17}), 540) << "out of range: English";
    EXPECT_EQ(choosePathId(PathIdSet{}, {true, true, kLanguageFrench}), 0);
}

TEST(counterPathText, textsAsTheSystemSpellsThem)
{
    EXPECT_STREQ(counterPathText(400), "KERNEL\\CPUUsage");
    EXPECT_STREQ(counterPathText(439), "\\Server\\Bytes Total/sec");
    EXPECT_STREQ(counterPathText(610), "\\Processeur(0)\\%Temps processeur"); // no blank
    EXPECT_STREQ(counterPathText(609), "\\Processeur(_Total)\\% Temps processeur");
    EXPECT_STREQ(counterPathText(480), "\\Process(%s)\\%% Processor Time");
    // Windows-1252 bytes, as the system compares them.
    EXPECT_STREQ(counterPathText(463), "Interface r\xE9seau");
    EXPECT_STREQ(counterPathText(494), "\\Process(%s)\\Aktiv sidm\xE4ngd");
    EXPECT_EQ(counterPathText(542), nullptr) << "no Dutch uptime entry";
    EXPECT_EQ(counterPathText(0), nullptr);
    for (int id : {400, 404, 439, 442, 455, 465, 475, 485, 495, 540, 545, 600, 617})
        EXPECT_NE(counterPathText(id), nullptr) << id;
}

TEST(RemoteComputer, normalizesToTwoBackslashes)
{
    EXPECT_EQ(RemoteComputer("alpha").fullForm(), "\\\\alpha");
    EXPECT_EQ(RemoteComputer("\\alpha").fullForm(), "\\\\alpha");
    EXPECT_EQ(RemoteComputer("\\\\alpha").fullForm(), "\\\\alpha");
    EXPECT_EQ(RemoteComputer("\\\\alpha").bareForm(), "alpha");
    EXPECT_EQ(RemoteComputer("\\\\").fullForm(), "");
    EXPECT_EQ(RemoteComputer("\\").fullForm(), "");
    EXPECT_EQ(RemoteComputer("").fullForm(), "");
    EXPECT_FALSE(RemoteComputer("\\\\").isSet());
    EXPECT_EQ(RemoteComputer("\\\\").bareForm(), "");
    EXPECT_EQ(RemoteComputer("x").fullForm(), "\\\\x");
}

TEST(nt4CounterNotice, onlyForNetworkAndDiskOnNT4)
{
    const PlatformFacts nt4 = makePlatformFacts(2, 4, 0x0409);
    const char* disk = nt4CounterNotice(MeterKind::DiskGraph, nt4);
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(std::string(disk).substr(0, 64),
              "Disk performance counters are OFF by default in Windows NT 4. To");
    EXPECT_NE(std::string(disk).find("value of \"Diskperf\" to \"Boot\", then"), std::string::npos);
    const char* network = nt4CounterNotice(MeterKind::NetGraph, nt4);
    ASSERT_NE(network, nullptr);
    EXPECT_NE(std::string(network).find("traffic.\n\nTo install"), std::string::npos);

    EXPECT_EQ(nt4CounterNotice(MeterKind::Cpu, nt4), nullptr);
    EXPECT_EQ(nt4CounterNotice(MeterKind::DiskGraph, makePlatformFacts(2, 5, 0x0409)), nullptr);
    EXPECT_EQ(nt4CounterNotice(MeterKind::NetGraph, makePlatformFacts(1, 4, 0x0409)), nullptr);
}
