#include "meter/measure/perf_data_block.h"

#include <cstring>

namespace {

// A view of the returned bytes that answers every read with "does not fit" rather than
// reading beyond them. Offsets are 64-bit so that adding two 32-bit fields cannot wrap.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool fits(std::uint64_t at, std::uint64_t length) const
    {
        return at <= size_ && length <= size_ - at;
    }
    bool u32(std::uint64_t at, std::uint32_t* v) const
    {
        if (!fits(at, 4))
            return false;
        const std::uint8_t* p = data_ + at;
        *v = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
             static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        return true;
    }
    char16_t u16(std::uint64_t at) const
    {
        return static_cast<char16_t>(data_[at] | data_[at + 1] << 8);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

char upperFirst(char c)
{
    const auto u = static_cast<unsigned char>(c);
    // ASCII and the Latin letters of the code page (but not the division sign).
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<char>(u - 0x20);
    return c;
}

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    const std::size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool parseIndex(const std::string& text, std::uint32_t* value)
{
    if (text.empty() || text.size() > 9)
        return false;
    std::uint32_t v = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<std::uint32_t>(c - '0');
    }
    *value = v;
    return true;
}

// The offset (within each instance's counter block) of the 32-bit counter with the
// given name index, or false.
bool findCounterOffset(const Bytes& b, std::uint64_t object, std::uint64_t objectEnd,
                       std::uint32_t nameIndex, std::uint32_t* offset)
{
    using namespace PerfLayout;
    std::uint32_t headerLength = 0, count = 0;
    if (!b.u32(object + kObjectHeaderLength, &headerLength) ||
        !b.u32(object + kObjectCounterCount, &count))
        return false;
    std::uint64_t at = object + headerLength;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = 0, index = 0, where = 0;
        if (at + kCounterSize > objectEnd || !b.u32(at + kCounterByteLength, &length) ||
            !b.u32(at + kCounterNameIndex, &index) || !b.u32(at + kCounterOffset, &where))
            return false;
        if (index == nameIndex) {
            *offset = where;
            return true;
        }
        // A record shorter than its own fields would never move on.
        if (length < kCounterSize)
            return false;
        at += length;
    }
    return false;
}

// The first object whose name index is objectIndex: its start and end.
bool findObject(const Bytes& b, std::uint32_t objectIndex, std::uint64_t* start, std::uint64_t* end)
{
    using namespace PerfLayout;
    static const char16_t kSignature[] = u"PERF";
    if (!b.fits(0, kBlockSize))
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (b.u16(2 * i) != kSignature[i])
            return false;
    std::uint32_t headerLength = 0, objects = 0;
    b.u32(kBlockHeaderLength, &headerLength);
    b.u32(kBlockObjectCount, &objects);
    std::uint64_t at = headerLength;
    for (std::uint32_t i = 0; i < objects; ++i) {
        std::uint32_t total = 0, definition = 0, index = 0;
        if (!b.fits(at, kObjectSize))
            return false;
        b.u32(at + kObjectTotalLength, &total);
        b.u32(at + kObjectDefinitionLength, &definition);
        b.u32(at + kObjectNameIndex, &index);
        if (total < kObjectSize || definition < kObjectSize || definition > total ||
            !b.fits(at, total))
            return false;
        if (index == objectIndex) {
            *start = at;
            *end = at + total;
            return true;
        }
        at += total;
    }
    return false;
}

// One instance's name, cut at its terminator, its recorded length or the name limit.
bool readInstanceName(const Bytes& b, std::uint64_t instance, std::uint64_t limit,
                      NarrowName narrow, std::u16string& wide, std::string* name)
{
    using namespace PerfLayout;
    std::uint32_t offset = 0, length = 0;
    b.u32(instance + kInstanceNameOffset, &offset);
    b.u32(instance + kInstanceNameLength, &length);
    const std::uint64_t start = instance + offset;
    if (start > limit || length > limit - start)
        return false;
    wide.clear();
    for (std::uint64_t i = 0; i + 1 < length && wide.size() < kMaxProcessNameBytes; i += 2) {
        const char16_t c = b.u16(start + i);
        if (c == 0)
            break;
        wide.push_back(c);
    }
    *name = narrow(wide);
    if (name->size() > kMaxProcessNameBytes)
        name->resize(kMaxProcessNameBytes);
    return true;
}

} // namespace

