#include "meter/prefs/meter_sheet_fields.h"

#include "common/input/range_input.h"
#include "meter/timer_labels.h"

#include <array>
#include <cstdio>

namespace {

bool isProcessorGraph(MeterKind kind)
{
    return kind == MeterKind::Cpu || kind == MeterKind::Cpu1 || kind == MeterKind::Cpu2;
}

bool isGraph(MeterKind kind)
{
    switch (kind) {
    case MeterKind::Cpu:
    case MeterKind::PageFileGraph:
    case MeterKind::NetGraph:
    case MeterKind::DiskGraph:
    case MeterKind::PhysMemGraph:
    case MeterKind::Cpu1:
    case MeterKind::Cpu2:
        return true;
    default:
        return false;
    }
}

constexpr std::array<std::uint32_t, kNetworkCustomButton> kButtonBytes{
    0, 7168, 32768, 65536, 196608, 1310720, 13107200};

} // namespace

std::vector<MeterPage> meterOptionsPages(MeterKind kind)
{
    std::vector<MeterPage> pages{MeterPage::General};
    if (isGraph(kind))
        pages.push_back(MeterPage::Graph);
    switch (kind) {
    case MeterKind::NetGraph:
        pages.push_back(MeterPage::Network);
        break;
    case MeterKind::DiskGraph:
        pages.push_back(MeterPage::Disk);
        break;
    case MeterKind::PageFile:
    case MeterKind::PhysMem:
        pages.push_back(MeterPage::Memory);
        break;
    case MeterKind::Process:
        pages.push_back(MeterPage::Processes);
        break;
    case MeterKind::Ping:
        pages.push_back(MeterPage::Hosts);
        break;
    case MeterKind::Drive:
        pages.push_back(MeterPage::LogOptions);
        break;
    default:
        break;
    }
    return pages;
}

const char* meterPageTitle(MeterPage page)
{
    switch (page) {
    case MeterPage::General:
        return "General";
    case MeterPage::Graph:
        return "Graph";
    case MeterPage::Network:
        return "Network";
    case MeterPage::Disk:
        return "Disk";
    case MeterPage::Memory:
        return "Memory";
    case MeterPage::Processes:
        return "Processes";
    case MeterPage::Hosts:
        return "Hosts";
    case MeterPage::LogOptions:
        return "Log Options";
    }
    return "";
}

// ---- General ---------------------------------------------------------------------

GeneralFields loadGeneral(const MeterOptions& options)
{
    GeneralFields f;
    f.active = options.active();
    f.hidden = options.collapsed();
    f.trayIcon = options.trayIcon();
    f.logToFile = options.logToFile();
    const int timer = options.timer();
    f.timerIndex = Edited<int>(timer == 1 || timer == 2 ? timer - 1 : -1);
    return f;
}

void storeGeneral(const GeneralFields& f, MeterOptions& options)
{
    options.setActive(f.active);
    options.setCollapsed(f.hidden);
    options.setTrayIcon(f.trayIcon);
    options.setLogToFile(f.logToFile);
    if (f.timerIndex.touched() && (f.timerIndex.value() == 0 || f.timerIndex.value() == 1))
        options.setTimer(f.timerIndex.value() + 1);
}

std::string timerButtonText(int timer, unsigned seconds)
{
    // Anything below two seconds reads as "every second".
    return usageIntervalLabel(timer, seconds < 2 ? 1 : seconds);
}

// ---- Graph -----------------------------------------------------------------------

GraphFields loadGraph(const GraphOptions& options)
{
    GraphFields f;
    f.height = Edited<int>(options.height());
    f.drawAverage = options.drawAverage();
    f.autoScale = options.autoScale();
    f.lineGraph = options.lineGraph();
    return f;
}

void storeGraph(const GraphFields& f, bool autoScaleOffered, GraphOptions& options)
{
    if (f.height.touched())
        options.setHeight(static_cast<int>(
            clampToRange(f.height.value(), kGraphHeightLowest, kGraphHeightHighest)));
    options.setDrawAverage(f.drawAverage);
    // A box that is not shown cannot have been changed.
    if (autoScaleOffered)
        options.setAutoScale(f.autoScale);
    options.setLineGraph(f.lineGraph);
}

bool offersAutoScale(MeterKind kind)
{
    return !isProcessorGraph(kind);
}

int sliderHeight(const GraphFields& f)
{
    return static_cast<int>(
        clampToRange(f.height.value(), kGraphHeightLowest, kGraphHeightHighest));
}

std::string heightText(int pixels)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d pixels", pixels);
    return buffer;
}

// ---- Network ---------------------------------------------------------------------

std::uint32_t networkButtonBytes(int button)
{
    if (button < 0 || button >= kNetworkCustomButton)
        return 0;
    return kButtonBytes[static_cast<std::size_t>(button)];
}

std::uint64_t customKbToBytes(std::uint64_t kb)
{
    return (kb + 4) / 8 * 1024;
}

std::uint64_t bytesToCustomKb(std::uint32_t bytes)
{
    return (8 * static_cast<std::uint64_t>(bytes) + 512) / 1024;
}

std::optional<long> parseCustomKb(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find_last_not_of(" \t") + 1;
    for (std::size_t i = begin; i < end; ++i)
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    return parseIntegerInRange(text.substr(begin, end - begin), kCustomKbLowest, kCustomKbHighest);
}

