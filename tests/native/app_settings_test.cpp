#include "meter/app_settings.h"
#include "meter/memory_registry.h"
#include "meter/registry_values.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kKey = "Software\\Brellix";
const char* const kFolder = "C:\\Tools\\Brellix";

AppSettings defaults()
{
    AppSettings s;
    s.resetDefaults(kFolder);
    return s;
}

// A settings object with every field away from its default.
AppSettings unusual()
{
    AppSettings s = defaults();
    s.booleans = 0x0123CDEFu & ~Booleans::kClearedOnLoad;
    s.setRemoteComputer("Server7");
    s.logFilesFolder = "D:\\Logs\\";
    s.logFileBuffer = 2;
    s.timerSeconds = {120, 2, 10};
    s.columnOrder = {4, 3, 2, 1, 0};
    s.columnPositions = {10, 20, 30, 40, 50};
    s.volumeWarningSound = 2;
    s.colours = {1, 2, 3, 4, 5, 6, 7};
    s.volumes = {{"C:\\", "System", 500, true}, {"\\\\nas\\share\\", "", 0xFFFFFFFFu, false}};
    s.numDrivesDisplayed = 1;
    s.highLimit = 80;
    s.mediumLimit = 60;
    s.volumeAlertExe = "C:\\alert.exe";
    s.volumeAlertOptions = "-v %V";
    s.hotKey = {65, 8 | 2};
    s.textAlign = TextAlign::Right;
    return s;
}

class AppSettingsStore : public ::testing::Test {
protected:
    AppSettings loadOver(AppSettings s)
    {
        auto key = registry.root()->openSubkey(kKey);
        if (key)
            s.load(*key, kFolder);
        return s;
    }
    AppSettings loaded() { return loadOver(defaults()); }

    MemoryRegistry registry;
};

} // namespace

TEST(AppSettings, firstStartDefaults)
{
    const AppSettings s = defaults();
    EXPECT_EQ(s.booleans, 0xF820008Bu);
    EXPECT_EQ(s.booleans, Booleans::kShowUsedPercent | Booleans::kShowUnavailableVolumes |
                              Booleans::kHideFromTaskBar | Booleans::kFirstRun |
                              (2u << Booleans::kUpdateIntervalShift) | Booleans::kColumnPercentage |
                              Booleans::kColumnTotal | Booleans::kColumnUsed |
                              Booleans::kColumnFree | Booleans::kSetByDefault);
    EXPECT_EQ(s.logFilesFolder, "C:\\Tools\\Brellix\\");
    EXPECT_EQ(s.remoteComputer, "");
    EXPECT_EQ(s.logFileBuffer, 1u);
    EXPECT_EQ(s.timerSeconds, (std::array<std::uint32_t, 3>{60, 1, 5}));
    EXPECT_EQ(s.columnOrder, (std::array<std::int32_t, 5>{0, 1, 2, 3, 4}));
    EXPECT_EQ(s.colours, colourSchemes()[0].colours);
    EXPECT_EQ(s.highLimit, 98);
    EXPECT_EQ(s.mediumLimit, 90);
    EXPECT_EQ(s.hotKey.virtualKey, 121u);
    EXPECT_EQ(s.hotKey.modifiers, 0u);
    EXPECT_EQ(s.textAlign, TextAlign::Centre);
    EXPECT_TRUE(s.volumes.empty());

    AppSettings changed = unusual();
    changed.resetDefaults("C:\\Tools\\Brellix\\");
    EXPECT_TRUE(changed == s);
}

TEST(AppSettings, remoteComputerKeepsTwoLeadingBackslashes)
{
    AppSettings s;
    const std::pair<const char*, const char*> cases[] = {
        {"server", "\\\\server"},
        {"\\server", "\\\\server"},
        {"\\\\server", "\\\\server"},
        {"x", "\\\\x"},
        {"", ""},
        {"\\", ""},
        {"\\\\", ""},
        {"\\\\\\a", "\\\\\\a"},
    };
    for (const auto& c : cases) {
        s.remoteComputer = "stale";
        s.setRemoteComputer(c.first);
        EXPECT_EQ(s.remoteComputer, c.second) << c.first;
    }
}

TEST(AppSettings, settingsKeyPathWithAndWithoutProfile)
{
    EXPECT_EQ(settingsKeyPath("", true), "Software\\Brellix");
    EXPECT_EQ(settingsKeyPath("Office", true), "Software\\Brellix\\Office");
    EXPECT_EQ(settingsKeyPath("Office", false), "Software\\Brellix");
}

