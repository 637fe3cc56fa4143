#pragma once
// The performance counter paths and statistic names, by string id. The ids are those
// of the program's string table; the texts live here too so that the portable core
// (and its tests) choose and build paths without a resource module. Every text is
// used exactly as written, odd spacing included: the counter names are matched by the
// system character for character.
#include "meter/measure/platform_facts.h"

#include <array>

namespace CounterPathId {
// Windows 9x statistics (dynamic-data registry value names).
constexpr int kCpu9x = 400;
constexpr int kNetworkReads9x = 401;
constexpr int kNetworkWrites9x = 402;
constexpr int kDiskReads9x = 403;
constexpr int kDiskWrites9x = 404;
// NT family.
constexpr int kServerBytes = 439;
constexpr int kCpuTotalNT4 = 440;
constexpr int kCpu0NT4 = 441;
constexpr int kCpu1NT4 = 442;
constexpr int kNetworkInterface = 450;  // 450-455, "%s" = instance
constexpr int kNetworkObject = 460;     // 460-465
constexpr int kDiskTotal = 470;         // 470-475
constexpr int kProcessTime = 480;       // 480-485, "%s" = process, "%%" = "%"
constexpr int kProcessWorkingSet = 490; // 490-495
constexpr int kUptime = 540;            // 540, 541, 543-545 (no Dutch entry)
constexpr int kCpuTotalNT5 = 600;       // then 603, 606, 609, 612, 615
constexpr int kCpu0NT5 = 601;
constexpr int kCpu1NT5 = 602;
} // namespace CounterPathId

// The text of a path id, or nullptr when the string table has no such entry.
const char* counterPathText(int id);

// Six ids in language order (English, German, Dutch, French, Swedish, Italian);
// 0 marks a language without an entry of its own.
using PathIdSet = std::array<int, kCounterLanguageCount>;

// The language-block of six consecutive ids starting at first.
PathIdSet consecutivePathIds(int first);

// The id to use: English unless the localized choice applies (Windows 2000 or later)
// and the language has an entry; 0 when not even English has one.
int choosePathId(const PathIdSet& ids, const PlatformFacts& facts);
