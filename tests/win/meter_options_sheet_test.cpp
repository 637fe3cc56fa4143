#include "meter/prefs/meter_options_sheet.h"
#include "meter/res/resource.h"
#include "sheet_driver.h"

#include <gtest/gtest.h>

using namespace sheet_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct SheetRun {
    bool accepted = false;
    bool missed = false;
};

// Opens the sheet on `options` while `script` drives it from a second thread.
SheetRun runSheet(MeterOptions& options, MeterSheetFacts facts,
                  const std::function<void(HWND)>& script)
{
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    SheetRun run;
    Driver driver(kMeterOptionsCaption, script);
    run.accepted = editMeterOptions(nullptr, options, std::move(facts));
    run.missed = driver.missed();
    return run;
}

MeterSheetFacts factsFor(MeterKind kind)
{
    MeterSheetFacts facts;
    facts.abilities.canLog = kind != MeterKind::Uptime;
    facts.abilities.canShowTrayIcon = kind != MeterKind::Drive && kind != MeterKind::Process &&
                                      kind != MeterKind::Ping && kind != MeterKind::Uptime;
    facts.abilities.hasTimer = kind != MeterKind::Drive;
    facts.timerSeconds = {1, 5};
    return facts;
}

std::vector<std::string> tabTexts(HWND sheet)
{
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[64] = "";
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = buffer;
        tab.cchTextMax = sizeof buffer;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
        texts.push_back(buffer);
    }
    return texts;
}

bool visible(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control) != FALSE;
}

