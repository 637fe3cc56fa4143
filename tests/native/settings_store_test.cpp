#include "meter/memory_registry.h"
#include "meter/settings_store.h"
#include "stored_settings.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using K = MeterKind;

const char* const kPlain = "Software\\Brellix";
const char* const kOld = "Software\\Kavrond\\Dunmere";
const char* const kFolder = "C:\\Brellix\\";

std::vector<std::uint8_t> orderBytes(const std::array<int, kMeterKindCount>& kinds)
{
    std::vector<std::uint8_t> data;
    for (int k : kinds) {
        auto w = words({static_cast<std::uint32_t>(k)});
        data.insert(data.end(), w.begin(), w.end());
    }
    return data;
}

// What the main window owns: the placement, the order and fourteen options records.
struct Window : StoredWindow {
    explicit Window(PlatformFamily family = PlatformFamily::NT) : StoredWindow(family) {}
    MeterOptions& options(K kind) { return *owned[static_cast<std::size_t>(kind)]; }
};

// The stored record of a meter of `kind` with its collapsed flag set.
std::vector<std::uint8_t> collapsedRecord(K kind)
{
    auto options = makeMeterOptions(kind, PlatformFamily::NT);
    options->setCollapsed(true);
    return options->bytes();
}

class SettingsStore : public ::testing::Test {
protected:
    SettingsSource load(const std::string& profile = "")
    {
        return loadSettings(*root, {profile, kFolder}, settings, window.view);
    }
    bool save(const std::string& profile = "")
    {
        return saveSettings(*root, {profile, kFolder}, settings, window.view);
    }
    bool journalHas(const std::string& prefix) const
    {
        return std::any_of(registry.journal().begin(), registry.journal().end(),
                           [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }

    MemoryRegistry registry;
    std::unique_ptr<RegistryKey> root = registry.root();
    AppSettings settings;
    Window window;
};

} // namespace

TEST_F(SettingsStore, firstStartUsesDefaultsAndCreatesNothing)
{
    EXPECT_EQ(load(), SettingsSource::Defaults);
    EXPECT_TRUE(registry.subkeyNames("").empty());
    EXPECT_FALSE(journalHas("create"));

    AppSettings expected;
    expected.resetDefaults(kFolder);
    EXPECT_TRUE(settings == expected);
    EXPECT_EQ(window.order.currentOrder(), MeterOrder::defaultOrder().currentOrder());
    EXPECT_FALSE(window.placement.positionStored);
    EXPECT_FALSE(window.placement.sizeStored);

    EXPECT_TRUE(save());
    EXPECT_TRUE(registry.hasKey(kPlain));
}

TEST_F(SettingsStore, savesWindowThenMetersThenSettings)
{
    window.placement = {10, 20, 300, 400, true, true};
    ASSERT_TRUE(save());
    std::vector<std::string> written = registry.writtenValues(kPlain);
    // NT: Resources, a placeholder, sits at position 13 and has no record.
    const std::vector<std::string> head = {"X",
                                           "Y",
                                           "CX",
                                           "CY",
                                           "Meter Order",
                                           "Meter Options 0",
                                           "Meter Options 1",
                                           "Meter Options 2",
                                           "Meter Options 3",
                                           "Meter Options 4",
                                           "Meter Options 5",
                                           "Meter Options 6",
                                           "Meter Options 7",
                                           "Meter Options 8",
                                           "Meter Options 9",
                                           "Meter Options 10",
                                           "Meter Options 11",
                                           "Meter Options 12",
                                           "Booleans"};
    ASSERT_GT(written.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + head.size()), head);
    EXPECT_EQ(registry.writtenValues(kPlain).back(), "Text Align");

    EXPECT_EQ(registry.value(kPlain, "Meter Order")->data,
              orderBytes(MeterOrder::defaultOrder().currentOrder()));
    EXPECT_EQ(registry.value(kPlain, "Meter Order")->type, RegType::kBinary);
    EXPECT_EQ(registry.value(kPlain, "Meter Options 12")->data, window.options(K::Ping).bytes());
    EXPECT_EQ(registry.value(kPlain, "Meter Options 12")->data.size(), 1620u);
    EXPECT_EQ(registry.value(kPlain, "CY")->data, words({400}));
}

