// The raw performance data the process meter reads from the registry: the English
// counter names (a multi-string) and the performance data block, both any bytes another
// program or a broken system may return; then the process list those give the tracker.
//
// The multi-string reader agrees with a plain walk written here; the counter names it
// finds are entries of the list followed by their names. The block reader returns only
// what is inside the bytes (each instance name, each id), never more processes than the
// bytes have room for, no "_Total", and a block it read reads the same with bytes after
// it. A block built the way the system lays it out reads as exactly what was put in.
// The tracker follows only current processes, numbers each name's instances 0..n-1 and
// holds exactly the counters it added and did not remove.
#include "fuzz_support.h"
#include "meter/measure/perf_data_block.h"
#include "meter/measure/process_tracker.h"
#include "tests/native/perf_data_builder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The entries of a multi-string up to its empty entry; no list at all when the bytes
// end before that entry.
std::vector<std::string> referenceEntries(const std::string& bytes)
{
    std::vector<std::string> entries;
    std::string entry;
    for (const char c : bytes) {
        if (c != '\0') {
            entry += c;
            continue;
        }
        if (entry.empty())
            return entries;
        entries.push_back(entry);
        entry.clear();
    }
    return {};
}

bool isIndex(const std::string& text)
{
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void checkCounterNames(const std::string& bytes)
{
    // An exact-size copy, so that AddressSanitizer sees any read past the end.
    const std::unique_ptr<char[]> copy(new char[bytes.size()]);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    const std::vector<std::string> entries = terminatedMultiString(copy.get(), bytes.size());
    FUZZ_CHECK(entries == referenceEntries(bytes));

    // Pairs of index and name; the last of each name wins.
    std::string objectIndex;
    std::uint32_t idIndex = 0;
    for (std::size_t i = 1; i < entries.size(); i += 2) {
        if (!isIndex(entries[i - 1]))
            continue;
        const std::string name = lowerAscii(entries[i]);
        if (name == "process")
            objectIndex = entries[i - 1];
        else if (name == "id process")
            idIndex = static_cast<std::uint32_t>(std::stoul(entries[i - 1]));
    }
    const ProcessCounterNames found = findProcessCounterNames(copy.get(), bytes.size());
    FUZZ_CHECK(found.objectIndex == objectIndex);
    FUZZ_CHECK(found.idProcessIndex == idIndex);
    FUZZ_CHECK(found.found() == !objectIndex.empty());
}

// `shown` is `name` with its first letter perhaps upper-cased (ASCII or Latin-1).
bool sameButFirstCase(const std::string& name, const std::string& shown)
{
    if (name.size() != shown.size())
        return false;
    if (name.empty())
        return true;
    const auto n = static_cast<unsigned char>(name[0]);
    const auto s = static_cast<unsigned char>(shown[0]);
    return name.compare(1, name.npos, shown, 1, shown.npos) == 0 && (n == s || n == s + 0x20);
}

// The wide names the reader hands to its narrowing, in order.
std::vector<std::u16string>* narrowed = nullptr;

std::string recordingNarrow(const std::u16string& wide)
{
    narrowed->push_back(wide);
    return narrowToWindows1252(wide);
}

bool containsBytes(const Bytes& haystack, const std::uint8_t* needle, std::size_t n)
{
    return std::search(haystack.begin(), haystack.end(), needle, needle + n) != haystack.end();
}

// The block reader's promises for any bytes; returns what it read.
std::vector<ProcessIdentity> checkBlock(const Bytes& block, std::uint32_t objectIndex,
                                        std::uint32_t idIndex)
{
    std::vector<std::u16string> wides;
    narrowed = &wides;
    const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[block.size()]);
    if (!block.empty())
        std::memcpy(copy.get(), block.data(), block.size());
    std::vector<ProcessIdentity> out = {ProcessIdentity{"stale", 1}};
    const bool read = readProcessList(block.empty() ? nullptr : copy.get(), block.size(),
                                      objectIndex, idIndex, recordingNarrow, out);
    FUZZ_CHECK(read == !out.empty());
    // Every process needs at least an instance record and a counter block.
    FUZZ_CHECK(out.size() <= block.size() / (PerfLayout::kInstanceSize + 4));
    FUZZ_CHECK(out.size() <= wides.size());

    for (const std::u16string& wide : wides) {
        FUZZ_CHECK(wide.size() <= kMaxProcessNameBytes);
        FUZZ_CHECK(std::find(wide.begin(), wide.end(), u'\0') == wide.end());
        Bytes le;
        for (const char16_t c : wide) {
            le.push_back(static_cast<std::uint8_t>(c));
            le.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        FUZZ_CHECK(containsBytes(block, le.data(), le.size()));
    }
    for (const ProcessIdentity& p : out) {
        FUZZ_CHECK(p.name.size() <= kMaxProcessNameBytes);
        FUZZ_CHECK(lowerAscii(p.name) != "_total");
        const std::uint8_t pid[4] = {
            static_cast<std::uint8_t>(p.pid), static_cast<std::uint8_t>(p.pid >> 8),
            static_cast<std::uint8_t>(p.pid >> 16), static_cast<std::uint8_t>(p.pid >> 24)};
        FUZZ_CHECK(containsBytes(block, pid, 4));
        // The narrowed form of one of the names read, its first letter perhaps upper-cased.
        FUZZ_CHECK(std::any_of(wides.begin(), wides.end(), [&p](const std::u16string& w) {
            return sameButFirstCase(narrowToWindows1252(w).substr(0, kMaxProcessNameBytes), p.name);
        }));
    }

    // A block that was read depends on nothing after it.
    if (read) {
        Bytes longer = block;
        longer.insert(longer.end(), 64, 0xEE);
        std::vector<std::u16string> more;
        narrowed = &more;
        std::vector<ProcessIdentity> again;
        FUZZ_CHECK(readProcessList(longer.data(), longer.size(), objectIndex, idIndex,
                                   recordingNarrow, again));
        FUZZ_CHECK(again.size() == out.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            FUZZ_CHECK(again[i].name == out[i].name && again[i].pid == out[i].pid);
    }
    narrowed = nullptr;
    return out;
}

std::u16string fuzzName(FuzzedDataProvider& in)
{
    static const char16_t kLetters[] = {u'a', u'B', u'_', u'.', u'\0', 0xE9, 0x20AC, 0x4E2D};
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return u"_Total";
    std::u16string name;
    const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    const char16_t letter = kLetters[in.ConsumeIntegralInRange(0, 7)];
    for (std::size_t i = 0; i < length; ++i)
        name.push_back(i % 3 == 0 ? letter : static_cast<char16_t>(u'a' + i % 26));
    return name;
}

// A block laid out as the system does, with a few of its fields then overwritten.
void checkBuiltBlock(FuzzedDataProvider& in)
{
    std::vector<PerfObjectSpec> objects(in.ConsumeIntegralInRange(1, 3));
    for (PerfObjectSpec& o : objects) {
        o.nameIndex = in.ConsumeBool() ? 230 : in.ConsumeIntegralInRange(0, 240);
        o.idProcessIndex = in.ConsumeBool() ? 784 : 0;
        o.noInstances = in.ConsumeIntegralInRange(0, 7) == 0;
        o.instances.resize(in.ConsumeIntegralInRange(0, 6));
        for (PerfInstanceSpec& i : o.instances) {
            i.name = fuzzName(in);
            i.pid = in.ConsumeIntegral<std::uint32_t>();
        }
    }
    PerfDataBuilder builder;
    Bytes block = builder.build(objects);
    const int pokes = in.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < pokes && !block.empty(); ++i) {
        const std::size_t at = in.ConsumeIntegralInRange<std::size_t>(0, block.size() - 1);
        block[at] = in.ConsumeIntegral<std::uint8_t>();
    }
    const std::vector<ProcessIdentity> out = checkBlock(block, 230, 784);
    if (pokes != 0)
        return;

    // Untouched: the first object of index 230, its instances but the total, in order.
    std::vector<ProcessIdentity> expected;
    const auto object = std::find_if(objects.begin(), objects.end(),
                                     [](const PerfObjectSpec& o) { return o.nameIndex == 230; });
    if (object != objects.end() && object->idProcessIndex == 784 && !object->noInstances &&
        object->instances.size() > 1)
        for (const PerfInstanceSpec& i : object->instances) {
            const std::u16string wide =
                i.name.substr(0, std::min(i.name.find(u'\0'), kMaxProcessNameBytes));
            const std::string name = narrowToWindows1252(wide).substr(0, kMaxProcessNameBytes);
            if (lowerAscii(name) != "_total")
                expected.push_back({name, i.pid});
        }
    FUZZ_CHECK(out.size() == expected.size());
    for (std::size_t i = 0; i < out.size(); ++i)
        FUZZ_CHECK(out[i].pid == expected[i].pid &&
                   sameButFirstCase(expected[i].name, out[i].name));
}

class Binder : public ProcessCounterBinder {
public:
    explicit Binder(FuzzedDataProvider& in) : in_(in) {}
    bool addCounters(const std::string&, PdhCounterHandle* time, PdhCounterHandle* memory) override
    {
        if (in_.ConsumeIntegralInRange(0, 7) == 0)
            return false;
        *time = handle();
        *memory = handle();
        return true;
    }
    void removeCounters(PdhCounterHandle time, PdhCounterHandle memory) override
    {
        FUZZ_CHECK(live.erase(time) == 1);
        FUZZ_CHECK(live.erase(memory) == 1);
    }
    std::set<PdhCounterHandle> live;

private:
    PdhCounterHandle handle()
    {
        const auto h = reinterpret_cast<PdhCounterHandle>(++next_);
        live.insert(h);
        return h;
    }
    FuzzedDataProvider& in_;
    std::uintptr_t next_ = 0;
};

// Process lists of a few names and ids (same-named processes come and go) given to the
// tracker in turn.
void checkTracker(FuzzedDataProvider& in)
{
    static const char* const kNames[] = {"app", "App", "svc", "x", "", "app#1"};
    ProcessTracker tracker;
    Binder binder(in);
    const int refreshes = in.ConsumeIntegralInRange(1, 6);
    for (int r = 0; r < refreshes; ++r) {
        std::vector<ProcessIdentity> current(in.ConsumeIntegralInRange(0, 10));
        for (ProcessIdentity& p : current) {
            p.name = kNames[in.ConsumeIntegralInRange(0, 5)];
            p.pid = in.ConsumeIntegralInRange(0, 6);
        }
        const bool includeIdle = in.ConsumeBool();
        tracker.refresh(current, includeIdle, binder);

        // Each tracked process is a current one of its id and name, none twice.
        std::vector<char> used(current.size(), 0);
        std::set<PdhCounterHandle> held;
        std::map<std::string, std::set<int>> instances;
        for (const TrackedProcess& p : tracker.entries()) {
            std::size_t i = 0;
            while (i < current.size() &&
                   (used[i] != 0 || current[i].pid != p.pid || lowerName(current[i].name) != p.key))
                ++i;
            FUZZ_CHECK(i < current.size());
            used[i] = 1;
            FUZZ_CHECK(p.key == lowerName(p.name) && p.sortName == lowerName(p.instanceName()));
            FUZZ_CHECK(instances[p.key].insert(p.instance).second);
            FUZZ_CHECK(held.insert(p.timeCounter).second && held.insert(p.memoryCounter).second);
        }
        // Instance numbers of a name run from 0 without a gap, as the system numbers them.
        for (const auto& named : instances)
            FUZZ_CHECK(*named.second.rbegin() == static_cast<int>(named.second.size()) - 1);
        FUZZ_CHECK(held == binder.live);

        tracker.sort(static_cast<ProcessSortOrder>(in.ConsumeIntegralInRange(0, 3)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0] % 4;
    ++data;
    --size;
    if (mode == 0) {
        checkCounterNames(fuzzBytes(data, size));
    } else if (mode == 1) {
        // Two indexes, then the block.
        if (size < 8)
            return 0;
        const std::uint32_t objectIndex =
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
        const std::uint32_t idIndex =
            data[4] | data[5] << 8 | data[6] << 16 | static_cast<std::uint32_t>(data[7]) << 24;
        checkBlock(Bytes(data + 8, data + size), objectIndex, idIndex);
    } else if (mode == 2) {
        FuzzedDataProvider in(data, size);
        checkBuiltBlock(in);
    } else {
        FuzzedDataProvider in(data, size);
        checkTracker(in);
    }
    return 0;
}
