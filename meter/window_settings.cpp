#include "meter/window_settings.h"

#include "meter/registry_values.h"

#include <cstdio>

namespace {

std::string optionsValueName(int position)
{
    char name[32];
    std::snprintf(name, sizeof name, "Meter Options %d", position);
    return name;
}

void loadPlacement(const RegistryKey& key, WindowPlacement& placement)
{
    std::uint32_t x = 0, y = 0, cx = 0, cy = 0;
    if (!readDword(key, "X", x) || !readDword(key, "Y", y))
        return;
    // Coordinates left of or above the primary screen are negative.
    placement.x = static_cast<std::int32_t>(x);
    placement.y = static_cast<std::int32_t>(y);
    placement.positionStored = true;
    if (readDword(key, "CX", cx) && readDword(key, "CY", cy)) {
        placement.cx = static_cast<std::int32_t>(cx);
        placement.cy = static_cast<std::int32_t>(cy);
        placement.sizeStored = true;
    }
}

void loadOrder(const RegistryKey& key, MeterOrder& order)
{
    std::vector<std::uint8_t> data;
    if (!readBinary(key, "Meter Order", kMeterKindCount * 4, data))
        return;
    std::array<int, kMeterKindCount> kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = static_cast<std::int32_t>(wordAt(data, i));
    order.applyOrder(kinds);
}

bool isPlaceholderAt(const WindowAndMeters& meters, int position)
{
    return isPlaceholderKind(meters.order->kindAt(position), meters.family);
}

MeterOptions* optionsAt(const WindowAndMeters& meters, int position)
{
    return meters.options[static_cast<std::size_t>(meters.order->kindAt(position))];
}

} // namespace

void loadWindowAndMeters(const RegistryKey& key, const WindowAndMeters& target)
{
    loadPlacement(key, *target.placement);
    loadOrder(key, *target.order);
    for (int p = 0; p < kMeterKindCount; ++p) {
        MeterOptions* options = optionsAt(target, p);
        if (options == nullptr || isPlaceholderAt(target, p))
            continue;
        RegistryValue value;
        if (key.queryValue(optionsValueName(p), value) && value.type == RegType::kBinary)
            options->acceptStored(value.data.data(), value.data.size());
    }
}

bool saveWindowAndMeters(RegistryKey& key, const WindowAndMeters& source)
{
    bool ok = true;
    auto note = [&ok](bool written) { ok = ok && written; };

    // Only a rectangle a real window had is stored: the save that follows an import
    // runs before the window is placed, and zeros there would start the next run at
    // (0,0) with no size at all.
    const WindowPlacement& placement = *source.placement;
    if (placement.positionStored) {
        note(writeDword(key, "X", static_cast<std::uint32_t>(placement.x)));
        note(writeDword(key, "Y", static_cast<std::uint32_t>(placement.y)));
    }
    if (placement.positionStored && placement.sizeStored) {
        note(writeDword(key, "CX", static_cast<std::uint32_t>(placement.cx)));
        note(writeDword(key, "CY", static_cast<std::uint32_t>(placement.cy)));
    }

    std::vector<std::uint8_t> order;
    for (int kind : source.order->currentOrder())
        appendWord(order, static_cast<std::uint32_t>(kind));
    note(writeBinary(key, "Meter Order", order));

    for (int p = 0; p < kMeterKindCount; ++p) {
        const MeterOptions* options = optionsAt(source, p);
        if (options == nullptr || isPlaceholderAt(source, p))
            continue;
        note(writeBinary(key, optionsValueName(p), options->bytes()));
    }
    return ok;
}
