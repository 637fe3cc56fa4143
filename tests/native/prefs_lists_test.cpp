#include "meter/prefs/meter_rows.h"
#include "meter/prefs/volume_list.h"

#include <gtest/gtest.h>

namespace {

AppSettings withVolumes(std::size_t count, std::uint32_t displayed)
{
    AppSettings s;
    for (std::size_t i = 0; i < count; ++i)
        s.volumes.push_back(
            {std::string(1, static_cast<char>('C' + i)) + ":\\", "", 0xFFFFFFFFu, false});
    s.numDrivesDisplayed = displayed;
    return s;
}

std::vector<std::string> paths(const VolumeList& list)
{
    std::vector<std::string> out;
    for (const WatchedVolume& v : list.volumes())
        out.push_back(v.path);
    return out;
}

} // namespace

TEST(volumeList, removingTheLastVolumeWhileAllShownLowersTheNumber)
{
    VolumeList list(withVolumes(3, 3));
    list.select(2);
    list.removeSelected();
    EXPECT_EQ(list.displayed(), 2u);
    EXPECT_EQ(list.selection(), 1); // the new last one
}

TEST(volumeList, removalSelectsTheVolumeThatTookItsPlace)
{
    VolumeList list(withVolumes(3, 2));
    list.select(0);
    list.removeSelected();
    EXPECT_EQ(paths(list), (std::vector<std::string>{"D:\\", "E:\\"}));
    EXPECT_EQ(list.selection(), 0);
    EXPECT_EQ(list.displayed(), 2u); // did not show all: kept
}

TEST(volumeList, additionWhileAllShownShowsTheNewOneToo)
{
    VolumeList list(withVolumes(2, 2));
    ASSERT_TRUE(list.add({"F:\\", "", 0xFFFFFFFFu, false}));
    EXPECT_EQ(list.displayed(), 3u);
    EXPECT_EQ(list.selection(), 2);

    VolumeList partial(withVolumes(3, 1));
    ASSERT_TRUE(partial.add({"F:\\", "", 0xFFFFFFFFu, false}));
    EXPECT_EQ(partial.displayed(), 1u);
}

TEST(volumeList, additionsStopAtTheLimit)
{
    VolumeList list(withVolumes(0, 0));
    for (std::size_t i = 0; i < kMaxWatchedVolumes; ++i)
        ASSERT_TRUE(list.add({"C:\\", "", 0xFFFFFFFFu, false}));
    EXPECT_FALSE(list.add({"C:\\", "", 0xFFFFFFFFu, false}));
    EXPECT_EQ(list.volumes().size(), kMaxWatchedVolumes);
}

TEST(volumeList, withoutVolumesNothingIsDisplayedAndTheSpinIsOff)
{
    VolumeList list(withVolumes(1, 1));
    list.select(0);
    list.removeSelected();
    EXPECT_EQ(list.displayed(), 0u);
    EXPECT_FALSE(list.displayedEnabled());
    list.setDisplayed(4);
    EXPECT_EQ(list.displayed(), 0u);
    AppSettings s = withVolumes(1, 1);
    list.store(s);
    EXPECT_EQ(s.numDrivesDisplayed, 0u);
    EXPECT_TRUE(s.volumes.empty());
}

TEST(volumeList, typedNumbersAreHeldToTheRange)
{
    VolumeList list(withVolumes(5, 5));
    list.setDisplayed(300); // a byte would have made this 44
    EXPECT_EQ(list.displayed(), 5u);
    list.setDisplayed(0);
    EXPECT_EQ(list.displayed(), 1u);
}

TEST(volumeList, movingKeepsTheSelectionAndTheButtonsFollow)
{
    VolumeList list(withVolumes(3, 3));
    EXPECT_FALSE(list.canEditOrRemove());
    list.select(0);
    EXPECT_FALSE(list.canMoveUp());
    EXPECT_TRUE(list.canMoveDown());
    list.moveSelectedDown();
    EXPECT_EQ(paths(list), (std::vector<std::string>{"D:\\", "C:\\", "E:\\"}));
    EXPECT_EQ(list.selection(), 1);
    list.moveSelectedDown();
    EXPECT_FALSE(list.canMoveDown());
    list.moveSelectedUp();
    EXPECT_EQ(paths(list), (std::vector<std::string>{"D:\\", "C:\\", "E:\\"}));
}

TEST(volumeList, untouchedListIsNotWritten)
{
    AppSettings s = withVolumes(2, 0); // a stored 0 means all
    VolumeList list(s);
    EXPECT_EQ(list.displayed(), 2u);
    list.store(s);
    EXPECT_EQ(s.numDrivesDisplayed, 0u);
    list.setInTray(1, true);
    list.store(s);
    EXPECT_TRUE(s.volumes[1].inToolTip);
    EXPECT_EQ(s.numDrivesDisplayed, 2u);
}

TEST(volumeList, warningLevelText)
{
    EXPECT_EQ(warningLevelText({"C:\\", "", 1024, false}), "below 1024MB");
    EXPECT_EQ(warningLevelText({"C:\\", "", 0xFFFFFFFFu, false}), "");
}

TEST(meterRows, graphAndOtherMeters)
{
    AppSettings s;
    GraphOptions cpu(MeterKind::Cpu, true, true, false);
    cpu.setTimer(1);
    cpu.setHeight(40);
    cpu.setLineGraph(true);
    const MeterRow graph = meterRow({MeterKind::Cpu, "CPU", true, &cpu}, s);
    EXPECT_TRUE(graph.active);
    EXPECT_EQ(graph.texts[2], "1 sec.");
    EXPECT_EQ(graph.texts[3], "Line");
    EXPECT_EQ(graph.texts[6], "40");

    DriveOptions drive(false);
    drive.setTimer(0);
    s.timerSeconds[0] = 120;
    const MeterRow row = meterRow({MeterKind::Drive, "Drive Space", true, &drive}, s);
    EXPECT_FALSE(row.active);
    EXPECT_EQ(row.texts[2], "2 min.");
    EXPECT_EQ(row.texts[3], "");
    EXPECT_EQ(row.texts[5], "");
    EXPECT_EQ(row.texts[6], "auto");
    EXPECT_EQ(row.texts[7], "No");

    MeterOptions uptime(MeterKind::Uptime, true);
    EXPECT_EQ(meterRow({MeterKind::Uptime, "Uptime", false, &uptime}, s).texts[7], "");
}

TEST(nt4Notices, onceEachAndOnlyOnNt4)
{
    Nt4Notices nt4(true, 4);
    EXPECT_EQ(nt4.onSwitchedOn(MeterKind::DiskGraph), std::string(kDiskCountersNotice));
    EXPECT_FALSE(nt4.onSwitchedOn(MeterKind::DiskGraph));
    EXPECT_EQ(nt4.onSwitchedOn(MeterKind::NetGraph), std::string(kNetworkCountersNotice));
    EXPECT_FALSE(nt4.onSwitchedOn(MeterKind::Cpu));

    Nt4Notices nt5(true, 5);
    EXPECT_FALSE(nt5.onSwitchedOn(MeterKind::DiskGraph));
    Nt4Notices win9x(false, 4);
    EXPECT_FALSE(win9x.onSwitchedOn(MeterKind::NetGraph));
}
