#pragma once
// Facts about the running system that decide which counters and paths exist,
// fixed once at start-up.
#include <cstdint>

enum CounterLanguage : int {
    kLanguageNone = -1, // not one of ours: the English names are used
    kLanguageEnglish = 0,
    kLanguageGerman = 1,
    kLanguageDutch = 2,
    kLanguageFrench = 3,
    kLanguageSwedish = 4,
    kLanguageItalian = 5,
};
constexpr int kCounterLanguageCount = 6;

struct PlatformFacts {
    bool isNT = false;  // NT family (else Windows 9x)
    bool isNT5 = false; // Windows 2000 or later
    int counterLanguage = kLanguageNone;
};

// The counter language of a keyboard layout value: its primary language id (low 10
// bits) when it is one of the six languages the counter names are known in.
int counterLanguageFromLayout(std::uint32_t keyboardLayout);

// Platform id 2 is the NT family. The input language only matters from Windows 2000
// on, where the counter names are localized; earlier systems keep none.
PlatformFacts makePlatformFacts(std::uint32_t platformId, std::uint32_t majorVersion,
                                std::uint32_t keyboardLayout);
