#include "meter/statistics_dialog.h"

#include "meter/res/resource.h"
#include "meter/statistics_summary.h"
#include "sheet_driver.h"
#include "tests/native/meter_set_fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>

using namespace sheet_test;
using namespace meter_set_test;

namespace {

constexpr const char* kCaption = "Brellix - Statistics Summary";

// The memory status of two moments; the test says when the second one begins.
class SteppedMemory : public MemoryStatusReader {
public:
    std::array<MemoryStatusBytes, 2> steps{};
    std::atomic<int> step{0};
    MemoryStatusBytes read() override { return steps[static_cast<std::size_t>(step.load())]; }
};

MemoryStatusBytes status(std::uint32_t load, std::uint64_t physicalTotalMB,
                         std::uint64_t physicalAvailableMB)
{
    MemoryStatusBytes m;
    m.memoryLoad = load;
    m.totalPhysical = physicalTotalMB * kMB;
    m.availablePhysical = physicalAvailableMB * kMB;
    m.totalPageFile = 2048 * kMB;
    m.availablePageFile = 1536 * kMB;
    return m;
}

// The main window's meters with only `kinds` on.
struct Rig {
    explicit Rig(std::initializer_list<MeterKind> kinds)
        : meters(settings, PlatformFamily::NT, services.get())
    {
        for (int k = 0; k < kMeterKindCount; ++k)
            meters.byKind(static_cast<MeterKind>(k)).options().setActive(false);
        for (MeterKind kind : kinds)
            meters.byKind(kind).options().setActive(true);
        memory.steps[0] = status(42, 1024, 256);
        memory.steps[1] = memory.steps[0];
    }

    // Runs the dialog while `script` looks at it; the script closes it.
    INT_PTR run(const std::function<void(HWND)>& script)
    {
        StatisticsSummaryDialog dialog(meters, memory);
        Driver driver(kCaption, script);
        const INT_PTR result = dialog.runModal(nullptr);
        missed = driver.missed();
        return result;
    }

    AppSettings settings;
    Services services;
    MeterSet meters;
    SteppedMemory memory;
    bool missed = false;
};

bool shown(HWND dialog, int id)
{
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

void closeWith(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

} // namespace

TEST(statisticsDialog, onlyTheCpuMeterOnHidesEveryPeakRowButShowsTheMemory)
{
    Rig rig{MeterKind::Cpu};
    std::array<bool, 9> peakRows{};
    std::string load, total, inUse, pageUsed;
    const INT_PTR result = rig.run([&](HWND dialog) {
        waitUntil([&] { return text(dialog, IDC_STAT_PHYS_TOTAL) != ""; });
        int i = 0;
        for (int id : {IDC_STAT_PAGE_PEAK_LABEL, IDC_STAT_PAGE_PEAK, IDC_STAT_NET_GROUP,
                       IDC_STAT_NET_LABEL, IDC_STAT_NET_PEAK, IDC_STAT_DISK_GROUP,
                       IDC_STAT_DISK_LABEL, IDC_STAT_DISK_PEAK_KB, IDC_STAT_DISK_PEAK_MB})
            peakRows[static_cast<std::size_t>(i++)] = shown(dialog, id);
        load = text(dialog, IDC_STAT_MEMORY_LOAD);
        total = text(dialog, IDC_STAT_PHYS_TOTAL);
        inUse = text(dialog, IDC_STAT_PHYS_IN_USE);
        pageUsed = text(dialog, IDC_STAT_PAGE_USED);
        closeWith(dialog, IDOK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_EQ(result, IDOK);
    for (bool row : peakRows)
        EXPECT_FALSE(row);
    EXPECT_EQ(load, "42%");
    EXPECT_EQ(total, "1,024.0 MB");
    EXPECT_EQ(inUse, "75%");
    EXPECT_EQ(pageUsed, "512.0 MB");
}

TEST(statisticsDialog, rowsOfMetersThatAreOnStayWithTheirPeaks)
{
    Rig rig{MeterKind::PageFile, MeterKind::DiskGraph};
    rig.meters.byKind(MeterKind::PageFile).addSample(102400, 204800);
    rig.meters.byKind(MeterKind::DiskGraph).addSample(3 * 1048576, 0);
    rig.meters.byKind(MeterKind::NetGraph).addSample(5000, 0); // off: its row stays hidden
    bool pageRow = false, diskRow = false, netRow = true;
    std::string pagePeak, diskKB, diskMB;
    rig.run([&](HWND dialog) {
        waitUntil([&] { return text(dialog, IDC_STAT_PAGE_PEAK) != ""; });
        pageRow = shown(dialog, IDC_STAT_PAGE_PEAK_LABEL) && shown(dialog, IDC_STAT_PAGE_PEAK);
        diskRow = shown(dialog, IDC_STAT_DISK_GROUP) && shown(dialog, IDC_STAT_DISK_PEAK_MB);
        netRow = shown(dialog, IDC_STAT_NET_GROUP) || shown(dialog, IDC_STAT_NET_PEAK);
        pagePeak = text(dialog, IDC_STAT_PAGE_PEAK);
        diskKB = text(dialog, IDC_STAT_DISK_PEAK_KB);
        diskMB = text(dialog, IDC_STAT_DISK_PEAK_MB);
        closeWith(dialog, IDCANCEL);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(pageRow);
    EXPECT_TRUE(diskRow);
    EXPECT_FALSE(netRow);
    EXPECT_EQ(pagePeak, "100.0 MB"); // the page-file meter's, the graph being off
    EXPECT_EQ(diskKB, "3,072.0 KB/sec");
    EXPECT_EQ(diskMB, "3.0 MB/sec");
}

TEST(statisticsDialog, eachRefreshReadsTheMemoryAgain)
{
    Rig rig{MeterKind::Cpu};
    rig.memory.steps[1] = status(90, 4096, 0);
    bool first = false, refreshed = false;
    rig.run([&](HWND dialog) {
        first = waitUntil([&] { return text(dialog, IDC_STAT_MEMORY_LOAD) == "42%"; });
        rig.memory.step = 1;
        PostMessageA(dialog, WM_TIMER, StatisticsSummaryDialog::kRefreshTimer, 0);
        refreshed = waitUntil([&] {
            return text(dialog, IDC_STAT_MEMORY_LOAD) == "90%" &&
                   text(dialog, IDC_STAT_PHYS_TOTAL) == "4,096.0 MB" &&
                   text(dialog, IDC_STAT_PHYS_IN_USE) == "100%";
        });
        closeWith(dialog, IDOK);
    });
    ASSERT_FALSE(rig.missed);
    EXPECT_TRUE(first);
    EXPECT_TRUE(refreshed);
}