TEST(AppSettings, compareIgnoresTheCaseOfTextsOnly)
{
    const AppSettings base = unusual();
    AppSettings copy = base;
    EXPECT_TRUE(copy == base);
    copy.remoteComputer = "\\\\SERVER7";
    copy.logFilesFolder = "d:\\logs\\";
    copy.volumes[0].path = "c:\\";
    copy.volumes[0].userName = "SYSTEM";
    copy.volumeAlertExe = "c:\\ALERT.EXE";
    copy.volumeAlertOptions = "-V %v";
    EXPECT_TRUE(copy == base);

    const std::vector<std::function<void(AppSettings&)>> changes = {
        [](AppSettings& s) { s.booleans ^= 1u << 13; },
        [](AppSettings& s) { s.remoteComputer += "x"; },
        [](AppSettings& s) { s.logFilesFolder = "E:\\"; },
        [](AppSettings& s) { s.logFileBuffer = 0; },
        [](AppSettings& s) { s.timerSeconds[2] = 6; },
        [](AppSettings& s) { s.columnOrder[0] = 0; },
        [](AppSettings& s) { s.columnPositions[4] = 0; },
        [](AppSettings& s) { s.numDrivesDisplayed = 2; },
        [](AppSettings& s) { s.volumeWarningSound = 1; },
        [](AppSettings& s) { s.colours[6] = 0; },
        [](AppSettings& s) { s.volumes.pop_back(); },
        [](AppSettings& s) { s.volumes[1].path = "D:\\"; },
        [](AppSettings& s) { s.volumes[1].userName = "Data"; },
        [](AppSettings& s) { s.volumes[0].warningMB = 501; },
        [](AppSettings& s) { s.volumes[0].inToolTip = false; },
        [](AppSettings& s) { s.highLimit = 81; },
        [](AppSettings& s) { s.mediumLimit = 61; },
        [](AppSettings& s) { s.volumeAlertExe.clear(); },
        [](AppSettings& s) { s.volumeAlertOptions = "%V"; },
        [](AppSettings& s) { s.hotKey.virtualKey = 66; },
        [](AppSettings& s) { s.hotKey.modifiers = 8; },
        [](AppSettings& s) { s.textAlign = TextAlign::Left; },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        AppSettings changed = base;
        changes[i](changed);
        EXPECT_FALSE(changed == base) << "change " << i;
        EXPECT_TRUE(changed != base) << "change " << i;
    }
}

TEST_F(AppSettingsStore, savesEveryValueInOrder)
{
    AppSettings s = unusual();
    auto key = registry.root()->createSubkey(kKey);
    EXPECT_TRUE(s.save(*key));
    const std::vector<std::string> expected = {"Booleans",
                                               "Remote Computer",
                                               "Log Files Folder",
                                               "Log File Buffer",
                                               "Timer Times",
                                               "Column Order",
                                               "Column Positions",
                                               "Num Drives Displayed",
                                               "Volume Warning Sound",
                                               "Colors",
                                               "Volume Count",
                                               "Volume 0",
                                               "User Name 0",
                                               "Volume Warning 0",
                                               "Volume In ToolTip 0",
                                               "Volume 1",
                                               "User Name 1",
                                               "Volume Warning 1",
                                               "Volume In ToolTip 1",
                                               "Bar Graph Limits",
                                               "Volume Alert Exe",
                                               "Volume Alert Options",
                                               "Hot Key",
                                               "Text Align"};
    EXPECT_EQ(registry.writtenValues(kKey), expected);

    auto has = [&](const char* name, std::uint32_t type, std::vector<std::uint8_t> data) {
        const RegistryValue* v = registry.value(kKey, name);
        ASSERT_NE(v, nullptr) << name;
        EXPECT_EQ(v->type, type) << name;
        EXPECT_EQ(v->data, data) << name;
    };
    has("Booleans", RegType::kDword, words({s.booleans}));
    has("Remote Computer", RegType::kSz, {'\\', '\\', 'S', 'e', 'r', 'v', 'e', 'r', '7', 0});
    has("Timer Times", RegType::kBinary, words({120, 2, 10}));
    has("Column Order", RegType::kBinary, words({4, 3, 2, 1, 0}));
    has("Colors", RegType::kBinary, words({1, 2, 3, 4, 5, 6, 7}));
    has("Volume Count", RegType::kDword, words({2}));
    has("Volume Warning 1", RegType::kDword, words({0xFFFFFFFFu}));
    has("Volume In ToolTip 0", RegType::kDword, words({1}));
    has("Bar Graph Limits", RegType::kDword, words({0x3C50}));
    has("Hot Key", RegType::kBinary, words({65, 10}));
    has("Text Align", RegType::kDword, words({2}));
    has("Volume Alert Exe", RegType::kSz,
        {'C', ':', '\\', 'a', 'l', 'e', 'r', 't', '.', 'e', 'x', 'e', 0});
}