NetworkMaximum networkMaximumOf(std::uint32_t bytes)
{
    for (int button = 0; button < kNetworkCustomButton; ++button)
        if (kButtonBytes[static_cast<std::size_t>(button)] == bytes)
            return {button, 0};
    return {kNetworkCustomButton, static_cast<long>(bytesToCustomKb(bytes))};
}

NetworkFields loadNetwork(const NetworkOptions& options, int interfaceCount, int defaultIndex)
{
    NetworkFields f;
    f.interfaceCount = interfaceCount > 0 ? interfaceCount : 0;
    if (f.interfaceCount > 0) {
        const int stored = options.interfaceIndex();
        const int shown = stored < 0 ? defaultIndex : stored;
        f.interfaceSelection = shown < f.interfaceCount ? shown : -1;
    }
    f.showBits = options.showBits();
    f.maximum = Edited<NetworkMaximum>(networkMaximumOf(options.maximumValue()));
    return f;
}

void storeNetwork(const NetworkFields& f, NetworkOptions& options)
{
    // With no interfaces (or none chosen) the stored choice is kept: writing the empty
    // list's position would forget the interface the user picked on another day.
    if (f.interfaceCount > 0 && f.interfaceSelection >= 0)
        options.setInterfaceIndex(f.interfaceSelection);
    options.setShowBits(f.showBits);
    if (!f.maximum.touched())
        return;
    const NetworkMaximum& m = f.maximum.value();
    if (m.button == kNetworkCustomButton) {
        const long kb = clampToRange(m.customKb, kCustomKbLowest, kCustomKbHighest);
        options.setMaximumValue(
            static_cast<std::uint32_t>(customKbToBytes(static_cast<std::uint64_t>(kb))));
    } else {
        options.setMaximumValue(networkButtonBytes(m.button));
    }
}

// ---- Disk ------------------------------------------------------------------------

DiskFields loadDisk(const DiskOptions& options)
{
    return {options.showBits()};
}

void storeDisk(const DiskFields& f, DiskOptions& options)
{
    options.setShowBits(f.showBits);
}

// ---- Memory ----------------------------------------------------------------------

MemoryFields loadMemory(const MemoryInfoOptions& options)
{
    return {options.showKB(), options.showMB(), options.showPercent()};
}

void storeMemory(const MemoryFields& f, MemoryInfoOptions& options)
{
    options.setShowKB(f.kb);
    options.setShowMB(f.mb);
    options.setShowPercent(f.percent);
}

bool setMemoryRow(MemoryFields& f, MemoryRow row, bool on)
{
    bool& field = row == MemoryRow::KB ? f.kb : row == MemoryRow::MB ? f.mb : f.percent;
    if (on) {
        field = true;
        return true;
    }
    const int others = (f.kb ? 1 : 0) + (f.mb ? 1 : 0) + (f.percent ? 1 : 0) - (field ? 1 : 0);
    if (field && others == 0)
        return false;
    field = false;
    return true;
}

// ---- Processes -------------------------------------------------------------------

const std::vector<std::string>& sortOrderItems()
{
    static const std::vector<std::string> items{"CPU Usage", "Process Name", "Memory Usage",
                                                "Total CPU Time"};
    return items;
}

ProcessFields loadProcesses(const ProcessOptions& options)
{
    ProcessFields f;
    f.rows = Edited<int>(options.maxProcesses());
    f.showIdle = options.showIdle();
    f.showZeroUsage = options.showZeroUsage();
    f.useGraphColours = options.useGraphColours();
    f.showTotalTime = options.showTotalTime();
    f.sortOrder = Edited<int>(options.sortOrder());
    return f;
}

void storeProcesses(const ProcessFields& f, ProcessOptions& options)
{
    if (f.rows.touched())
        options.setMaxProcesses(processRowsOf(f.rows.value()));
    options.setShowIdle(f.showIdle);
    options.setShowZeroUsage(f.showZeroUsage);
    options.setUseGraphColours(f.useGraphColours);
    options.setShowTotalTime(totalTimeShown(f));
    if (f.sortOrder.touched())
        options.setSortOrder(f.sortOrder.value());
}

int processRowsOf(long typed)
{
    return static_cast<int>(clampToRange(typed, kProcessRowsLowest, kProcessRowsHighest));
}

void setSortOrder(ProcessFields& f, int order)
{
    if (order < 0 || order >= static_cast<int>(sortOrderItems().size()))
        return;
    f.sortOrder.set(order);
    if (order == kSortByTotalTime)
        f.showTotalTime = true;
}

bool totalTimeForced(const ProcessFields& f)
{
    return f.sortOrder.value() == kSortByTotalTime;
}

bool totalTimeShown(const ProcessFields& f)
{
    return f.showTotalTime || totalTimeForced(f);
}

// ---- Log Options -----------------------------------------------------------------

DriveLogFields loadDriveLog(const DriveOptions& options)
{
    return {options.logInterval()};
}

void storeDriveLog(const DriveLogFields& f, DriveOptions& options)
{
    // The page refuses a figure out of range; one stored out of range by another
    // version stays until the page is used.
    if (f.interval >= kLogIntervalLowest && f.interval <= kLogIntervalHighest)
        options.setLogInterval(f.interval);
}