TEST_F(SettingsStore, placeholdersOfTheWin9xFamilyAreNotStored)
{
    Window old(PlatformFamily::Win9x);
    ASSERT_TRUE(saveSettings(*root, {"", kFolder}, settings, old.view));
    // CPU 1, CPU 2 and Processes need the NT family; they sit at 3, 4 and 11.
    for (int p : {3, 4, 11})
        EXPECT_EQ(registry.value(kPlain, "Meter Options " + std::to_string(p)), nullptr) << p;
    EXPECT_NE(registry.value(kPlain, "Meter Options 13"), nullptr);
}

TEST_F(SettingsStore, windowPositionAndSize)
{
    registry.putDword(kPlain, "X", 0xFFFFFF38u); // -200: a monitor left of the primary
    registry.putDword(kPlain, "Y", 50);
    load();
    EXPECT_TRUE(window.placement.positionStored);
    EXPECT_FALSE(window.placement.sizeStored);
    EXPECT_EQ(window.placement.x, -200);
    EXPECT_EQ(window.placement.y, 50);

    registry.putDword(kPlain, "CX", 180);
    Window second;
    loadSettings(*root, {"", kFolder}, settings, second.view);
    EXPECT_FALSE(second.placement.sizeStored); // CY missing

    registry.putDword(kPlain, "CY", 220);
    Window third;
    loadSettings(*root, {"", kFolder}, settings, third.view);
    EXPECT_TRUE(third.placement.sizeStored);
    EXPECT_EQ(third.placement.cx, 180);
    EXPECT_EQ(third.placement.cy, 220);

    // A size without a position is not applied, nor is a position given half as text.
    registry.root()->openSubkey(kPlain)->deleteValue("X");
    Window fourth;
    loadSettings(*root, {"", kFolder}, settings, fourth.view);
    EXPECT_FALSE(fourth.placement.positionStored);
    EXPECT_FALSE(fourth.placement.sizeStored);
    registry.putString(kPlain, "X", "10");
    Window fifth;
    loadSettings(*root, {"", kFolder}, settings, fifth.view);
    EXPECT_FALSE(fifth.placement.positionStored);
}

TEST_F(SettingsStore, meterOrderOfFiftyTwoBytesIsIgnored)
{
    auto order = orderBytes(MeterOrder().currentOrder()); // kind order, 56 bytes
    order.resize(52);
    registry.put(kPlain, "Meter Order", RegType::kBinary, order);
    // Records at the default positions: CPU belongs at 2, Drive at 1.
    registry.put(kPlain, "Meter Options 2", RegType::kBinary, collapsedRecord(K::Cpu));
    registry.put(kPlain, "Meter Options 0", RegType::kBinary, collapsedRecord(K::Drive));
    load();
    EXPECT_EQ(window.order.currentOrder(), MeterOrder::defaultOrder().currentOrder());
    EXPECT_TRUE(window.options(K::Cpu).collapsed());
    // Position 0 holds Uptime; a Drive record there is someone else's.
    EXPECT_FALSE(window.options(K::Uptime).collapsed());
    EXPECT_FALSE(window.options(K::Drive).collapsed());
}

TEST_F(SettingsStore, storedOrderDecidesWhichRecordBelongsWhere)
{
    const std::array<int, kMeterKindCount> kindOrder = MeterOrder().currentOrder();
    registry.put(kPlain, "Meter Order", RegType::kBinary, orderBytes(kindOrder));
    registry.put(kPlain, "Meter Options 5", RegType::kBinary, collapsedRecord(K::Drive));
    registry.put(kPlain, "Meter Options 2", RegType::kBinary, collapsedRecord(K::PageFileGraph));
    load();
    EXPECT_EQ(window.order.currentOrder(), kindOrder);
    EXPECT_TRUE(window.options(K::Drive).collapsed());
    EXPECT_TRUE(window.options(K::PageFileGraph).collapsed());
    EXPECT_FALSE(window.options(K::Cpu).collapsed());
}