TEST_F(AppSettingsStore, roundTripsThroughTheRegistry)
{
    const AppSettings s = unusual();
    auto key = registry.root()->createSubkey(kKey);
    ASSERT_TRUE(s.save(*key));
    const AppSettings back = loaded();
    EXPECT_TRUE(back == s);
    // Texts come back byte for byte, not merely equal without case.
    EXPECT_EQ(back.volumes[1].path, s.volumes[1].path);
    EXPECT_EQ(back.volumeAlertOptions, s.volumeAlertOptions);
}

TEST_F(AppSettingsStore, barGraphLimitsDefaultEncoding)
{
    auto key = registry.root()->createSubkey(kKey);
    ASSERT_TRUE(defaults().save(*key));
    EXPECT_EQ(registry.value(kKey, "Bar Graph Limits")->data, words({0x5A62}));
    registry.putDword(kKey, "Bar Graph Limits", 0x0000321E);
    const AppSettings s = loaded();
    EXPECT_EQ(s.highLimit, 30);
    EXPECT_EQ(s.mediumLimit, 50);
}

TEST_F(AppSettingsStore, valuesOfTheWrongTypeOrSizeKeepTheirDefaults)
{
    const std::vector<std::uint8_t> nine(9, 0x11);
    registry.put(kKey, "Booleans", RegType::kSz, {'1', 0});
    registry.put(kKey, "Log File Buffer", RegType::kDword, {0, 0});
    registry.put(kKey, "Num Drives Displayed", RegType::kDword, words({3, 3}));
    registry.put(kKey, "Timer Times", RegType::kBinary, words({9, 9}));
    registry.put(kKey, "Column Order", RegType::kBinary, words({1, 1, 1, 1}));
    registry.put(kKey, "Column Positions", RegType::kDword, words({1, 1, 1, 1, 1}));
    registry.put(kKey, "Colors", RegType::kBinary, words({0, 0, 0, 0, 0, 0, 0, 0}));
    registry.put(kKey, "Bar Graph Limits", RegType::kBinary, words({0x1010}));
    registry.put(kKey, "Hot Key", RegType::kBinary, words({65}));
    registry.put(kKey, "Text Align", RegType::kBinary, words({0}));
    registry.put(kKey, "Remote Computer", RegType::kBinary, {'\\', '\\', 'x', 0});
    registry.put(kKey, "Log Files Folder", 2 /* REG_EXPAND_SZ */, {'E', ':', '\\', 0});
    registry.put(kKey, "Volume Alert Exe", RegType::kSz, std::vector<std::uint8_t>(300, 'a'));
    registry.put(kKey, "Volume Warning Sound", RegType::kBinary, nine);
    EXPECT_TRUE(loaded() == defaults());
}

TEST_F(AppSettingsStore, hotKeyOnlyAsEightBinaryBytes)
{
    registry.put(kKey, "Hot Key", RegType::kDword, words({65, 8}));
    EXPECT_EQ(loaded().hotKey.virtualKey, 121u);
    registry.put(kKey, "Hot Key", RegType::kBinary, words({65}));
    EXPECT_EQ(loaded().hotKey.virtualKey, 121u);
    registry.put(kKey, "Hot Key", RegType::kBinary, words({65, 8}));
    EXPECT_EQ(loaded().hotKey.virtualKey, 65u);
    EXPECT_EQ(loaded().hotKey.modifiers, 8u);
}

TEST_F(AppSettingsStore, bit26IsClearedOnLoad)
{
    registry.putDword(kKey, "Booleans", 0xFFFFFFFFu);
    EXPECT_EQ(loaded().booleans, 0xFBFFFFFFu);
    // Also when it was set in memory and the key holds no flag word at all.
    registry.root()->openSubkey(kKey)->deleteValue("Booleans");
    AppSettings s = defaults();
    s.booleans |= Booleans::kClearedOnLoad;
    EXPECT_FALSE(loadOver(s).flag(Booleans::kClearedOnLoad));
}

