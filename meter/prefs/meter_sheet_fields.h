#pragma once
// What the pages of the "Meter Options" sheet show: which pages a meter kind gets, how
// each page loads its fields from a meter's options record and stores them back, and
// the rules between its controls.
#include "meter/meter_options.h"
#include "meter/prefs/edited.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kMeterOptionsCaption = "Meter Options";

// The pages in the order the sheet adds them; "General" always comes first.
enum class MeterPage { General, Graph, Network, Disk, Memory, Processes, Hosts, LogOptions };

std::vector<MeterPage> meterOptionsPages(MeterKind kind);
// The tab text of a page.
const char* meterPageTitle(MeterPage page);

// What the meter itself says about its options.
struct MeterAbilities {
    bool canShowTrayIcon = false;
    bool canLog = false;
    bool hasTimer = true; // every kind but the drive meter, which runs on the drive timer
};

// ---- General ---------------------------------------------------------------------

struct GeneralFields {
    bool active = false;
    bool hidden = false;
    bool trayIcon = false;
    bool logToFile = false;
    // 0: timer 1, 1: timer 2. A stored timer that is neither shows no button and is
    // kept until one is chosen.
    Edited<int> timerIndex;
};

GeneralFields loadGeneral(const MeterOptions& options);
void storeGeneral(const GeneralFields& fields, MeterOptions& options);
// "&Hidden" follows "&Active" at once.
inline bool hiddenEnabled(const GeneralFields& f)
{
    return f.active;
}
// The label of a timer button (timer 1 or 2, its period in seconds).
std::string timerButtonText(int timer, unsigned seconds);

// ---- Graph -----------------------------------------------------------------------

constexpr int kGraphHeightLowest = 30;
constexpr int kGraphHeightHighest = 120;
constexpr int kGraphHeightTick = 10;
constexpr int kGraphHeightSmall = 50;
constexpr int kGraphHeightMedium = 70;
constexpr int kGraphHeightLarge = 100;

struct GraphFields {
    // A stored height outside the slider's range is kept until the slider moves.
    Edited<int> height;
    bool drawAverage = false;
    bool autoScale = false;
    bool lineGraph = false;
};

GraphFields loadGraph(const GraphOptions& options);
void storeGraph(const GraphFields& fields, bool offersAutoScale, GraphOptions& options);
// The processor graphs span 0..100 whatever happens: they offer no auto-scale.
bool offersAutoScale(MeterKind kind);
// The slider's position for the height shown.
int sliderHeight(const GraphFields& f);
// "%d pixels".
std::string heightText(int pixels);

// ---- Network ---------------------------------------------------------------------

// "N&one", the six fixed rates, then the unlabelled custom button.
constexpr int kNetworkMaximumButtons = 8;
constexpr int kNetworkCustomButton = 7;
// The bytes per second each fixed button stands for (index 0..6).
std::uint32_t networkButtonBytes(int button);
// The bounds of a typed Kb/sec figure: below 4 the figure rounds to no bytes at all,
// which would mean no maximum; above the top the bytes no longer fit 32 bits.
constexpr long kCustomKbLowest = 4;
constexpr long kCustomKbHighest = 33554427;
// The bytes per second stored for k Kb/sec: ((k + 4) div 8) x 1024, in 64 bits.
std::uint64_t customKbToBytes(std::uint64_t kb);
// The Kb/sec figure a stored value opens with: (8v + 512) div 1024, in 64 bits.
std::uint64_t bytesToCustomKb(std::uint32_t bytes);
// A typed Kb/sec figure: digits only (blanks around them allowed) and within the
// bounds; nothing otherwise.
std::optional<long> parseCustomKb(const std::string& text);

struct NetworkMaximum {
    int button = 0;
    long customKb = 0; // what the custom edit shows
};
// The button a stored value opens with; a value no fixed button stands for opens as
// the custom button with its figure.
NetworkMaximum networkMaximumOf(std::uint32_t bytes);

struct NetworkFields {
    int interfaceCount = 0;
    // The list position shown; -1 when the list is empty or nothing is selected.
    int interfaceSelection = -1;
    bool showBits = false;
    // Written back only when the user chose a button or typed a figure, so that a
    // stored value opened as a rounded custom figure survives a visit.
    Edited<NetworkMaximum> maximum;
};

// interfaces: the names the network meter knows; defaultIndex: its default (-1: none).
NetworkFields loadNetwork(const NetworkOptions& options, int interfaceCount, int defaultIndex);
void storeNetwork(const NetworkFields& fields, NetworkOptions& options);
// The label and the list.
inline bool interfaceListEnabled(const NetworkFields& f)
{
    return f.interfaceCount > 0;
}

// ---- Disk ------------------------------------------------------------------------

struct DiskFields {
    bool showBits = false;
};
DiskFields loadDisk(const DiskOptions& options);
void storeDisk(const DiskFields& fields, DiskOptions& options);

// ---- Memory ----------------------------------------------------------------------

inline constexpr const char* kAtLeastOneDisplayOption =
    "You must have at least one of the display options enabled.";

enum class MemoryRow { KB, MB, Percent };

struct MemoryFields {
    bool kb = false;
    bool mb = false;
    bool percent = false;
};

MemoryFields loadMemory(const MemoryInfoOptions& options);
void storeMemory(const MemoryFields& fields, MemoryInfoOptions& options);
// Sets one row as the user clicked it. Unchecking the last checked row is refused:
// the row stays checked and the answer is false (the page then warns).
bool setMemoryRow(MemoryFields& fields, MemoryRow row, bool on);

// ---- Processes -------------------------------------------------------------------

constexpr int kProcessRowsLowest = 1;
constexpr int kProcessRowsHighest = 32;
constexpr int kSortByTotalTime = 3;

// "CPU Usage", "Process Name", "Memory Usage", "Total CPU Time".
const std::vector<std::string>& sortOrderItems();

struct ProcessFields {
    // Both kept as stored until the user changes them: a count outside 1..32 or an
    // order the list cannot show.
    Edited<int> rows;
    bool showIdle = false;
    bool showZeroUsage = false;
    bool useGraphColours = false;
    bool showTotalTime = false;
    Edited<int> sortOrder;
};

ProcessFields loadProcesses(const ProcessOptions& options);
void storeProcesses(const ProcessFields& fields, ProcessOptions& options);
// The number of rows the field holds: whatever was typed, brought into 1..32.
int processRowsOf(long typed);
// Choosing an order; sorting by total time needs the total times, so it checks that
// box.
void setSortOrder(ProcessFields& fields, int order);
// The total-time box is forced on (and disabled) while sorting by total time.
bool totalTimeForced(const ProcessFields& f);
// What the total-time box shows.
bool totalTimeShown(const ProcessFields& f);

// ---- Log Options -----------------------------------------------------------------

constexpr long kLogIntervalLowest = 1;
constexpr long kLogIntervalHighest = 255;

struct DriveLogFields {
    int interval = 0;
};
DriveLogFields loadDriveLog(const DriveOptions& options);
void storeDriveLog(const DriveLogFields& fields, DriveOptions& options);