std::vector<std::string> terminatedMultiString(const char* data, std::size_t size)
{
    std::vector<std::string> entries;
    std::size_t at = 0;
    while (at < size) {
        const void* nul = std::memchr(data + at, 0, size - at);
        if (nul == nullptr)
            break;
        const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        if (end == at)
            return entries; // the empty entry that ends the list
        entries.emplace_back(data + at, end - at);
        at = end + 1;
    }
    return {};
}

ProcessCounterNames findProcessCounterNames(const char* names, std::size_t size)
{
    ProcessCounterNames found;
    const std::vector<std::string> entries = terminatedMultiString(names, size);
    std::uint32_t index = 0;
    for (std::size_t i = 1; i < entries.size(); i += 2) {
        const std::string& indexText = entries[i - 1];
        if (!parseIndex(indexText, &index))
            continue;
        if (equalsIgnoringCase(entries[i], "process"))
            found.objectIndex = indexText;
        else if (equalsIgnoringCase(entries[i], "id process"))
            found.idProcessIndex = index;
    }
    return found;
}

std::string narrowToWindows1252(const std::u16string& wide)
{
    // 0x80 to 0x9F of the code page; 0 where it has no character.
    static const char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string out;
    out.reserve(wide.size());
    for (const char16_t c : wide) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] != 0 && kHigh[i] == c)
                mapped = static_cast<char>(0x80 + i);
        out.push_back(mapped);
    }
    return out;
}

bool readProcessList(const std::uint8_t* data, std::size_t size, std::uint32_t objectIndex,
                     std::uint32_t idProcessIndex, NarrowName narrow,
                     std::vector<ProcessIdentity>& out)
{
    using namespace PerfLayout;
    out.clear();
    if (data == nullptr)
        return false;
    const Bytes b(data, size);
    std::uint64_t object = 0, objectEnd = 0;
    std::uint32_t pidOffset = 0, definition = 0, rawCount = 0;
    if (!findObject(b, objectIndex, &object, &objectEnd) ||
        !findCounterOffset(b, object, objectEnd, idProcessIndex, &pidOffset))
        return false;
    b.u32(object + kObjectDefinitionLength, &definition);
    b.u32(object + kObjectInstanceCount, &rawCount);
    const auto count = static_cast<std::int32_t>(rawCount);
    // No instances (the object's own counters only), or only the total.
    if (count == kNoInstances || count <= 1)
        return false;

    std::u16string wide;
    std::uint64_t at = object + definition;
    std::int32_t read = 0;
    for (; read < count; ++read) {
        std::uint32_t length = 0, blockLength = 0, pid = 0;
        if (at + kInstanceSize > objectEnd || !b.u32(at + kInstanceByteLength, &length) ||
            length < kInstanceSize)
            break;
        const std::uint64_t counters = at + length;
        if (counters + kCounterBlockSize > objectEnd ||
            !b.u32(counters + kCounterBlockLength, &blockLength) ||
            blockLength < kCounterBlockSize || blockLength > objectEnd - counters ||
            pidOffset > blockLength || blockLength - pidOffset < 4 ||
            !b.u32(counters + pidOffset, &pid))
            break;
        ProcessIdentity process;
        if (!readInstanceName(b, at, counters, narrow, wide, &process.name))
            break;
        at = counters + blockLength;
        if (equalsIgnoringCase(process.name, "_total"))
            continue;
        if (!process.name.empty())
            process.name[0] = upperFirst(process.name[0]);
        process.pid = pid;
        out.push_back(std::move(process));
    }
    // A record that does not fit makes the whole block suspect.
    if (read < count)
        out.clear();
    return !out.empty();
}