TEST_F(AppSettingsStore, timerTimesFallBackToTheOlderValues)
{
    registry.putDword(kKey, "Drive Update Time", 30);
    registry.putDword(kKey, "UsageMeterUpdateTime", 3);
    EXPECT_EQ(loaded().timerSeconds, (std::array<std::uint32_t, 3>{30, 3, 3}));

    registry.root()->openSubkey(kKey)->deleteValue("UsageMeterUpdateTime");
    EXPECT_EQ(loaded().timerSeconds, (std::array<std::uint32_t, 3>{30, 1, 5}));

    registry.put(kKey, "Timer Times", RegType::kBinary, words({90, 4, 8}));
    registry.putDword(kKey, "UsageMeterUpdateTime", 3);
    EXPECT_EQ(loaded().timerSeconds, (std::array<std::uint32_t, 3>{90, 4, 8}));
}

TEST_F(AppSettingsStore, missingValuesWithTheirOwnDefaults)
{
    registry.putDword(kKey, "Booleans", 0x8B);
    AppSettings s = unusual();
    const AppSettings back = loadOver(s);
    EXPECT_EQ(back.logFilesFolder, "C:\\Tools\\Brellix\\");
    EXPECT_EQ(back.volumeWarningSound, 0u);
    EXPECT_EQ(back.volumeAlertExe, "");
    EXPECT_EQ(back.volumeAlertOptions, "");
    // Without "Volume Count" the list is left alone.
    EXPECT_EQ(back.volumes.size(), 2u);
}

TEST_F(AppSettingsStore, textsEndAtTheirFirstZeroOrTheirData)
{
    registry.put(kKey, "Volume Alert Exe", RegType::kSz, {'a', '.', 'e', 'x', 'e'});
    registry.put(kKey, "Volume Alert Options", RegType::kSz, {'-', 'q', 0, 'j', 'u', 'n', 'k'});
    registry.put(kKey, "Log Files Folder", RegType::kSz, std::vector<std::uint8_t>(259, 'L'));
    const AppSettings s = loaded();
    EXPECT_EQ(s.volumeAlertExe, "a.exe");
    EXPECT_EQ(s.volumeAlertOptions, "-q");
    EXPECT_EQ(s.logFilesFolder, std::string(259, 'L'));
}

TEST_F(AppSettingsStore, textAlignOutsideItsThreeValuesIsIgnored)
{
    registry.putDword(kKey, "Text Align", 3);
    EXPECT_EQ(loaded().textAlign, TextAlign::Centre);
    registry.putDword(kKey, "Text Align", 0);
    EXPECT_EQ(loaded().textAlign, TextAlign::Left);
}

TEST_F(AppSettingsStore, volumeWithoutItsPathIsDropped)
{
    registry.putDword(kKey, "Volume Count", 3);
    registry.putString(kKey, "Volume 0", "C:\\");
    registry.putString(kKey, "User Name 1", "orphan");
    registry.putDword(kKey, "Volume Warning 1", 10);
    registry.putString(kKey, "Volume 2", "E:\\");
    registry.putString(kKey, "User Name 2", "Media");
    registry.putDword(kKey, "Volume Warning 2", 700);
    registry.putDword(kKey, "Volume In ToolTip 2", 5);
    registry.putString(kKey, "Volume 3", "F:\\"); // beyond the count
    const AppSettings s = loaded();
    ASSERT_EQ(s.volumes.size(), 2u);
    EXPECT_EQ(s.volumes[0].path, "C:\\");
    EXPECT_EQ(s.volumes[0].userName, "");
    EXPECT_EQ(s.volumes[0].warningMB, 0xFFFFFFFFu);
    EXPECT_FALSE(s.volumes[0].inToolTip);
    EXPECT_EQ(s.volumes[1].path, "E:\\");
    EXPECT_EQ(s.volumes[1].userName, "Media");
    EXPECT_EQ(s.volumes[1].warningMB, 700u);
    EXPECT_TRUE(s.volumes[1].inToolTip);
}

TEST_F(AppSettingsStore, volumePathsGainTheirTrailingBackslashOnLoad)
{
    registry.putDword(kKey, "Volume Count", 3);
    registry.putString(kKey, "Volume 0", "\\\\srv\\docs");
    registry.putString(kKey, "Volume 1", "D:");
    registry.putString(kKey, "Volume 2", "E:\\");
    const AppSettings s = loaded();
    ASSERT_EQ(s.volumes.size(), 3u);
    EXPECT_EQ(s.volumes[0].path, "\\\\srv\\docs\\");
    EXPECT_EQ(s.volumes[1].path, "D:\\");
    EXPECT_EQ(s.volumes[2].path, "E:\\");
}