TEST_F(SettingsStore, meterRecordsMustMatchExactly)
{
    auto wrongVersion = collapsedRecord(K::Cpu);
    wrongVersion[0] = 3;
    auto tooLong = collapsedRecord(K::Drive);
    tooLong.push_back(0);
    registry.put(kPlain, "Meter Options 2", RegType::kBinary, wrongVersion);
    registry.put(kPlain, "Meter Options 1", RegType::kBinary, tooLong);
    registry.put(kPlain, "Meter Options 5", 0 /* REG_NONE */, collapsedRecord(K::PageFile));
    registry.put(kPlain, "Meter Order", RegType::kDword, orderBytes(MeterOrder().currentOrder()));
    load();
    EXPECT_EQ(window.order.currentOrder(), MeterOrder::defaultOrder().currentOrder());
    for (int k = 0; k < kMeterKindCount; ++k)
        EXPECT_FALSE(window.options(static_cast<K>(k)).collapsed()) << k;
}

TEST_F(SettingsStore, everythingRoundTrips)
{
    window.placement = {-5, 7, 240, 333, true, true};
    window.order.moveKind(K::Ping, 0);
    window.options(K::Ping).setActive(true);
    static_cast<PingOptions&>(window.options(K::Ping)).setHost(0, "router");
    window.options(K::NetGraph).setTimer(2);
    settings.resetDefaults(kFolder);
    settings.hotKey = {70, 9};
    ASSERT_TRUE(save());

    Window back;
    AppSettings backSettings;
    EXPECT_EQ(loadSettings(*root, {"", kFolder}, backSettings, back.view), SettingsSource::OwnKey);
    EXPECT_TRUE(backSettings == settings);
    EXPECT_EQ(back.order.currentOrder(), window.order.currentOrder());
    EXPECT_EQ(back.placement.x, -5);
    EXPECT_EQ(back.placement.cy, 333);
    EXPECT_TRUE(back.placement.sizeStored);
    for (int k = 0; k < kMeterKindCount; ++k)
        EXPECT_EQ(back.options(static_cast<K>(k)).bytes(),
                  window.options(static_cast<K>(k)).bytes())
            << k;
}

TEST_F(SettingsStore, profileUsesItsOwnKeyOnly)
{
    registry.putDword(kPlain, "Booleans", 0x1);
    registry.putDword(kPlain, "X", 1);
    registry.putDword(kPlain, "Y", 1);
    EXPECT_EQ(load("Office"), SettingsSource::Defaults);
    EXPECT_EQ(settings.booleans, Booleans::kDefault);
    EXPECT_FALSE(window.placement.positionStored);

    settings.booleans = 0x83;
    ASSERT_TRUE(save("Office"));
    EXPECT_EQ(load("Office"), SettingsSource::OwnKey);
    EXPECT_EQ(settings.booleans, 0x83u);

    EXPECT_TRUE(registry.hasKey("Software\\Brellix\\Office"));
    EXPECT_EQ(registry.value("Software\\Brellix\\Office", "Booleans")->data, words({0x83}));
    EXPECT_EQ(registry.value(kPlain, "Booleans")->data, words({0x1}));
    EXPECT_EQ(registry.valueNames(kPlain).size(), 3u);
    EXPECT_TRUE(registry.writtenValues(kPlain).empty());
    for (const std::string& entry : registry.journal())
        EXPECT_NE(entry, "open Software\\Brellix") << "the plain key was opened";
}

