// Random types, sizes and contents in every value the settings read: loading must
// never crash or overrun, must leave a consistent state, and what it accepted must
// survive a save and a second load unchanged.
#include "meter/memory_registry.h"
#include "meter/settings_store.h"
#include "stored_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const char* const kKey = "Software\\Brellix";

std::vector<std::string> valueNames()
{
    return settingsValueNames(6);
}

class Fuzzer {
public:
    explicit Fuzzer(std::uint32_t seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::uint32_t type()
    {
        static const std::uint32_t kTypes[] = {
            RegType::kSz, RegType::kBinary, RegType::kDword, 0, 2, 7, 11, 0xFFFFFFFFu};
        return below(4) != 0 ? kTypes[below(3)] : kTypes[below(8)];
    }

    std::size_t size()
    {
        static const std::size_t kSizes[] = {0,  1,  3,  4,  5,  8,   12,  16,   20,  24,
                                             28, 32, 52, 56, 60, 259, 260, 1620, 1621};
        return below(3) != 0 ? kSizes[below(19)] : static_cast<std::size_t>(below(2000));
    }

    std::vector<std::uint8_t> bytes(std::size_t n)
    {
        std::vector<std::uint8_t> data(n);
        for (auto& b : data)
            b = static_cast<std::uint8_t>(below(4) == 0 ? 0 : below(256));
        return data;
    }

    // Half the time pure noise; otherwise the right type and size for the name with
    // random contents, so that the deeper checks and the volume loop get exercised.
    RegistryValue value(const std::string& name)
    {
        RegistryValue v;
        if (below(2) == 0) {
            v.type = type();
            v.data = bytes(size());
            return v;
        }
        if (name.rfind("Meter Options", 0) == 0) {
            const int kind = below(kMeterKindCount + 2);
            const MeterKind recordKind = static_cast<MeterKind>(kind % kMeterKindCount);
            v.type = RegType::kBinary;
            v.data = bytes(meterKindInfo(recordKind).recordSize);
            v.data[0] = 2;
            v.data[1] = 0;
            v.data[4] = static_cast<std::uint8_t>(kind);
            v.data[5] = v.data[6] = v.data[7] = 0;
        } else if (name == "Meter Order" || name == "Timer Times" || name == "Colors" ||
                   name == "Column Order" || name == "Column Positions" || name == "Hot Key") {
            static const std::pair<const char*, std::size_t> kSizes[] = {
                {"Meter Order", 56},  {"Timer Times", 12},      {"Colors", 28},
                {"Column Order", 20}, {"Column Positions", 20}, {"Hot Key", 8}};
            v.type = RegType::kBinary;
            for (const auto& entry : kSizes)
                if (name == entry.first)
                    v.data = bytes(entry.second);
            if (name == "Meter Order")
                for (std::size_t i = 0; i < v.data.size(); i += 4)
                    v.data[i + 1] = v.data[i + 2] = v.data[i + 3] = 0, v.data[i] %= 16;
        } else if (name == "Volume Count" || name == "Num Drives Displayed" ||
                   name == "Text Align") {
            v.type = RegType::kDword;
            v.data = {static_cast<std::uint8_t>(below(8)), 0, 0, 0};
        } else if (name.find("Volume ") == 0 || name.find("User Name") == 0 ||
                   name.find("Remote") == 0 || name.find("Log Files") == 0 ||
                   name.find("Alert") != std::string::npos) {
            if (name.find("Warning") != std::string::npos ||
                name.find("ToolTip") != std::string::npos) {
                v.type = RegType::kDword;
                v.data = bytes(4);
            } else {
                v.type = RegType::kSz;
                v.data = bytes(static_cast<std::size_t>(below(300)));
            }
        } else {
            v.type = RegType::kDword;
            v.data = bytes(4);
        }
        return v;
    }

private:
    std::mt19937 random_;
};

using Window = StoredWindow;

void expectConsistent(const AppSettings& s, const Window& w)
{
    EXPECT_FALSE(s.flag(Booleans::kClearedOnLoad));
    EXPECT_LE(s.volumes.size(), 256u);
    if (s.volumes.empty())
        EXPECT_EQ(s.numDrivesDisplayed, 0u);
    else
        EXPECT_TRUE(s.numDrivesDisplayed >= 1 && s.numDrivesDisplayed <= s.volumes.size());
    EXPECT_LE(static_cast<int>(s.textAlign), 2);
    EXPECT_GE(static_cast<int>(s.textAlign), 0);
    auto order = w.order.currentOrder();
    std::sort(order.begin(), order.end());
    for (int i = 0; i < kMeterKindCount; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    for (int k = 0; k < kMeterKindCount; ++k) {
        const MeterOptions& o = *w.owned[static_cast<std::size_t>(k)];
        EXPECT_EQ(o.kindValue(), k);
        EXPECT_EQ(o.version(), kMeterOptionsVersion);
    }
}

} // namespace

TEST(settingsFuzz, randomValuesNeverBreakLoading)
{
    const std::vector<std::string> names = valueNames();
    Fuzzer fuzz(20261208);
    int roundsWithVolumes = 0;
    int roundsWithStoredRecords = 0;
    for (int round = 0; round < 300; ++round) {
        MemoryRegistry registry;
        for (const std::string& name : names) {
            if (fuzz.below(3) == 0)
                continue; // missing
            RegistryValue v = fuzz.value(name);
            registry.put(kKey, name, v.type, std::move(v.data));
        }
        const PlatformFamily family = round % 2 == 0 ? PlatformFamily::NT : PlatformFamily::Win9x;
        auto root = registry.root();

        Window first(family);
        AppSettings loaded;
        loadSettings(*root, {"", "C:\\"}, loaded, first.view);
        expectConsistent(loaded, first);
        roundsWithVolumes += loaded.volumes.empty() ? 0 : 1;
        for (int k = 0; k < kMeterKindCount; ++k)
            if (first.owned[static_cast<std::size_t>(k)]->bytes() !=
                makeMeterOptions(static_cast<MeterKind>(k), family)->bytes()) {
                ++roundsWithStoredRecords;
                break;
            }

        ASSERT_TRUE(saveSettings(*root, {"", "C:\\"}, loaded, first.view));
        Window second(family);
        AppSettings reloaded;
        loadSettings(*root, {"", "C:\\"}, reloaded, second.view);
        EXPECT_TRUE(reloaded == loaded) << "round " << round;
        EXPECT_EQ(second.order.currentOrder(), first.order.currentOrder()) << "round " << round;
        for (int k = 0; k < kMeterKindCount; ++k)
            EXPECT_EQ(second.owned[static_cast<std::size_t>(k)]->bytes(),
                      first.owned[static_cast<std::size_t>(k)]->bytes())
                << "round " << round << " kind " << k;
        if (::testing::Test::HasFailure())
            break;
    }
    // The random data reached the deeper paths, not only the type checks.
    EXPECT_GT(roundsWithVolumes, 10);
    EXPECT_GT(roundsWithStoredRecords, 10);
}
