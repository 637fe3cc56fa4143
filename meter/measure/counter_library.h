#pragma once
// The performance data helper functions the counters use, as a table bound by name
// from the loaded library. Status values are those of the library: 0 is success.
#include <cstdint>

using PdhStatus = std::int32_t;
using PdhQueryHandle = void*;
using PdhCounterHandle = void*;

constexpr PdhStatus kPdhOk = 0;
// The sizing answer of an enumeration: the lengths were filled in.
constexpr PdhStatus kPdhMoreData = static_cast<PdhStatus>(0x800007D2u);
// Every counter type, including the expert ones; what the interface list asks for.
constexpr std::uint32_t kPerfDetailWizard = 200;

class CounterLibrary {
public:
    virtual ~CounterLibrary() = default;

    // A query on live data (no log file), with user data 1.
    virtual PdhStatus openQuery(PdhQueryHandle* query) = 0;
    virtual PdhStatus addCounter(PdhQueryHandle query, const char* path,
                                 PdhCounterHandle* counter) = 0;
    // Adding by the English name works whatever the system's language, but only
    // newer libraries export it.
    virtual bool hasAddEnglishCounter() const = 0;
    virtual PdhStatus addEnglishCounter(PdhQueryHandle query, const char* path,
                                        PdhCounterHandle* counter) = 0;
    virtual PdhStatus collectQueryData(PdhQueryHandle query) = 0;
    // The counter's value formatted as a long.
    virtual PdhStatus formattedLong(PdhCounterHandle counter, std::int32_t* value) = 0;
    // The counter's value formatted as a 64-bit integer: sizes beyond 2 GiB.
    virtual PdhStatus formattedLarge(PdhCounterHandle counter, std::int64_t* value) = 0;
    // Item names of an object on machine (nullptr: this computer). Either buffer may
    // be null for a sizing call; lengths are in characters, in and out.
    virtual PdhStatus enumObjectItems(const char* machine, const char* object, char* counters,
                                      std::uint32_t* countersLength, char* instances,
                                      std::uint32_t* instancesLength, std::uint32_t detail,
                                      std::uint32_t flags) = 0;
    virtual PdhStatus removeCounter(PdhCounterHandle counter) = 0;
    virtual PdhStatus closeQuery(PdhQueryHandle query) = 0;
};
