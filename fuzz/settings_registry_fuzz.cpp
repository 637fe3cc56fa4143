// The meter program's settings as the registry hands them back: any of the values the
// loader reads, under either our key or the earlier product's, of any type and size,
// texts with or without their terminator. Each typed reader takes a value exactly when
// it has its type (and size) and otherwise leaves the caller's value alone; loading
// keeps the promises the program relies on (a permutation for the meter order, records
// of the right kind and size, a shown-drive count within the volume list, no more than
// 256 volumes, a known text alignment); and what was loaded survives a save and a second
// load unchanged, the second save writing exactly the values of the first.
#include "fuzz_support.h"
#include "meter/memory_registry.h"
#include "meter/registry_values.h"
#include "meter/settings_store.h"
#include "meter/timer_set.h"
#include "meter/volumes/drive_list.h"
#include "tests/native/stored_settings.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kOldKey = "Software\\Kavrond\\Dunmere";
const std::string kFolder = "C:\\Program Files\\Brellix";

const std::vector<std::string>& valueNames()
{
    static const std::vector<std::string> names = settingsValueNames(8);
    return names;
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::uint32_t le32(const Bytes& b)
{
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
           static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

using Window = StoredWindow;

// The typed readers against the value as stored, with sentinels in the outputs to see
// that a refused value leaves them alone.
void checkReaders(const RegistryKey& key, const std::string& name, const RegistryValue& stored,
                  std::size_t maxLength)
{
    std::uint32_t word = 0xA5A5A5A5u;
    const bool isDword = stored.type == RegType::kDword && stored.data.size() == 4;
    FUZZ_CHECK(readDword(key, name, word) == isDword);
    FUZZ_CHECK(word == (isDword ? le32(stored.data) : 0xA5A5A5A5u));

    for (const std::size_t size : {stored.data.size(), stored.data.size() + 1}) {
        Bytes binary = {0x5A};
        const bool isBinary = stored.type == RegType::kBinary && stored.data.size() == size;
        FUZZ_CHECK(readBinary(key, name, size, binary) == isBinary);
        FUZZ_CHECK(binary == (isBinary ? stored.data : Bytes{0x5A}));
    }

    // The text ends at the first zero or the end of the data, whichever comes first.
    const auto zero = std::find(stored.data.begin(), stored.data.end(), std::uint8_t{0});
    const std::string text(stored.data.begin(), zero);
    for (const std::size_t limit : {maxLength, kMaxSettingsText}) {
        std::string out = "\x7f";
        const bool isText = stored.type == RegType::kSz && text.size() <= limit;
        FUZZ_CHECK(readText(key, name, out, limit) == isText);
        FUZZ_CHECK(out == (isText ? text : "\x7f"));
    }
}

// What the rest of the program relies on after a load.
void checkLoaded(const AppSettings& s, const Window& w)
{
    FUZZ_CHECK(!s.flag(Booleans::kClearedOnLoad));
    FUZZ_CHECK(s.volumes.size() <= 256);
    if (s.volumes.empty())
        FUZZ_CHECK(s.numDrivesDisplayed == 0);
    else
        FUZZ_CHECK(s.numDrivesDisplayed >= 1 && s.numDrivesDisplayed <= s.volumes.size());
    for (const WatchedVolume& v : s.volumes)
        FUZZ_CHECK(v.path.empty() || v.path.back() == '\\');
    FUZZ_CHECK(static_cast<int>(s.textAlign) >= 0 && static_cast<int>(s.textAlign) <= 2);
    FUZZ_CHECK(s.remoteComputer.empty() ||
               (s.remoteComputer.size() > 2 && s.remoteComputer.compare(0, 2, "\\\\") == 0));

    std::array<int, kMeterKindCount> order = w.order.currentOrder();
    std::sort(order.begin(), order.end());
    for (int i = 0; i < kMeterKindCount; ++i)
        FUZZ_CHECK(order[static_cast<std::size_t>(i)] == i);
    for (int k = 0; k < kMeterKindCount; ++k) {
        const MeterOptions& o = *w.owned[static_cast<std::size_t>(k)];
        const auto kind = static_cast<MeterKind>(k);
        FUZZ_CHECK(o.kindValue() == k && o.version() == kMeterOptionsVersion);
        FUZZ_CHECK(o.recordSize() == makeMeterOptions(kind, w.view.family)->recordSize());
        if (isPlaceholderKind(kind, w.view.family))
            FUZZ_CHECK(o.bytes() == makeMeterOptions(kind, w.view.family)->bytes());
    }

    // The users of the values: the timers run between a second and a day, and the
    // drive list's column order is a complete order of its columns.
    for (const std::uint32_t seconds : s.timerSeconds) {
        const unsigned ms = TimerSet::milliseconds(seconds);
        FUZZ_CHECK(ms >= 1000 && ms <= 86400u * 1000);
    }
    for (std::size_t columns = 0; columns <= 6; ++columns) {
        std::vector<int> shown = driveColumnOrder(s, columns);
        FUZZ_CHECK(shown.size() == columns);
        std::sort(shown.begin(), shown.end());
        for (std::size_t i = 0; i < columns; ++i)
            FUZZ_CHECK(shown[i] == static_cast<int>(i));
    }
}

// Every value of a key: name (as written), type and bytes.
std::map<std::string, RegistryValue> valuesOf(const MemoryRegistry& registry,
                                              const std::string& path)
{
    std::map<std::string, RegistryValue> values;
    for (const std::string& name : registry.valueNames(path))
        values[name] = *registry.value(path, name);
    return values;
}

bool sameValues(const std::map<std::string, RegistryValue>& a,
                const std::map<std::string, RegistryValue>& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
               return x.first == y.first && x.second.type == y.second.type &&
                      x.second.data == y.second.data;
           });
}

} // namespace

