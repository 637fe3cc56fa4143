#include "meter/prefs/host_list.h"
#include "meter/prefs/meter_sheet_fields.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Record> std::unique_ptr<Record> record(MeterKind kind)
{
    auto options = makeMeterOptions(kind, PlatformFamily::NT);
    return std::unique_ptr<Record>(static_cast<Record*>(options.release()));
}

// The record with one byte changed.
Bytes with(Bytes bytes, std::size_t at, std::uint8_t value)
{
    bytes[at] = value;
    return bytes;
}

} // namespace

TEST(meterOptionsPages, eachKindGetsItsPagesInOrder)
{
    using P = MeterPage;
    const std::vector<std::vector<MeterPage>> expected{
        {P::General, P::Graph},             // CPU
        {P::General, P::Memory},            // page file table
        {P::General, P::Graph},             // page file graph
        {P::General, P::Graph, P::Network}, // network graph
        {P::General, P::Graph, P::Disk},    // disk graph
        {P::General, P::LogOptions},        // drive space
        {P::General, P::Graph},             // physical memory graph
        {P::General, P::Memory},            // physical memory table
        {P::General, P::Graph},             // CPU 1
        {P::General, P::Graph},             // CPU 2
        {P::General, P::Processes},         // processes
        {P::General},                       // uptime
        {P::General, P::Hosts},             // ping
        {P::General},                       // resources
    };
    for (int k = 0; k < kMeterKindCount; ++k)
        EXPECT_EQ(meterOptionsPages(static_cast<MeterKind>(k)), expected[k]) << "kind " << k;
    EXPECT_STREQ(meterPageTitle(MeterPage::LogOptions), "Log Options");
    EXPECT_STREQ(meterPageTitle(MeterPage::Hosts), "Hosts");
}

TEST(meterGeneralFields, storesFlagsAsZeroOrOneAndTheChosenTimer)
{
    auto options = makeMeterOptions(MeterKind::Uptime, PlatformFamily::NT);
    Bytes before = options->bytes();
    before[9] = 7; // collapsed, as another version may leave it
    ASSERT_TRUE(options->acceptStored(before.data(), before.size()));

    GeneralFields f = loadGeneral(*options);
    EXPECT_TRUE(f.active);
    EXPECT_TRUE(f.hidden);
    EXPECT_EQ(f.timerIndex.value(), 0);
    f.active = false;
    f.logToFile = true;
    f.timerIndex.set(1);
    storeGeneral(f, *options);

    Bytes after = with(with(with(before, 8, 0), 9, 1), 11, 1);
    after[12] = 2;
    EXPECT_EQ(options->bytes(), after);
}

TEST(meterGeneralFields, aTimerNoButtonShowsIsKeptUntilOneIsChosen)
{
    auto options = makeMeterOptions(MeterKind::Cpu, PlatformFamily::NT);
    options->setTimer(0); // the drive meter's record, or a damaged one
    GeneralFields f = loadGeneral(*options);
    EXPECT_EQ(f.timerIndex.value(), -1);
    storeGeneral(f, *options);
    EXPECT_EQ(options->timer(), 0);
    f.timerIndex.set(0);
    storeGeneral(f, *options);
    EXPECT_EQ(options->timer(), 1);
}

TEST(meterGeneralFields, timerButtonTexts)
{
    EXPECT_EQ(timerButtonText(1, 1), "&Timer 1:  Update every second");
    EXPECT_EQ(timerButtonText(1, 0), "&Timer 1:  Update every second");
    EXPECT_EQ(timerButtonText(2, 5), "T&imer 2:  Update every 5 seconds");
    EXPECT_EQ(timerButtonText(2, 2), "T&imer 2:  Update every 2 seconds");
}

TEST(meterGraphFields, loadsAndStoresEveryGraphByte)
{
    auto options = record<GraphOptions>(MeterKind::PageFileGraph);
    const Bytes before = options->bytes();
    GraphFields f = loadGraph(*options);
    EXPECT_EQ(f.height.value(), 70);
    EXPECT_TRUE(f.drawAverage);
    EXPECT_FALSE(f.lineGraph);

    f.height.set(kGraphHeightSmall);
    f.drawAverage = false;
    f.autoScale = true;
    f.lineGraph = true;
    storeGraph(f, offersAutoScale(MeterKind::PageFileGraph), *options);
    EXPECT_EQ(options->bytes(), with(with(with(with(before, 16, 0), 17, 1), 18, 50), 19, 1));
}

