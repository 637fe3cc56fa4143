// A meter's options record as the registry hands it back: any size, any type, any bytes,
// for any kind on either platform family. A record is taken exactly when it has the
// size of the kind's record, version 2 and the kind's number (never for a placeholder);
// otherwise the defaults stay. What was taken is saved again byte for byte, padding
// included, and a clone or a copy holds the same bytes. Every accessor reads its own
// little-endian field and every setter writes nothing but that field.
#include "fuzz_support.h"
#include "meter/memory_registry.h"
#include "meter/window_settings.h"
#include "tests/native/stored_settings.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <typeinfo>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const char* const kKey = "Software\\Brellix";

std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

using Window = StoredWindow;

// A setter applied to `options` may change only the bytes [at, at + width).
void checkSetterStaysInField(MeterOptions& options, std::size_t at, std::size_t width,
                             const std::function<void()>& set)
{
    const Bytes before = options.bytes();
    set();
    const Bytes& after = options.bytes();
    FUZZ_CHECK(after.size() == before.size());
    FUZZ_CHECK(at + width <= after.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        if (i < at || i >= at + width)
            FUZZ_CHECK(after[i] == before[i]);
}

// Every accessor against the field it names, then every setter against its field.
void checkFields(MeterOptions& o, FuzzedDataProvider& in)
{
    const Bytes& b = o.bytes();
    FUZZ_CHECK(o.version() == (b[0] | b[1] << 8));
    FUZZ_CHECK(static_cast<std::uint32_t>(o.kindValue()) == le32(b, 4));
    FUZZ_CHECK(o.active() == (b[8] != 0));
    FUZZ_CHECK(o.collapsed() == (b[9] != 0));
    FUZZ_CHECK(o.trayIcon() == (b[10] != 0));
    FUZZ_CHECK(o.logToFile() == (b[11] != 0));
    FUZZ_CHECK(static_cast<std::uint32_t>(o.timer()) == le32(b, 12));
    const std::string other = o.otherText();
    FUZZ_CHECK(o.trayIcon() == (other.rfind("tray icon", 0) == 0));

    if (auto* g = dynamic_cast<GraphOptions*>(&o)) {
        FUZZ_CHECK(g->drawAverage() == (b[16] != 0));
        FUZZ_CHECK(g->autoScale() == (b[17] != 0));
        FUZZ_CHECK(g->height() == b[18]);
        FUZZ_CHECK(g->lineGraph() == (b[19] != 0));
    }
    if (auto* n = dynamic_cast<NetworkOptions*>(&o)) {
        FUZZ_CHECK(static_cast<std::uint32_t>(n->interfaceIndex()) == le32(b, 20));
        FUZZ_CHECK(n->showBits() == (b[24] != 0));
        FUZZ_CHECK(n->maximumValue() == le32(b, 28));
    }
    if (auto* d = dynamic_cast<DiskOptions*>(&o))
        FUZZ_CHECK(d->showBits() == (b[20] != 0));
    if (auto* m = dynamic_cast<MemoryInfoOptions*>(&o)) {
        FUZZ_CHECK(m->showKB() == (b[16] != 0));
        FUZZ_CHECK(m->showMB() == (b[17] != 0));
        FUZZ_CHECK(m->showPercent() == (b[18] != 0));
    }
    if (auto* p = dynamic_cast<ProcessOptions*>(&o)) {
        FUZZ_CHECK(p->maxProcesses() == b[16]);
        FUZZ_CHECK(p->showIdle() == (b[17] != 0));
        FUZZ_CHECK(p->showZeroUsage() == (b[18] != 0));
        FUZZ_CHECK(p->showTotalTime() == (b[19] != 0));
        FUZZ_CHECK(p->useGraphColours() == (b[20] != 0));
        FUZZ_CHECK(static_cast<std::uint32_t>(p->sortOrder()) == le32(b, 24));
    }
    if (auto* d = dynamic_cast<DriveOptions*>(&o))
        FUZZ_CHECK(d->logInterval() == b[16]);
    if (auto* r = dynamic_cast<ResourcesOptions*>(&o))
        FUZZ_CHECK(r->showFree() == (b[16] != 0));
    if (auto* ping = dynamic_cast<PingOptions*>(&o)) {
        FUZZ_CHECK(ping->timeout() == le32(b, 16));
        FUZZ_CHECK(ping->host(-1).empty() && ping->host(PingOptions::kHostSlots).empty());
        for (int slot = 0; slot < PingOptions::kHostSlots; ++slot) {
            // The slot's text up to its first zero, never beyond the slot.
            const std::size_t at = 20 + static_cast<std::size_t>(slot) * PingOptions::kHostSlotSize;
            const std::string host = ping->host(slot);
            FUZZ_CHECK(host.size() <= PingOptions::kHostSlotSize);
            FUZZ_CHECK(host.compare(0, host.size(), reinterpret_cast<const char*>(&b[at]),
                                    host.size()) == 0);
            FUZZ_CHECK(host.size() == PingOptions::kHostSlotSize || b[at + host.size()] == 0);
        }
        const std::vector<std::string> hosts = ping->hostList();
        FUZZ_CHECK(hosts.size() <= static_cast<std::size_t>(PingOptions::kHostSlots));
        for (std::size_t i = 0; i < hosts.size(); ++i)
            FUZZ_CHECK(!hosts[i].empty() && hosts[i] == ping->host(static_cast<int>(i)));
        FUZZ_CHECK(hosts.size() == static_cast<std::size_t>(PingOptions::kHostSlots) ||
                   ping->host(static_cast<int>(hosts.size())).empty());
    }

    // Setters, with values from the input.
    const std::uint8_t u8 = in.ConsumeIntegral<std::uint8_t>();
    const std::uint32_t u32 = in.ConsumeIntegral<std::uint32_t>();
    const bool on = in.ConsumeBool();
    const int i32 = static_cast<int>(u32);
    checkSetterStaysInField(o, 8, 1, [&] { o.setActive(on); });
    checkSetterStaysInField(o, 9, 1, [&] { o.setCollapsed(on); });
    checkSetterStaysInField(o, 10, 1, [&] { o.setTrayIcon(on); });
    checkSetterStaysInField(o, 11, 1, [&] { o.setLogToFile(on); });
    checkSetterStaysInField(o, 12, 4, [&] { o.setTimer(i32); });
    FUZZ_CHECK(o.timer() == i32 && o.active() == on);
    if (auto* g = dynamic_cast<GraphOptions*>(&o)) {
        checkSetterStaysInField(o, 16, 1, [&] { g->setDrawAverage(on); });
        checkSetterStaysInField(o, 17, 1, [&] { g->setAutoScale(on); });
        checkSetterStaysInField(o, 18, 1, [&] { g->setHeight(u8); });
        checkSetterStaysInField(o, 19, 1, [&] { g->setLineGraph(on); });
        FUZZ_CHECK(g->height() == u8);
    }
    if (auto* n = dynamic_cast<NetworkOptions*>(&o)) {
        checkSetterStaysInField(o, 20, 4, [&] { n->setInterfaceIndex(i32); });
        checkSetterStaysInField(o, 24, 1, [&] { n->setShowBits(on); });
        checkSetterStaysInField(o, 28, 4, [&] { n->setMaximumValue(u32); });
        FUZZ_CHECK(n->interfaceIndex() == i32 && n->maximumValue() == u32);
    }
    if (auto* d = dynamic_cast<DiskOptions*>(&o))
        checkSetterStaysInField(o, 20, 1, [&] { d->setShowBits(on); });
    if (auto* m = dynamic_cast<MemoryInfoOptions*>(&o)) {
        checkSetterStaysInField(o, 16, 1, [&] { m->setShowKB(on); });
        checkSetterStaysInField(o, 17, 1, [&] { m->setShowMB(on); });
        checkSetterStaysInField(o, 18, 1, [&] { m->setShowPercent(on); });
    }
    if (auto* p = dynamic_cast<ProcessOptions*>(&o)) {
        checkSetterStaysInField(o, 16, 1, [&] { p->setMaxProcesses(u8); });
        checkSetterStaysInField(o, 17, 1, [&] { p->setShowIdle(on); });
        checkSetterStaysInField(o, 18, 1, [&] { p->setShowZeroUsage(on); });
        checkSetterStaysInField(o, 19, 1, [&] { p->setShowTotalTime(on); });
        checkSetterStaysInField(o, 20, 1, [&] { p->setUseGraphColours(on); });
        checkSetterStaysInField(o, 24, 4, [&] { p->setSortOrder(i32); });
        FUZZ_CHECK(p->maxProcesses() == u8 && p->sortOrder() == i32);
    }
    if (auto* d = dynamic_cast<DriveOptions*>(&o)) {
        checkSetterStaysInField(o, 16, 1, [&] { d->setLogInterval(u8); });
        FUZZ_CHECK(d->logInterval() == u8);
    }
    if (auto* r = dynamic_cast<ResourcesOptions*>(&o))
        checkSetterStaysInField(o, 16, 1, [&] { r->setShowFree(on); });
    if (auto* ping = dynamic_cast<PingOptions*>(&o)) {
        checkSetterStaysInField(o, 16, 4, [&] { ping->setTimeout(u32); });
        FUZZ_CHECK(ping->timeout() == u32);
        // A slot out of range changes nothing; a name in range fills its slot only and
        // reads back cut at its first zero and at 79 characters.
        const int slot = in.ConsumeIntegralInRange(-2, PingOptions::kHostSlots + 1);
        const std::string name = in.ConsumeRandomLengthString(200);
        const bool inRange = slot >= 0 && slot < PingOptions::kHostSlots;
        const std::size_t at =
            inRange ? 20 + static_cast<std::size_t>(slot) * PingOptions::kHostSlotSize : 0;
        checkSetterStaysInField(o, at, inRange ? PingOptions::kHostSlotSize : 0,
                                [&] { ping->setHost(slot, name); });
        if (inRange) {
            const std::string expected = name.substr(0, std::min(name.find('\0'), std::size_t{79}));
            FUZZ_CHECK(ping->host(slot) == expected);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Four bytes of choices (kind, family, shape and value type, record length), the
    // record, then the values the setters write.
    if (size < 4)
        return 0;
    const auto kind = static_cast<MeterKind>(data[0] % kMeterKindCount);
    const PlatformFamily family = (data[1] & 1) != 0 ? PlatformFamily::Win9x : PlatformFamily::NT;
    const int shape = (data[1] >> 1) & 3;
    const std::uint32_t type = (data[1] >> 4) == 0 ? RegType::kBinary : data[1] >> 4;
    const std::size_t length = std::min<std::size_t>(data[2] | data[3] << 8, size - 4);
    Bytes record(data + 4, data + 4 + length);
    FuzzedDataProvider in(data + 4 + length, size - 4 - length);

    const std::unique_ptr<MeterOptions> defaults = makeMeterOptions(kind, family);
    const std::size_t recordSize = defaults->recordSize();
    const bool placeholder = isPlaceholderKind(kind, family);
    FUZZ_CHECK(recordSize ==
               (placeholder ? kMeterOptionsHeadSize : meterKindInfo(kind).recordSize));

    // Shapes that get past the size, version and kind checks more often than chance.
    if (shape >= 1)
        record.resize(recordSize, 0);
    if (shape >= 2) {
        record[0] = static_cast<std::uint8_t>(kMeterOptionsVersion);
        record[1] = 0;
        for (std::size_t i = 0; i < 4; ++i)
            record[4 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(kind) >> (8 * i));
    }
    if (shape == 3 && !record.empty())
        record.pop_back();

    const bool fits = record.size() == recordSize && record[0] == kMeterOptionsVersion &&
                      record[1] == 0 && le32(record, 4) == static_cast<std::uint32_t>(kind);

    // The holder's own rule, on an exact-size copy so that any overrun shows.
    {
        std::unique_ptr<MeterOptions> options = makeMeterOptions(kind, family);
        const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[record.size()]);
        if (!record.empty())
            std::memcpy(copy.get(), record.data(), record.size());
        const bool taken =
            options->acceptStored(record.empty() ? nullptr : copy.get(), record.size());
        FUZZ_CHECK(taken == fits);
        FUZZ_CHECK(options->bytes() == (taken ? record : defaults->bytes()));
    }

    // The same record stored as the meter's value in the registry and loaded the way the
    // settings load it: placeholders and values of another type are passed over.
    MemoryRegistry stored;
    const int position = MeterOrder::defaultOrder().positionOf(kind);
    const std::string valueName = "Meter Options " + std::to_string(position);
    stored.put(kKey, valueName, type, record);
    Window window(family);
    {
        std::unique_ptr<RegistryKey> key = stored.root()->openSubkey(kKey);
        loadWindowAndMeters(*key, window.view);
    }
    MeterOptions& loaded = *window.owned[static_cast<std::size_t>(kind)];
    const bool taken = fits && !placeholder && type == RegType::kBinary;
    FUZZ_CHECK(loaded.bytes() == (taken ? record : defaults->bytes()));

    // Saved again: the very bytes, and nothing for a placeholder.
    MemoryRegistry saved;
    {
        std::unique_ptr<RegistryKey> key = saved.root()->createSubkey(kKey);
        FUZZ_CHECK(saveWindowAndMeters(*key, window.view));
    }
    const RegistryValue* written = saved.value(kKey, valueName);
    FUZZ_CHECK((written == nullptr) == placeholder);
    if (written != nullptr)
        FUZZ_CHECK(written->type == RegType::kBinary && written->data == loaded.bytes());

    // A clone is of the same layout and holds the same bytes; copying into a fresh
    // holder of the kind takes the bytes, into a holder of another size nothing.
    const std::unique_ptr<MeterOptions> clone = loaded.clone();
    const MeterOptions& cloned = *clone;
    FUZZ_CHECK(typeid(cloned) == typeid(loaded));
    FUZZ_CHECK(clone->bytes() == loaded.bytes());
    std::unique_ptr<MeterOptions> fresh = makeMeterOptions(kind, family);
    fresh->copyFrom(loaded);
    FUZZ_CHECK(fresh->bytes() == loaded.bytes());
    const auto otherKind = static_cast<MeterKind>((static_cast<int>(kind) + 1) % kMeterKindCount);
    std::unique_ptr<MeterOptions> other = makeMeterOptions(otherKind, family);
    const Bytes otherBefore = other->bytes();
    other->copyFrom(loaded);
    FUZZ_CHECK(other->bytes() ==
               (otherBefore.size() == loaded.recordSize() ? loaded.bytes() : otherBefore));

    // Fields of the loaded record, then setters on the clone; the loaded record is not
    // touched by what is done to its clone.
    const Bytes loadedBytes = loaded.bytes();
    checkFields(*clone, in);
    FUZZ_CHECK(loaded.bytes() == loadedBytes);
    return 0;
}
