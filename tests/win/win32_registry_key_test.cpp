#include "meter/settings_store.h"
#include "meter/win32_registry_key.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using K = MeterKind;

struct Window {
    WindowPlacement placement;
    MeterOrder order = MeterOrder::defaultOrder();
    std::vector<std::unique_ptr<MeterOptions>> owned;
    WindowAndMeters view{};

    Window()
    {
        view.placement = &placement;
        view.order = &order;
        view.family = PlatformFamily::NT;
        for (int k = 0; k < kMeterKindCount; ++k) {
            owned.push_back(makeMeterOptions(static_cast<K>(k), PlatformFamily::NT));
            view.options[static_cast<std::size_t>(k)] = owned.back().get();
        }
    }
    MeterOptions& options(K kind) { return *owned[static_cast<std::size_t>(kind)]; }
};

struct Stored {
    DWORD type = 0;
    DWORD size = 0;
    bool present = false;
};

// What Windows itself reports about a value, bypassing our seam.
Stored storedValue(const std::string& keyPath, const char* name)
{
    Stored stored;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return stored;
    stored.present =
        RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &stored.size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

bool keyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void setRaw(const std::string& path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// Every test works below a profile of its own, removed again afterwards.
class Win32Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        profile = "wine-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        keyPath = settingsKeyPath(profile, true);
        root = Win32RegistryKey::root(HKEY_CURRENT_USER);
    }
    void TearDown() override
    {
        if (auto brellix = root->openSubkey("Software\\Brellix"))
            brellix->deleteSubkey(profile);
        EXPECT_FALSE(keyExists(keyPath));
    }

    std::string profile;
    std::string keyPath;
    std::unique_ptr<Win32RegistryKey> root;
};

} // namespace

TEST_F(Win32Settings, valuesKeepTheirTypesAndSizesInTheRealRegistry)
{
    AppSettings settings;
    settings.resetDefaults("C:\\Brellix\\");
    settings.setRemoteComputer("host9");
    settings.volumes = {{"C:\\", "System", 100, true}};
    Window window;
    window.placement = {-20, 30, 200, 300, true, true};
    ASSERT_TRUE(saveSettings(*root, {profile, "C:\\Brellix\\"}, settings, window.view));

    const std::pair<const char*, std::pair<DWORD, DWORD>> expected[] = {
        {"X", {REG_DWORD, 4}},
        {"CY", {REG_DWORD, 4}},
        {"Meter Order", {REG_BINARY, 56}},
        {"Meter Options 0", {REG_BINARY, 16}},  // Uptime
        {"Meter Options 9", {REG_BINARY, 32}},  // Network
        {"Meter Options 11", {REG_BINARY, 28}}, // Processes
        {"Meter Options 12", {REG_BINARY, 1620}},
        {"Booleans", {REG_DWORD, 4}},
        {"Remote Computer", {REG_SZ, 8}},
        {"Log Files Folder", {REG_SZ, 12}},
        {"Timer Times", {REG_BINARY, 12}},
        {"Column Order", {REG_BINARY, 20}},
        {"Column Positions", {REG_BINARY, 20}},
        {"Colors", {REG_BINARY, 28}},
        {"Volume Count", {REG_DWORD, 4}},
        {"Volume 0", {REG_SZ, 4}},
        {"User Name 0", {REG_SZ, 7}},
        {"Volume Warning 0", {REG_DWORD, 4}},
        {"Volume In ToolTip 0", {REG_DWORD, 4}},
        {"Bar Graph Limits", {REG_DWORD, 4}},
        {"Volume Alert Exe", {REG_SZ, 1}},
        {"Hot Key", {REG_BINARY, 8}},
        {"Text Align", {REG_DWORD, 4}},
    };
    for (const auto& e : expected) {
        const Stored stored = storedValue(keyPath, e.first);
        EXPECT_TRUE(stored.present) << e.first;
        EXPECT_EQ(stored.type, e.second.first) << e.first;
        EXPECT_EQ(stored.size, e.second.second) << e.first;
    }
    // Resources is a placeholder on this family and has no record.
    EXPECT_FALSE(storedValue(keyPath, "Meter Options 13").present);
}