// Input: one byte of choices (family, which key, profile, text limit), then values, each
// a name byte, a type byte, two length bytes (little-endian) and that many data bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const PlatformFamily family = (data[0] & 1) != 0 ? PlatformFamily::Win9x : PlatformFamily::NT;
    const bool oldKey = (data[0] & 2) != 0;
    const SettingsLocation location{(data[0] & 4) != 0 ? "Work" : "", kFolder};
    const std::size_t maxLength = static_cast<std::size_t>(data[0] >> 3) * 10;
    const std::string path = oldKey ? kOldKey : settingsKeyPath(location.profileName, true);

    MemoryRegistry registry;
    std::vector<std::string> names;
    std::size_t at = 1;
    while (at + 4 <= size && names.size() < 64) {
        const std::vector<std::string>& table = valueNames();
        std::string name = table[data[at] % table.size()];
        const std::uint8_t typeByte = data[at + 1];
        // Names compare without case; the loader must find a value however it is spelt.
        if ((typeByte & 0x80) != 0)
            name = upper(name);
        static const std::uint32_t kTypes[] = {
            RegType::kSz, RegType::kBinary, RegType::kDword, 0, 2, 7, 11, 0xFFFFFFFFu};
        const std::uint32_t type = kTypes[typeByte & 7];
        const std::size_t length =
            std::min<std::size_t>(data[at + 2] | data[at + 3] << 8, size - at - 4);
        at += 4;
        registry.put(path, name, type, Bytes(data + at, data + at + length));
        at += length;
        names.push_back(name);
    }

    std::unique_ptr<RegistryKey> root = registry.root();
    {
        std::unique_ptr<RegistryKey> key = root->openSubkey(path);
        if (key)
            for (const std::string& name : names)
                checkReaders(*key, name, *registry.value(path, name), maxLength);
    }

    Window first(family);
    AppSettings loaded;
    const SettingsSource source = loadSettings(*root, location, loaded, first.view);
    FUZZ_CHECK(source == (names.empty() ? SettingsSource::Defaults
                          : oldKey      ? SettingsSource::Imported
                                        : SettingsSource::OwnKey));
    checkLoaded(loaded, first);
    if (oldKey && !names.empty())
        FUZZ_CHECK(!registry.hasKey(kOldKey));

    // Saved into an empty registry, loaded back, saved again.
    const std::string own = settingsKeyPath(location.profileName, true);
    MemoryRegistry firstSave;
    FUZZ_CHECK(saveSettings(*firstSave.root(), location, loaded, first.view));
    Window second(family);
    AppSettings reloaded;
    FUZZ_CHECK(loadSettings(*firstSave.root(), location, reloaded, second.view) ==
               SettingsSource::OwnKey);
    FUZZ_CHECK(reloaded == loaded);
    FUZZ_CHECK(second.order.currentOrder() == first.order.currentOrder());
    FUZZ_CHECK(second.placement.positionStored == first.placement.positionStored);
    FUZZ_CHECK(second.placement.sizeStored == first.placement.sizeStored);
    if (first.placement.positionStored)
        FUZZ_CHECK(second.placement.x == first.placement.x &&
                   second.placement.y == first.placement.y);
    if (first.placement.sizeStored)
        FUZZ_CHECK(second.placement.cx == first.placement.cx &&
                   second.placement.cy == first.placement.cy);
    for (int k = 0; k < kMeterKindCount; ++k)
        FUZZ_CHECK(second.owned[static_cast<std::size_t>(k)]->bytes() ==
                   first.owned[static_cast<std::size_t>(k)]->bytes());

    MemoryRegistry secondSave;
    FUZZ_CHECK(saveSettings(*secondSave.root(), location, reloaded, second.view));
    FUZZ_CHECK(sameValues(valuesOf(firstSave, own), valuesOf(secondSave, own)));
    return 0;
}