TEST_F(AppSettingsStore, textsThatLoadingLengthensStillLoadAfterTheirSave)
{
    // 259 characters is the most a text may have; the backslashes loading adds must not
    // produce a value that the next start refuses.
    const std::string longest(kMaxSettingsText, 'a');
    registry.putDword(kKey, "Volume Count", 3);
    registry.putString(kKey, "Volume 0", longest);
    registry.putString(kKey, "Volume 1", longest.substr(1));
    registry.putString(kKey, "Volume 2", longest.substr(1) + "\\");
    registry.putString(kKey, "Remote Computer", longest);
    const AppSettings s = loaded();
    ASSERT_EQ(s.volumes.size(), 2u);
    EXPECT_EQ(s.volumes[0].path, longest.substr(1) + "\\");
    EXPECT_EQ(s.volumes[1].path, longest.substr(1) + "\\");
    EXPECT_EQ(s.remoteComputer, "");

    registry.putString(kKey, "Remote Computer", "\\\\" + longest.substr(2));
    EXPECT_EQ(loaded().remoteComputer, "\\\\" + longest.substr(2));
    registry.putString(kKey, "Remote Computer", longest.substr(2));
    EXPECT_EQ(loaded().remoteComputer, "\\\\" + longest.substr(2));
    registry.putString(kKey, "Remote Computer", longest.substr(1));
    EXPECT_EQ(loaded().remoteComputer, "");

    MemoryRegistry again;
    auto key = again.root()->createSubkey(kKey);
    ASSERT_TRUE(s.save(*key));
    AppSettings back = defaults();
    back.load(*key, kFolder);
    EXPECT_TRUE(back == s);
}

TEST_F(AppSettingsStore, numDrivesDisplayedIsFittedToTheVolumes)
{
    registry.putDword(kKey, "Volume Count", 3);
    for (int n = 0; n < 3; ++n)
        registry.putString(kKey, "Volume " + std::to_string(n), "X:\\");
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 3}, {1, 1}, {3, 3}, {4, 3}, {0xFFFFFFFFu, 3}};
    for (const auto& c : cases) {
        registry.putDword(kKey, "Num Drives Displayed", c.first);
        EXPECT_EQ(loaded().numDrivesDisplayed, c.second) << c.first;
    }
    // A dropped volume counts as gone.
    registry.root()->openSubkey(kKey)->deleteValue("Volume 1");
    registry.putDword(kKey, "Num Drives Displayed", 3);
    EXPECT_EQ(loaded().numDrivesDisplayed, 2u);
}

TEST_F(AppSettingsStore, hugeVolumeCountIsBounded)
{
    registry.putDword(kKey, "Volume Count", 0xFFFFFFFFu);
    registry.putString(kKey, "Volume 0", "C:\\");
    registry.putString(kKey, "Volume 255", "Z:\\");
    registry.putString(kKey, "Volume 256", "Y:\\");
    const AppSettings s = loaded();
    ASSERT_EQ(s.volumes.size(), 2u);
    EXPECT_EQ(s.volumes[1].path, "Z:\\");
}

TEST_F(AppSettingsStore, volumesAreNumberedDenselyWhenOneCannotBeWritten)
{
    auto key = registry.root()->createSubkey(kKey);
    // An earlier save left three volumes.
    AppSettings earlier = defaults();
    earlier.volumes = {{"P:\\", "", 1, false}, {"Q:\\", "", 2, false}, {"R:\\", "", 3, false}};
    ASSERT_TRUE(earlier.save(*key));

    AppSettings s = defaults();
    s.volumes = {{"A:\\", "a", 10, false}, {"B:\\", "b", 20, true}, {"C:\\", "c", 30, false}};
    registry.failWritesOf("Volume 0", 1);
    EXPECT_FALSE(s.save(*key));
    EXPECT_EQ(registry.value(kKey, "Volume Count")->data, words({2}));

    const AppSettings back = loaded();
    ASSERT_EQ(back.volumes.size(), 2u);
    EXPECT_EQ(back.volumes[0].path, "B:\\");
    EXPECT_EQ(back.volumes[0].userName, "b");
    EXPECT_TRUE(back.volumes[0].inToolTip);
    EXPECT_EQ(back.volumes[1].path, "C:\\");
    EXPECT_EQ(back.volumes[1].warningMB, 30u);
}

TEST_F(AppSettingsStore, failedWritesAreReportedAndTheRestIsStillWritten)
{
    auto key = registry.root()->createSubkey(kKey);
    registry.failWritesOf("Colors");
    EXPECT_FALSE(defaults().save(*key));
    EXPECT_EQ(registry.value(kKey, "Colors"), nullptr);
    EXPECT_NE(registry.value(kKey, "Text Align"), nullptr);
}