TEST_F(Win32Settings, roundTripThroughTheRealRegistry)
{
    AppSettings settings;
    settings.resetDefaults("C:\\Brellix\\");
    settings.booleans = 0x12345678 & ~Booleans::kClearedOnLoad;
    settings.hotKey = {80, 8 | 1};
    settings.volumeAlertOptions = "%V now";
    settings.volumes = {{"C:\\", "", 100, false}, {"D:\\", "Data", 5, true}};
    settings.numDrivesDisplayed = 1;
    Window window;
    window.placement = {-20, 30, 200, 300, true, true};
    window.order.moveKind(K::Process, 0);
    window.options(K::Process).setActive(true);
    static_cast<PingOptions&>(window.options(K::Ping)).setHost(19, "last.example");
    ASSERT_TRUE(saveSettings(*root, {profile, "C:\\Brellix\\"}, settings, window.view));

    AppSettings back;
    Window backWindow;
    EXPECT_EQ(loadSettings(*root, {profile, "C:\\Brellix\\"}, back, backWindow.view),
              SettingsSource::OwnKey);
    EXPECT_TRUE(back == settings);
    EXPECT_EQ(back.volumes[1].userName, "Data");
    EXPECT_EQ(backWindow.placement.x, -20);
    EXPECT_TRUE(backWindow.placement.sizeStored);
    EXPECT_EQ(backWindow.order.currentOrder(), window.order.currentOrder());
    for (int k = 0; k < kMeterKindCount; ++k)
        EXPECT_EQ(backWindow.owned[static_cast<std::size_t>(k)]->bytes(),
                  window.owned[static_cast<std::size_t>(k)]->bytes())
            << k;
}

TEST_F(Win32Settings, valuesWrittenByOthersOfTheWrongShapeAreIgnored)
{
    const DWORD hot[2] = {65, 8};
    setRaw(keyPath, "Hot Key", REG_DWORD, &hot[0], 4);
    const DWORD booleans = 0xFFFFFFFF;
    setRaw(keyPath, "Booleans", REG_DWORD, &booleans, 4);
    const BYTE order[52] = {};
    setRaw(keyPath, "Meter Order", REG_BINARY, order, sizeof order);
    setRaw(keyPath, "Volume Alert Exe", REG_SZ, "unterminated", 12);

    AppSettings settings;
    Window window;
    loadSettings(*root, {profile, "C:\\"}, settings, window.view);
    EXPECT_EQ(settings.hotKey.virtualKey, 121u);
    EXPECT_EQ(settings.booleans, 0xFBFFFFFFu);
    EXPECT_EQ(settings.volumeAlertExe, "unterminated");
    EXPECT_EQ(window.order.currentOrder(), MeterOrder::defaultOrder().currentOrder());
}

TEST_F(Win32Settings, keyOperations)
{
    EXPECT_EQ(root->openSubkey(keyPath), nullptr);
    auto key = root->createSubkey(keyPath + "\\a\\b");
    ASSERT_NE(key, nullptr);
    const std::uint8_t data[3] = {1, 2, 3};
    EXPECT_TRUE(key->setValue("v", RegType::kBinary, data, 3));
    RegistryValue value;
    ASSERT_TRUE(key->queryValue("V", value));
    EXPECT_EQ(value.type, RegType::kBinary);
    EXPECT_EQ(value.data, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(key->setValue("empty", RegType::kBinary, nullptr, 0));
    ASSERT_TRUE(key->queryValue("empty", value));
    EXPECT_TRUE(value.data.empty());
    EXPECT_TRUE(key->deleteValue("v"));
    EXPECT_FALSE(key->queryValue("v", value));
    EXPECT_FALSE(key->deleteValue("v"));
    key.reset();

    // Deleting a key takes its subkeys with it.
    auto top = root->openSubkey(keyPath);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->deleteSubkey("a"));
    EXPECT_FALSE(keyExists(keyPath + "\\a"));
    EXPECT_FALSE(top->deleteSubkey("a"));
}

TEST_F(Win32Settings, earlierProductIsImportedAndRemoved)
{
    const std::string old = std::string(kImportParentPath) + "\\" + kImportKeyName;
    if (keyExists(old))
        GTEST_SKIP() << "this prefix holds real settings of the earlier product";
    const bool parentExisted = keyExists(kImportParentPath);
    const DWORD booleans = 0x8B | Booleans::kAlwaysOnTop;
    setRaw(old, "Booleans", REG_DWORD, &booleans, 4);
    const DWORD x = 77;
    setRaw(old, "X", REG_DWORD, &x, 4);
    setRaw(old, "Y", REG_DWORD, &x, 4);
    setRaw(old + "\\Nested", "Anything", REG_DWORD, &x, 4);

    AppSettings settings;
    Window window;
    EXPECT_EQ(loadSettings(*root, {profile, "C:\\"}, settings, window.view),
              SettingsSource::Imported);
    EXPECT_TRUE(settings.flag(Booleans::kAlwaysOnTop));
    EXPECT_EQ(window.placement.x, 77);
    EXPECT_FALSE(keyExists(old));
    EXPECT_EQ(storedValue(keyPath, "Booleans").type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(storedValue(keyPath, "Meter Order").size, 56u);

    AppSettings again;
    Window againWindow;
    EXPECT_EQ(loadSettings(*root, {profile, "C:\\"}, again, againWindow.view),
              SettingsSource::OwnKey);
    EXPECT_TRUE(again == settings);

    if (!parentExisted)
        if (auto software = root->openSubkey("Software"))
            software->deleteSubkey("Kavrond");
}

TEST(programFolder, endsWithABackslashAndHoldsThisProgram)
{
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_NE(GetFileAttributesA((folder + "win_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}