TEST_F(SettingsStore, earlierProductIsImportedOnce)
{
    registry.putDword(kOld, "Booleans", 0x0B);
    registry.putDword(kOld, "X", 30);
    registry.putDword(kOld, "Y", 40);
    registry.put(kOld, "Meter Options 2", RegType::kBinary, collapsedRecord(K::Cpu));
    registry.putDword("Software\\Kavrond\\Dunmere\\Old Profile", "Booleans", 1);
    registry.putDword("Software\\Kavrond\\Other", "Keep", 1);

    EXPECT_EQ(load(), SettingsSource::Imported);
    EXPECT_EQ(settings.booleans, 0x0Bu);
    EXPECT_TRUE(window.options(K::Cpu).collapsed());
    EXPECT_EQ(window.placement.x, 30);

    // Written into our key before the old key went away.
    EXPECT_EQ(registry.value(kPlain, "Booleans")->data, words({0x0B}));
    EXPECT_EQ(registry.value(kPlain, "Meter Options 2")->data, collapsedRecord(K::Cpu));
    EXPECT_FALSE(registry.hasKey(kOld));
    EXPECT_TRUE(registry.hasKey("Software\\Kavrond\\Other"));
    auto indexOf = [&](const std::string& entry) {
        const auto& journal = registry.journal();
        return std::find(journal.begin(), journal.end(), entry) - journal.begin();
    };
    const auto size = static_cast<std::ptrdiff_t>(registry.journal().size());
    ASSERT_LT(indexOf("drop Software\\Kavrond\\Dunmere"), size);
    EXPECT_LT(indexOf("set Software\\Brellix:Text Align"),
              indexOf("drop Software\\Kavrond\\Dunmere"));

    Window again;
    AppSettings againSettings;
    EXPECT_EQ(loadSettings(*root, {"", kFolder}, againSettings, again.view),
              SettingsSource::OwnKey);
    EXPECT_TRUE(againSettings == settings);
}

TEST_F(SettingsStore, importStoresNoRectangleTheWindowNeverHad)
{
    registry.putDword(kOld, "Booleans", 0x0B);
    EXPECT_EQ(load(), SettingsSource::Imported);
    for (const char* name : {"X", "Y", "CX", "CY"})
        EXPECT_EQ(registry.value(kPlain, name), nullptr) << name;

    // A position without a size keeps its position only.
    MemoryRegistry second;
    second.putDword(kOld, "X", 30);
    second.putDword(kOld, "Y", 40);
    Window window2;
    AppSettings settings2;
    EXPECT_EQ(loadSettings(*second.root(), {"", kFolder}, settings2, window2.view),
              SettingsSource::Imported);
    EXPECT_EQ(second.value(kPlain, "X")->data, words({30}));
    EXPECT_EQ(second.value(kPlain, "Y")->data, words({40}));
    EXPECT_EQ(second.value(kPlain, "CX"), nullptr);
    EXPECT_EQ(second.value(kPlain, "CY"), nullptr);
}

TEST_F(SettingsStore, importGoesIntoTheProfileKey)
{
    registry.putDword(kOld, "Booleans", 0x0B);
    EXPECT_EQ(load("Office"), SettingsSource::Imported);
    EXPECT_NE(registry.value("Software\\Brellix\\Office", "Booleans"), nullptr);
    EXPECT_EQ(registry.value(kPlain, "Booleans"), nullptr);
    EXPECT_FALSE(registry.hasKey(kOld));
}

TEST_F(SettingsStore, oldKeyStaysWhenItCouldNotBeSaved)
{
    registry.putDword(kOld, "Booleans", 0x0B);
    registry.failKey(kPlain);
    EXPECT_EQ(load(), SettingsSource::Imported);
    EXPECT_EQ(settings.booleans, 0x0Bu);
    EXPECT_TRUE(registry.hasKey(kOld));
}

TEST_F(SettingsStore, keyThatCannotBeOpenedOrCreated)
{
    registry.putDword(kPlain, "Booleans", 0x0B);
    registry.failKey(kPlain);
    EXPECT_EQ(load(), SettingsSource::Defaults);
    EXPECT_EQ(settings.booleans, Booleans::kDefault);
    EXPECT_FALSE(save());
    EXPECT_TRUE(registry.writtenValues(kPlain).empty());
}
