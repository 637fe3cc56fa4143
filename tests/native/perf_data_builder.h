#pragma once
// Builds performance data blocks the way the system lays them out: the block header,
// then one object per request with its counter definitions and instances, each instance
// followed by its counter block. Tests then read them whole, cut or with lying fields.
#include "meter/measure/perf_data_block.h"

#include <cstdint>
#include <string>
#include <vector>

struct PerfInstanceSpec {
    std::u16string name;
    std::uint32_t pid = 0;
};

struct PerfObjectSpec {
    std::uint32_t nameIndex = 230;
    std::uint32_t idProcessIndex = 784; // 0: the object has no such counter
    std::vector<PerfInstanceSpec> instances;
    bool noInstances = false; // the count field says -1
};

// Where the interesting fields of the last built block are.
struct PerfBlockMap {
    std::size_t object = 0;        // start of the process object
    std::size_t firstInstance = 0; // start of its first instance
};

class PerfDataBuilder {
public:
    // Counter layout of every instance: a 64-bit processor time at 8, the id at 16.
    static constexpr std::uint32_t kTimeIndex = 6;
    static constexpr std::uint32_t kPidOffset = 16;
    static constexpr std::uint32_t kCounterBlockLength = 24;

    std::vector<std::uint8_t> build(const std::vector<PerfObjectSpec>& objects)
    {
        using namespace PerfLayout;
        bytes_.assign(kBlockSize, 0);
        const char16_t signature[] = u"PERF";
        for (std::size_t i = 0; i < 4; ++i)
            put16(2 * i, signature[i]);
        put32(8, 1); // little-endian
        put32(kBlockHeaderLength, kBlockSize);
        put32(kBlockObjectCount, static_cast<std::uint32_t>(objects.size()));
        for (const PerfObjectSpec& o : objects)
            addObject(o);
        put32(kBlockTotalLength, static_cast<std::uint32_t>(bytes_.size()));
        return bytes_;
    }

    // A block of one process object with these (name, pid) instances.
    std::vector<std::uint8_t> processes(const std::vector<PerfInstanceSpec>& instances)
    {
        PerfObjectSpec o;
        o.instances = instances;
        return build({o});
    }

    const PerfBlockMap& map() const { return map_; }

private:
    void addObject(const PerfObjectSpec& o)
    {
        using namespace PerfLayout;
        const std::size_t start = bytes_.size();
        const std::uint32_t counters = o.idProcessIndex != 0 ? 2 : 1;
        const std::size_t definition = kObjectSize + counters * kCounterSize;
        bytes_.resize(start + definition, 0);
        put32(start + kObjectDefinitionLength, static_cast<std::uint32_t>(definition));
        put32(start + kObjectHeaderLength, kObjectSize);
        put32(start + kObjectNameIndex, o.nameIndex);
        put32(start + kObjectCounterCount, counters);
        put32(start + kObjectInstanceCount, o.noInstances
                                                ? static_cast<std::uint32_t>(kNoInstances)
                                                : static_cast<std::uint32_t>(o.instances.size()));
        addCounter(start + kObjectSize, kTimeIndex, 8, 8);
        if (o.idProcessIndex != 0)
            addCounter(start + kObjectSize + kCounterSize, o.idProcessIndex, 4, kPidOffset);
        map_.object = start;
        map_.firstInstance = bytes_.size();
        if (o.noInstances) {
            addCounterBlock(0);
        } else {
            for (const PerfInstanceSpec& i : o.instances)
                addInstance(i);
        }
        put32(start + kObjectTotalLength, static_cast<std::uint32_t>(bytes_.size() - start));
    }

    void addCounter(std::size_t at, std::uint32_t index, std::uint32_t size, std::uint32_t offset)
    {
        using namespace PerfLayout;
        put32(at + kCounterByteLength, kCounterSize);
        put32(at + kCounterNameIndex, index);
        put32(at + kCounterSizeField, size);
        put32(at + kCounterOffset, offset);
    }

    void addInstance(const PerfInstanceSpec& i)
    {
        using namespace PerfLayout;
        const std::size_t start = bytes_.size();
        const std::size_t nameBytes = (i.name.size() + 1) * 2;
        const std::size_t length = kInstanceSize + (nameBytes + 7) / 8 * 8;
        bytes_.resize(start + length, 0);
        put32(start + kInstanceByteLength, static_cast<std::uint32_t>(length));
        put32(start + kInstanceNameOffset, static_cast<std::uint32_t>(kInstanceSize));
        put32(start + kInstanceNameLength, static_cast<std::uint32_t>(nameBytes));
        for (std::size_t c = 0; c < i.name.size(); ++c)
            put16(start + kInstanceSize + 2 * c, i.name[c]);
        addCounterBlock(i.pid);
    }

    void addCounterBlock(std::uint32_t pid)
    {
        const std::size_t start = bytes_.size();
        bytes_.resize(start + kCounterBlockLength, 0);
        put32(start, kCounterBlockLength);
        put32(start + kPidOffset, pid);
    }

    void put16(std::size_t at, char16_t v)
    {
        bytes_[at] = static_cast<std::uint8_t>(v);
        bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void put32(std::size_t at, std::uint32_t v)
    {
        for (std::size_t i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::vector<std::uint8_t> bytes_;
    PerfBlockMap map_;
};

inline void poke32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