bool enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void setText(HWND dialog, int id, const char* text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Picks a combo box item as the user does: the selection, then its notification.
void chooseItem(HWND dialog, int id, int index)
{
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// Waits for a message box containing `text`, answers it and says whether it came.
bool answerMessageBox(HWND sheet, const std::string& text)
{
    const DWORD thread = GetWindowThreadProcessId(sheet, nullptr);
    HWND box = nullptr;
    if (!waitUntil([&] { return (box = findMessageBox(thread, text)) != nullptr; }))
        return false;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitUntil([&] { return !IsWindow(box); });
    return true;
}

} // namespace

TEST(meterOptionsSheet, processorGraphHasGeneralAndGraphWithoutApply)
{
    auto options = makeMeterOptions(MeterKind::Cpu, PlatformFamily::NT);
    const Bytes before = options->bytes();
    std::vector<std::string> tabs;
    bool applyShown = true, autoScaleShown = true;
    std::string pixels;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::Cpu), [&](HWND sheet) {
        waitUntil([&] { return currentPage(sheet) != nullptr; });
        tabs = tabTexts(sheet);
        applyShown = visible(sheet, kApplyButton);
        HWND page = showPage(sheet, 1);
        autoScaleShown = visible(page, IDC_GRA_AUTOSCALE);
        click(page, IDC_GRA_SMALL);
        click(page, IDC_GRA_LINE);
        waitUntil([&] {
            return checked(page, IDC_GRA_LINE) && text(page, IDC_GRA_PIXELS) == "50 pixels";
        });
        pixels = text(page, IDC_GRA_PIXELS);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Graph"}));
    EXPECT_FALSE(applyShown);
    EXPECT_FALSE(autoScaleShown);
    EXPECT_EQ(pixels, "50 pixels");
    EXPECT_TRUE(run.accepted);
    Bytes expected = before;
    expected[18] = 50;
    expected[19] = 1;
    EXPECT_EQ(options->bytes(), expected);
}

TEST(meterOptionsSheet, generalPageFollowsActiveAndNamesTheTimers)
{
    auto options = makeMeterOptions(MeterKind::PageFileGraph, PlatformFamily::NT);
    const Bytes before = options->bytes();
    bool hiddenEnabledBefore = false, hiddenEnabledAfter = true;
    std::string timer1, timer2;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::PageFileGraph), [&](HWND sheet) {
        HWND page = showPage(sheet, 0);
        hiddenEnabledBefore = enabled(page, IDC_GEN_HIDDEN);
        timer1 = text(page, IDC_GEN_TIMER1);
        timer2 = text(page, IDC_GEN_TIMER2);
        click(page, IDC_GEN_ACTIVE);
        click(page, IDC_GEN_TIMER2);
        waitUntil([&] { return !enabled(page, IDC_GEN_HIDDEN) && checked(page, IDC_GEN_TIMER2); });
        hiddenEnabledAfter = enabled(page, IDC_GEN_HIDDEN);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(hiddenEnabledBefore);
    EXPECT_FALSE(hiddenEnabledAfter);
    EXPECT_EQ(timer1, "&Timer 1:  Update every second");
    EXPECT_EQ(timer2, "T&imer 2:  Update every 5 seconds");
    Bytes expected = before;
    expected[8] = 0;
    expected[12] = 2;
    EXPECT_EQ(options->bytes(), expected);
}

TEST(meterOptionsSheet, cancelLeavesTheRecordByteForByte)
{
    auto options = makeMeterOptions(MeterKind::NetGraph, PlatformFamily::NT);
    static_cast<NetworkOptions&>(*options).setInterfaceIndex(1);
    const Bytes before = options->bytes();
    MeterSheetFacts facts = factsFor(MeterKind::NetGraph);
    facts.interfaces = {"MS TCP Loopback interface", "Ethernet 1", "Ethernet 2"};
    facts.defaultInterface = 1;
    const SheetRun run = runSheet(*options, facts, [&](HWND sheet) {
        HWND general = showPage(sheet, 0);
        click(general, IDC_GEN_ACTIVE);
        click(general, IDC_GEN_TRAY);
        HWND graph = showPage(sheet, 1);
        click(graph, IDC_GRA_LARGE);
        HWND network = showPage(sheet, 2);
        chooseItem(network, IDC_NET_LIST, 2);
        click(network, IDC_NET_BITS);
        click(network, IDC_NET_MAX_FIRST + 5);
        waitUntil([&] { return checked(network, IDC_NET_MAX_FIRST + 5); });
        press(sheet, PSBTN_CANCEL);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_FALSE(run.accepted);
    EXPECT_EQ(options->bytes(), before);
}

TEST(meterOptionsSheet, networkPageWithoutInterfacesKeepsTheStoredIndex)
{
    auto options = makeMeterOptions(MeterKind::NetGraph, PlatformFamily::NT);
    auto& network = static_cast<NetworkOptions&>(*options);
    network.setInterfaceIndex(2);
    network.setMaximumValue(196608);
    bool listEnabled = true;
    int maximumButton = -1;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::NetGraph), [&](HWND sheet) {
        HWND page = showPage(sheet, 2);
        listEnabled = enabled(page, IDC_NET_LIST) || enabled(page, IDC_NET_LABEL);
        for (int i = 0; i < kNetworkMaximumButtons; ++i)
            if (checked(page, IDC_NET_MAX_FIRST + i))
                maximumButton = i;
        click(page, IDC_NET_BITS);
        waitUntil([&] { return checked(page, IDC_NET_BITS); });
        showPage(sheet, 0); // leaving the page stores it
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(run.accepted);
    EXPECT_FALSE(listEnabled);
    EXPECT_EQ(maximumButton, 4); // "1.5 &Mb/sec (T1)"
    EXPECT_EQ(network.interfaceIndex(), 2);
    EXPECT_TRUE(network.showBits());
    EXPECT_EQ(network.maximumValue(), 196608u);
}

TEST(meterOptionsSheet, networkPageStoresTheChosenInterfaceAndACheckedCustomMaximum)
{
    auto options = makeMeterOptions(MeterKind::NetGraph, PlatformFamily::NT);
    auto& network = static_cast<NetworkOptions&>(*options);
    MeterSheetFacts facts = factsFor(MeterKind::NetGraph);
    facts.interfaces = {"MS TCP Loopback interface", "Ethernet 1", "Ethernet 2"};
    facts.defaultInterface = 1;
    int openedOn = -1;
    bool refused = false, stayedOpen = false;
    const SheetRun run = runSheet(*options, facts, [&](HWND sheet) {
        HWND page = showPage(sheet, 2);
        openedOn = static_cast<int>(SendDlgItemMessageA(page, IDC_NET_LIST, CB_GETCURSEL, 0, 0));
        chooseItem(page, IDC_NET_LIST, 2);
        click(page, IDC_NET_MAX_CUSTOM);
        waitUntil([&] { return checked(page, IDC_NET_MAX_CUSTOM); });
        setText(page, IDC_NET_CUSTOM_KB, "3"); // rounds to no bytes at all
        press(sheet, PSBTN_OK);
        refused = answerMessageBox(sheet, "Please enter an integer between 4 and 33554427.");
        stayedOpen = IsWindow(sheet) && currentPage(sheet) == page;
        setText(page, IDC_NET_CUSTOM_KB, "1000");
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(openedOn, 1); // the default interface for a stored -1
    EXPECT_TRUE(refused);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(run.accepted);
    EXPECT_EQ(network.interfaceIndex(), 2);
    EXPECT_EQ(network.maximumValue(), 128000u);
}

TEST(meterOptionsSheet, memoryTableKeepsAtLeastOneRow)
{
    auto options = makeMeterOptions(MeterKind::PageFile, PlatformFamily::NT);
    const Bytes before = options->bytes();
    std::vector<std::string> tabs;
    bool warned = false, mbStillChecked = false;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::PageFile), [&](HWND sheet) {
        waitUntil([&] { return currentPage(sheet) != nullptr; });
        tabs = tabTexts(sheet);
        HWND page = showPage(sheet, 1);
        click(page, IDC_MEM_KB);
        click(page, IDC_MEM_PERCENT);
        waitUntil([&] { return !checked(page, IDC_MEM_KB) && !checked(page, IDC_MEM_PERCENT); });
        click(page, IDC_MEM_MB);
        warned = answerMessageBox(sheet, kAtLeastOneDisplayOption);
        mbStillChecked = checked(page, IDC_MEM_MB);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Memory"}));
    EXPECT_TRUE(warned);
    EXPECT_TRUE(mbStillChecked);
    Bytes expected = before;
    expected[16] = 0;
    expected[18] = 0;
    EXPECT_EQ(options->bytes(), expected);
}

TEST(meterOptionsSheet, processesPageClampsTypedRowsAndForcesTotalTime)
{
    auto options = makeMeterOptions(MeterKind::Process, PlatformFamily::NT);
    static_cast<ProcessOptions&>(*options).setShowTotalTime(false);
    const Bytes before = options->bytes();
    bool totalChecked = false, totalEnabled = true;
    std::string rowsShown;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::Process), [&](HWND sheet) {
        HWND page = showPage(sheet, 1);
        setText(page, IDC_PRC_ROWS, "300");
        chooseItem(page, IDC_PRC_SORT, 3);
        waitUntil([&] { return !enabled(page, IDC_PRC_TOTAL); });
        totalChecked = checked(page, IDC_PRC_TOTAL);
        totalEnabled = enabled(page, IDC_PRC_TOTAL);
        showPage(sheet, 0);
        HWND again = showPage(sheet, 1);
        rowsShown = text(again, IDC_PRC_ROWS);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(totalChecked);
    EXPECT_FALSE(totalEnabled);
    EXPECT_EQ(rowsShown, "32");
    Bytes expected = before;
    expected[16] = 32; // not 300 wrapped through a byte
    expected[19] = 1;
    expected[24] = 3;
    EXPECT_EQ(options->bytes(), expected);
}

TEST(meterOptionsSheet, hostsPageAddsThroughTheEditorUpToTwenty)
{
    auto options = makeMeterOptions(MeterKind::Ping, PlatformFamily::NT);
    auto& ping = static_cast<PingOptions&>(*options);
    for (int slot = 1; slot < 19; ++slot)
        ping.setHost(slot, "127.0.0." + std::to_string(slot + 1));
    MeterSheetFacts facts = factsFor(MeterKind::Ping);
    std::vector<std::string> asked;
    bool ownerWasPage = false;
    facts.editHost = [&](HWND owner, const std::string& current) -> std::optional<std::string> {
        asked.push_back(current);
        ownerWasPage = IsWindow(owner) && GetParent(owner) != nullptr;
        return std::string("127.0.0.20");
    };
    bool addAt19 = false, addAt20 = true, addAfterRemove = false, removeWithout = true;
    const SheetRun run = runSheet(*options, facts, [&](HWND sheet) {
        HWND page = showPage(sheet, 1);
        HWND list = GetDlgItem(page, IDC_HST_LIST);
        addAt19 = enabled(page, IDC_HST_ADD);
        removeWithout = enabled(page, IDC_HST_REMOVE);
        click(page, IDC_HST_ADD);
        waitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 20; });
        addAt20 = enabled(page, IDC_HST_ADD);
        // The first host moves down one place, then the new last one goes.
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HST_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        waitUntil([&] { return enabled(page, IDC_HST_DOWN); });
        click(page, IDC_HST_DOWN);
        waitUntil([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 1; });
        SendMessageA(list, LB_SETCURSEL, 19, 0);
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HST_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        waitUntil([&] { return !enabled(page, IDC_HST_DOWN); });
        click(page, IDC_HST_REMOVE);
        waitUntil([&] { return enabled(page, IDC_HST_ADD); });
        addAfterRemove = enabled(page, IDC_HST_ADD);
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_TRUE(addAt19);
    EXPECT_FALSE(removeWithout);
    EXPECT_FALSE(addAt20);
    EXPECT_TRUE(addAfterRemove);
    EXPECT_EQ(asked, std::vector<std::string>{""});
    EXPECT_TRUE(ownerWasPage);
    const std::vector<std::string> hosts = ping.hostList();
    ASSERT_EQ(hosts.size(), 19u);
    EXPECT_EQ(hosts[0], "127.0.0.2");
    EXPECT_EQ(hosts[1], "127.0.0.1");
    EXPECT_EQ(hosts[18], "127.0.0.19");
    EXPECT_EQ(ping.host(19), "");
}

TEST(meterOptionsSheet, driveMeterHasNoTimersAndRefusesAnIntervalOutOfRange)
{
    auto options = makeMeterOptions(MeterKind::Drive, PlatformFamily::NT);
    const Bytes before = options->bytes();
    std::vector<std::string> tabs;
    bool timersShown = true, trayShown = true, refused = false;
    const SheetRun run = runSheet(*options, factsFor(MeterKind::Drive), [&](HWND sheet) {
        HWND general = showPage(sheet, 0);
        tabs = tabTexts(sheet);
        timersShown = visible(general, IDC_GEN_TIMER_GROUP) || visible(general, IDC_GEN_TIMER1) ||
                      visible(general, IDC_GEN_TIMER2);
        trayShown = visible(general, IDC_GEN_TRAY);
        HWND page = showPage(sheet, 1);
        setText(page, IDC_DLG_INTERVAL, "256");
        press(sheet, PSBTN_OK);
        refused = answerMessageBox(sheet, "Please enter an integer between 1 and 255.");
        setText(page, IDC_DLG_INTERVAL, "10");
        press(sheet, PSBTN_OK);
    });
    ASSERT_FALSE(run.missed);
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Log Options"}));
    EXPECT_FALSE(timersShown);
    EXPECT_FALSE(trayShown);
    EXPECT_TRUE(refused);
    Bytes expected = before;
    expected[16] = 10;
    EXPECT_EQ(options->bytes(), expected);
}
