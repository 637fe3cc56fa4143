#pragma once
// Reading the system's raw performance data: the English counter names (a multi-string
// of alternating index and name entries) and the process object of a performance data
// block. Both come from the registry as untrusted bytes: every offset, length and count
// in them is checked against the bytes actually returned, and anything that does not
// fit reads as nothing rather than past the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Fixed layouts of the block (the same on 32 and 64-bit Windows: the name pointers of
// the object and counter records are 32-bit fields in both).
namespace PerfLayout {
constexpr std::size_t kBlockTotalLength = 20;
constexpr std::size_t kBlockHeaderLength = 24;
constexpr std::size_t kBlockObjectCount = 28;
constexpr std::size_t kBlockSize = 88;

constexpr std::size_t kObjectTotalLength = 0;
constexpr std::size_t kObjectDefinitionLength = 4;
constexpr std::size_t kObjectHeaderLength = 8;
constexpr std::size_t kObjectNameIndex = 12;
constexpr std::size_t kObjectCounterCount = 32;
constexpr std::size_t kObjectInstanceCount = 40;
constexpr std::size_t kObjectSize = 64;

constexpr std::size_t kCounterByteLength = 0;
constexpr std::size_t kCounterNameIndex = 4;
constexpr std::size_t kCounterSizeField = 32;
constexpr std::size_t kCounterOffset = 36;
constexpr std::size_t kCounterSize = 40;

constexpr std::size_t kInstanceByteLength = 0;
constexpr std::size_t kInstanceNameOffset = 16;
constexpr std::size_t kInstanceNameLength = 20;
constexpr std::size_t kInstanceSize = 24;

constexpr std::size_t kCounterBlockLength = 0;
constexpr std::size_t kCounterBlockSize = 4;

// An object that has no instances at all, only one set of counters.
constexpr std::int32_t kNoInstances = -1;
} // namespace PerfLayout

// The entries of a multi-string, in order, stopping at the empty entry that ends it.
// Stricter than the interface list's walk: the names come from a registry value that
// any program may have written.
// A list whose end is not inside the bytes is not a list: the result is empty.
std::vector<std::string> terminatedMultiString(const char* data, std::size_t size);

// Where the processes are in the English counter names.
struct ProcessCounterNames {
    std::string objectIndex;          // the "process" object's index, as text
    std::uint32_t idProcessIndex = 0; // the "id process" counter's index
    bool found() const { return !objectIndex.empty(); }
};

// names: the "Counters" value of the English names. The last match of each wins; an
// index that is not a decimal number is passed over.
ProcessCounterNames findProcessCounterNames(const char* names, std::size_t size);

struct ProcessIdentity {
    std::string name; // in the ANSI code page, first letter upper-cased
    std::uint32_t pid = 0;
};

// Turns an instance name (UTF-16, host order, no terminator) into the ANSI code page.
using NarrowName = std::string (*)(const std::u16string& wide);

// Windows-1252, the code page of the English and Western systems; characters it lacks
// become '?'.
std::string narrowToWindows1252(const std::u16string& wide);

// Names are cut to this many bytes (the system's path limit less the terminator).
constexpr std::size_t kMaxProcessNameBytes = 259;

// The processes in a performance data block: the object whose index is objectIndex,
// each instance's name and the 32-bit "id process" counter, the "_Total" instance left
// out. out is refilled (its storage kept for the next read). Returns false, with out
// empty, when the block holds no such object, the counter is missing, the object has no
// instances (or only the total), or a record does not fit the bytes.
bool readProcessList(const std::uint8_t* data, std::size_t size, std::uint32_t objectIndex,
                     std::uint32_t idProcessIndex, NarrowName narrow,
                     std::vector<ProcessIdentity>& out);