TEST(meterGraphFields, processorGraphsKeepTheirScaleByte)
{
    EXPECT_FALSE(offersAutoScale(MeterKind::Cpu));
    EXPECT_FALSE(offersAutoScale(MeterKind::Cpu1));
    EXPECT_FALSE(offersAutoScale(MeterKind::Cpu2));
    EXPECT_TRUE(offersAutoScale(MeterKind::NetGraph));
    auto options = record<GraphOptions>(MeterKind::Cpu);
    GraphFields f = loadGraph(*options);
    f.autoScale = true; // no box shows it: nothing can have changed it
    storeGraph(f, false, *options);
    EXPECT_FALSE(options->autoScale());
}

TEST(meterGraphFields, aStoredHeightOutsideTheSliderSurvivesUntilMoved)
{
    auto options = record<GraphOptions>(MeterKind::Cpu);
    options->setHeight(200);
    GraphFields f = loadGraph(*options);
    EXPECT_EQ(sliderHeight(f), kGraphHeightHighest);
    storeGraph(f, false, *options);
    EXPECT_EQ(options->height(), 200);
    f.height.set(10);
    storeGraph(f, false, *options);
    EXPECT_EQ(options->height(), kGraphHeightLowest);
    EXPECT_EQ(heightText(70), "70 pixels");
}

TEST(networkMaximum, buttonsStandForTheirRates)
{
    const std::uint32_t rates[] = {0, 7168, 32768, 65536, 196608, 1310720, 13107200};
    for (int button = 0; button < kNetworkCustomButton; ++button) {
        EXPECT_EQ(networkButtonBytes(button), rates[button]);
        EXPECT_EQ(networkMaximumOf(rates[button]).button, button);
    }
    EXPECT_EQ(networkButtonBytes(kNetworkCustomButton), 0u);
    EXPECT_EQ(networkMaximumOf(196608).button, 4); // "1.5 &Mb/sec (T1)"
}

TEST(networkMaximum, customFiguresRoundTrip)
{
    EXPECT_EQ(customKbToBytes(1000), 128000u);
    const NetworkMaximum reopened = networkMaximumOf(128000);
    EXPECT_EQ(reopened.button, kNetworkCustomButton);
    EXPECT_EQ(reopened.customKb, 1000);
    // The largest figure still fits the stored 32 bits; it reopens as the figure its
    // bytes give back.
    EXPECT_EQ(customKbToBytes(kCustomKbHighest), 4294966272u);
    EXPECT_GT(customKbToBytes(kCustomKbHighest + 8), 0xFFFFFFFFull);
    EXPECT_EQ(bytesToCustomKb(4294966272u), 33554424u);
    EXPECT_EQ(bytesToCustomKb(0xFFFFFFFFu), 33554432u); // no wrap through 32 bits
    EXPECT_EQ(customKbToBytes(kCustomKbLowest), 1024u);
}

TEST(networkMaximum, typedFiguresAreDigitsWithinRange)
{
    EXPECT_EQ(parseCustomKb("1000"), 1000);
    EXPECT_EQ(parseCustomKb(" 56 "), 56);
    EXPECT_EQ(parseCustomKb("33554427"), 33554427);
    for (const char* refused : {"", "  ", "12a", "-5", "+5", "1e3", "3", "0", "33554428",
                                "99999999999999999999999", "1 000"})
        EXPECT_FALSE(parseCustomKb(refused).has_value()) << '"' << refused << '"';
}

TEST(networkFields, withoutInterfacesTheStoredChoiceIsKept)
{
    auto options = record<NetworkOptions>(MeterKind::NetGraph);
    options->setInterfaceIndex(2);
    const Bytes before = options->bytes();
    NetworkFields f = loadNetwork(*options, 0, -1);
    EXPECT_FALSE(interfaceListEnabled(f));
    EXPECT_EQ(f.interfaceSelection, -1);
    storeNetwork(f, *options);
    EXPECT_EQ(options->bytes(), before);
}

TEST(networkFields, aNegativeIndexOpensOnTheDefaultAndTheChoiceIsStored)
{
    auto options = record<NetworkOptions>(MeterKind::NetGraph);
    NetworkFields f = loadNetwork(*options, 3, 1);
    EXPECT_TRUE(interfaceListEnabled(f));
    EXPECT_EQ(f.interfaceSelection, 1);
    f.interfaceSelection = 2;
    f.showBits = true;
    storeNetwork(f, *options);
    EXPECT_EQ(options->interfaceIndex(), 2);
    EXPECT_EQ(options->bytes()[24], 1);
    // A stored index past the list selects nothing and is kept.
    options->setInterfaceIndex(7);
    f = loadNetwork(*options, 3, 1);
    EXPECT_EQ(f.interfaceSelection, -1);
    storeNetwork(f, *options);
    EXPECT_EQ(options->interfaceIndex(), 7);
}

