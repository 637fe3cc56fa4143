#include "meter/prefs/prefs_model.h"

#include <gtest/gtest.h>

namespace {

struct OptionsRig {
    OptionsRig()
    {
        for (int k = 0; k < kMeterKindCount; ++k) {
            owned.push_back(makeMeterOptions(static_cast<MeterKind>(k), PlatformFamily::NT));
            table[static_cast<std::size_t>(k)] = owned.back().get();
        }
    }
    std::vector<std::unique_ptr<MeterOptions>> owned;
    MeterOptionsTable table{};
};

AppSettings someSettings()
{
    AppSettings s;
    s.resetDefaults("C:\\Brellix\\data\\");
    s.volumes.push_back({"C:\\", "System", 1024, true});
    return s;
}

} // namespace

TEST(preferencesModel, unchangedCopyIsNotModified)
{
    OptionsRig rig;
    PreferencesModel model(someSettings(), rig.table);
    EXPECT_FALSE(model.modified());
}

TEST(preferencesModel, caseOnlyEditsAreChanges)
{
    OptionsRig rig;
    PreferencesModel model(someSettings(), rig.table);
    model.working().logFilesFolder = "C:\\Brellix\\Data\\";
    // The settings' own comparison ignores case; the sheet must not.
    EXPECT_TRUE(model.working() == model.reference());
    EXPECT_TRUE(model.modified());

    model.working() = model.reference();
    model.working().volumes[0].userName = "system";
    EXPECT_TRUE(model.modified());

    model.working() = model.reference();
    model.working().volumeAlertOptions = "%v";
    EXPECT_TRUE(model.modified());
}

TEST(preferencesModel, everyFieldTakesPartInTheTest)
{
    OptionsRig rig;
    PreferencesModel model(someSettings(), rig.table);
    const auto changed = [&](auto edit) {
        model.working() = model.reference();
        edit(model.working());
        return model.modified();
    };
    EXPECT_TRUE(changed([](AppSettings& s) { s.booleans ^= Booleans::kAlwaysOnTop; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.timerSeconds[2] = 9; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.colours[6] = 0x123456; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.highLimit = 50; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.hotKey.modifiers = 9; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.textAlign = TextAlign::Right; }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.volumes.push_back({"D:\\", "", 0, false}); }));
    EXPECT_TRUE(changed([](AppSettings& s) { s.volumes[0].inToolTip = false; }));
    EXPECT_FALSE(changed([](AppSettings&) {}));
}

TEST(preferencesModel, meterOptionsChangesCountAndCommitMakesTheReference)
{
    OptionsRig rig;
    PreferencesModel model(someSettings(), rig.table);
    model.workingOptions()[static_cast<std::size_t>(MeterKind::DiskGraph)]->setActive(true);
    EXPECT_TRUE(model.modified());
    // The sheet's copies are its own: the meters' records are untouched.
    EXPECT_FALSE(rig.table[static_cast<std::size_t>(MeterKind::DiskGraph)]->active());

    model.commit();
    EXPECT_FALSE(model.modified());
    EXPECT_TRUE(model.referenceOptions()[static_cast<std::size_t>(MeterKind::DiskGraph)]->active());
    model.workingOptions()[static_cast<std::size_t>(MeterKind::DiskGraph)]->setActive(false);
    EXPECT_TRUE(model.modified());
}

TEST(preferencesModel, remoteComputerChangeIgnoresCase)
{
    AppSettings before, after;
    before.setRemoteComputer("alpha");
    after.setRemoteComputer("ALPHA");
    EXPECT_FALSE(remoteComputerChanged(before, after));
    EXPECT_FALSE(sameSettingsExactly(before, after)); // still an edit to store
    after.setRemoteComputer("beta");
    EXPECT_TRUE(remoteComputerChanged(before, after));
    after.remoteComputer.clear();
    EXPECT_TRUE(remoteComputerChanged(before, after));
}
