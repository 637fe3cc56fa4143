#include "meter/measure/platform_facts.h"

int counterLanguageFromLayout(std::uint32_t keyboardLayout)
{
    switch (keyboardLayout & 0x3FFu) {
    case 9:
        return kLanguageEnglish;
    case 7:
        return kLanguageGerman;
    case 19:
        return kLanguageDutch;
    case 12:
        return kLanguageFrench;
    case 29:
        return kLanguageSwedish;
    case 16:
        return kLanguageItalian;
    default:
        return kLanguageNone;
    }
}

PlatformFacts makePlatformFacts(std::uint32_t platformId, std::uint32_t majorVersion,
                                std::uint32_t keyboardLayout)
{
    PlatformFacts facts;
    facts.isNT = platformId == 2;
    facts.isNT5 = majorVersion > 4;
    if (facts.isNT5)
        facts.counterLanguage = counterLanguageFromLayout(keyboardLayout);
    return facts;
}