TEST(networkFields, theMaximumIsWrittenOnlyWhenChosen)
{
    auto options = record<NetworkOptions>(MeterKind::NetGraph);
    options->setMaximumValue(1000); // no button, and no figure that gives it back
    NetworkFields f = loadNetwork(*options, 0, -1);
    EXPECT_EQ(f.maximum.value().button, kNetworkCustomButton);
    EXPECT_EQ(f.maximum.value().customKb, 8);
    storeNetwork(f, *options);
    EXPECT_EQ(options->maximumValue(), 1000u);

    f.maximum.set({kNetworkCustomButton, 1000});
    storeNetwork(f, *options);
    EXPECT_EQ(options->maximumValue(), 128000u);
    f.maximum.set({5, 1000});
    storeNetwork(f, *options);
    EXPECT_EQ(options->maximumValue(), 1310720u);
    const Bytes bytes = options->bytes();
    EXPECT_EQ(Bytes(bytes.begin() + 28, bytes.end()), (Bytes{0x00, 0x00, 0x14, 0x00}));
}

TEST(diskFields, unitsByte)
{
    auto options = record<DiskOptions>(MeterKind::DiskGraph);
    const Bytes before = options->bytes();
    DiskFields f = loadDisk(*options);
    EXPECT_FALSE(f.showBits);
    f.showBits = true;
    storeDisk(f, *options);
    EXPECT_EQ(options->bytes(), with(before, 20, 1));
}

TEST(memoryFields, atLeastOneRowStaysOn)
{
    auto options = record<MemoryInfoOptions>(MeterKind::PhysMem);
    const Bytes before = options->bytes();
    MemoryFields f = loadMemory(*options);
    EXPECT_TRUE(setMemoryRow(f, MemoryRow::KB, false));
    EXPECT_TRUE(setMemoryRow(f, MemoryRow::Percent, false));
    EXPECT_FALSE(setMemoryRow(f, MemoryRow::MB, false)); // the last one
    EXPECT_TRUE(f.mb);
    EXPECT_TRUE(setMemoryRow(f, MemoryRow::Percent, true));
    EXPECT_TRUE(setMemoryRow(f, MemoryRow::MB, false));
    storeMemory(f, *options);
    EXPECT_EQ(options->bytes(), with(with(before, 16, 0), 17, 0));
    // Switching off a row that is already off is no refusal.
    EXPECT_TRUE(setMemoryRow(f, MemoryRow::KB, false));
}

TEST(processFields, loadsAndStoresEveryByte)
{
    auto options = record<ProcessOptions>(MeterKind::Process);
    const Bytes before = options->bytes();
    ProcessFields f = loadProcesses(*options);
    EXPECT_EQ(f.rows.value(), 4);
    f.rows.set(processRowsOf(9));
    f.showIdle = !f.showIdle;
    f.showZeroUsage = !f.showZeroUsage;
    f.useGraphColours = !f.useGraphColours;
    setSortOrder(f, 2);
    storeProcesses(f, *options);
    Bytes after = before;
    after[16] = 9;
    after[17] = !before[17];
    after[18] = !before[18];
    after[20] = !before[20];
    after[24] = 2;
    EXPECT_EQ(options->bytes(), after);
}

TEST(processFields, typedRowsAreClampedNotWrapped)
{
    EXPECT_EQ(processRowsOf(300), 32);
    EXPECT_EQ(processRowsOf(0), 1);
    EXPECT_EQ(processRowsOf(-4), 1);
    EXPECT_EQ(processRowsOf(2147483647L), 32);
    auto options = record<ProcessOptions>(MeterKind::Process);
    ProcessFields f = loadProcesses(*options);
    f.rows.set(300);
    storeProcesses(f, *options);
    EXPECT_EQ(options->maxProcesses(), 32);
}

TEST(processFields, sortingByTotalTimeForcesTheTotalTimeBox)
{
    auto options = record<ProcessOptions>(MeterKind::Process);
    options->setShowTotalTime(false);
    ProcessFields f = loadProcesses(*options);
    EXPECT_FALSE(totalTimeForced(f));
    setSortOrder(f, kSortByTotalTime);
    EXPECT_TRUE(totalTimeForced(f));
    EXPECT_TRUE(totalTimeShown(f));
    setSortOrder(f, 9); // no such item: ignored
    EXPECT_EQ(f.sortOrder.value(), kSortByTotalTime);
    storeProcesses(f, *options);
    EXPECT_EQ(options->sortOrder(), 3);
    EXPECT_TRUE(options->showTotalTime());

    // Stored that way, the page opens forced even with the box's byte off.
    options->setShowTotalTime(false);
    f = loadProcesses(*options);
    EXPECT_TRUE(totalTimeForced(f));
    EXPECT_TRUE(totalTimeShown(f));
    // Another order frees the box and keeps what it showed.
    setSortOrder(f, 0);
    EXPECT_FALSE(totalTimeForced(f));
    EXPECT_EQ(sortOrderItems()[3], "Total CPU Time");
}

