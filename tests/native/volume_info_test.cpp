#include "meter/prefs/volume_info.h"

#include <gtest/gtest.h>

namespace {

VolumeInfoFields fields(const std::string& path, bool warn, const std::string& level)
{
    VolumeInfoFields f;
    f.path = path;
    f.warn = warn;
    f.level = level;
    return f;
}

} // namespace

TEST(volumeInfo, levelIsCheckedOnlyWhileItsBoxIsChecked)
{
    EXPECT_EQ(checkVolumeInfo(fields("C:\\", true, "100000")), VolumeInfoProblem::LevelOutOfRange);
    EXPECT_EQ(checkVolumeInfo(fields("C:\\", true, "")), VolumeInfoProblem::LevelOutOfRange);
    // A disabled field holds whatever it held: it refuses nothing.
    EXPECT_EQ(checkVolumeInfo(fields("C:\\", false, "junk")), VolumeInfoProblem::None);
    EXPECT_EQ(checkVolumeInfo(fields("C:\\", true, "99999")), VolumeInfoProblem::None);
}

TEST(volumeInfo, pathOfAtMostSixtyCharacters)
{
    EXPECT_EQ(checkVolumeInfo(fields(std::string(60, 'a'), false, "")), VolumeInfoProblem::None);
    EXPECT_EQ(checkVolumeInfo(fields(std::string(61, 'a'), false, "")),
              VolumeInfoProblem::PathTooLong);
}

TEST(volumeInfo, volumeMadeOfTheFields)
{
    WatchedVolume base{"", "", 1024, true};
    VolumeInfoFields f = fields("\\\\server\\share", true, "0");
    f.name = "Share";
    WatchedVolume v = volumeOf(f, base);
    EXPECT_EQ(v.path, "\\\\server\\share\\"); // a backslash appended
    EXPECT_EQ(v.userName, "Share");
    EXPECT_EQ(v.warningMB, 0xFFFFFFFFu); // level 0: no warning
    EXPECT_TRUE(v.inToolTip);            // the dialog does not edit it

    EXPECT_EQ(volumeOf(fields("D:\\", true, "500"), base).warningMB, 500u);
    EXPECT_EQ(volumeOf(fields("D:\\", false, "500"), base).warningMB, 0xFFFFFFFFu);
}

TEST(volumeInfo, fieldsOfAVolume)
{
    const VolumeInfoFields none = volumeInfoFields({"C:\\", "Sys", 0xFFFFFFFFu, false});
    EXPECT_FALSE(none.warn);
    EXPECT_EQ(none.level, "");
    const VolumeInfoFields some = volumeInfoFields({"C:\\", "Sys", 2048, false});
    EXPECT_TRUE(some.warn);
    EXPECT_EQ(some.level, "2048");
    EXPECT_FALSE(volumeInfoOkEnabled(""));
}