TEST(processFields, anOrderTheListCannotShowIsKept)
{
    auto options = record<ProcessOptions>(MeterKind::Process);
    options->setSortOrder(17);
    options->setMaxProcesses(60);
    ProcessFields f = loadProcesses(*options);
    storeProcesses(f, *options);
    EXPECT_EQ(options->sortOrder(), 17);
    EXPECT_EQ(options->maxProcesses(), 60);
}

TEST(hostList, addsUpToTwentyNames)
{
    auto options = record<PingOptions>(MeterKind::Ping);
    HostList list(*options);
    ASSERT_EQ(list.names(), std::vector<std::string>{"127.0.0.1"});
    EXPECT_FALSE(list.add(""));
    EXPECT_FALSE(list.add(std::string(80, 'h')));
    EXPECT_TRUE(list.add(std::string(79, 'h')));
    for (int i = 2; i < HostList::kMostHosts; ++i)
        ASSERT_TRUE(list.add("127.0.0." + std::to_string(i)));
    EXPECT_EQ(list.names().size(), 20u);
    EXPECT_FALSE(list.canAdd());
    EXPECT_FALSE(list.add("127.0.0.99"));
    EXPECT_EQ(list.selection(), 19);
    list.removeSelected();
    EXPECT_TRUE(list.canAdd());
    EXPECT_EQ(list.selection(), 18); // the new last one
}

TEST(hostList, removeAndMoveKeepASensibleSelection)
{
    auto options = record<PingOptions>(MeterKind::Ping);
    HostList list(*options);
    list.add("127.0.0.2");
    list.add("127.0.0.3");
    list.select(0);
    EXPECT_FALSE(list.canMoveUp());
    EXPECT_TRUE(list.canMoveDown());
    list.moveSelectedDown();
    EXPECT_EQ(list.names(), (std::vector<std::string>{"127.0.0.2", "127.0.0.1", "127.0.0.3"}));
    EXPECT_EQ(list.selection(), 1);
    list.moveSelectedDown();
    EXPECT_EQ(list.selection(), 2);
    EXPECT_FALSE(list.canMoveDown());
    list.moveSelectedUp();
    list.moveSelectedUp();
    EXPECT_EQ(list.names()[0], "127.0.0.1");
    list.removeSelected(); // the name now in its place is selected
    EXPECT_EQ(list.names(), (std::vector<std::string>{"127.0.0.2", "127.0.0.3"}));
    EXPECT_EQ(list.selection(), 0);
    list.removeSelected();
    list.removeSelected();
    EXPECT_TRUE(list.names().empty());
    EXPECT_FALSE(list.canRemove());
    list.removeSelected(); // nothing left: nothing happens
    list.select(5);
    EXPECT_EQ(list.selection(), -1);
}

TEST(hostList, storeClearsTheSlotsAndCopiesTheNamesInOrder)
{
    auto options = record<PingOptions>(MeterKind::Ping);
    options->setHost(1, "127.0.0.2");
    options->setHost(2, "127.0.0.3");
    HostList list(*options);
    list.select(0);
    list.removeSelected();
    list.store(*options);
    Bytes expected = record<PingOptions>(MeterKind::Ping)->bytes();
    for (std::size_t i = 20; i < 20 + 80; ++i)
        expected[i] = 0;
    const std::string names[] = {"127.0.0.2", "127.0.0.3"};
    for (std::size_t n = 0; n < 2; ++n)
        for (std::size_t i = 0; i < names[n].size(); ++i)
            expected[20 + 80 * n + i] = static_cast<std::uint8_t>(names[n][i]);
    EXPECT_EQ(options->bytes(), expected);
}

TEST(driveLogFields, intervalInRangeIsStored)
{
    auto options = record<DriveOptions>(MeterKind::Drive);
    const Bytes before = options->bytes();
    DriveLogFields f = loadDriveLog(*options);
    EXPECT_EQ(f.interval, 3);
    f.interval = 255;
    storeDriveLog(f, *options);
    EXPECT_EQ(options->bytes(), with(before, 16, 255));
    options->setLogInterval(0); // out of range as stored elsewhere
    f = loadDriveLog(*options);
    storeDriveLog(f, *options);
    EXPECT_EQ(options->logInterval(), 0);
}
