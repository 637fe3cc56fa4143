#pragma once
// The content of the drive meter's list: which columns it has, what each row shows,
// the stored order of the columns and the size the list asks for.
#include "meter/app_settings.h"
#include "meter/canvas.h"
#include "meter/volumes/volume_space.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

enum class DriveColumn { Free, Used, Total, Percentage };

// The value columns the settings ask for, always in the order Free, Used, Total,
// percentage; the "Drive" column comes before them.
std::vector<DriveColumn> shownDriveColumns(const AppSettings& settings);

// Header of the first column and of each value column.
inline constexpr const char* kDriveColumnHeader = "Drive";
const char* driveColumnHeader(DriveColumn column);

struct DriveCell {
    std::string text;
    int image = kNoImage;
};

struct DriveRow {
    std::size_t volume = 0; // index into the settings' volumes
    std::string name;
    int image = 0;
    bool failed = false;
    std::vector<DriveCell> cells; // one per shown value column
};

// The row of a volume whose space is known.
DriveRow driveRow(const AppSettings& settings, std::size_t volume, const std::string& name,
                  const VolumeSpace& space);
// The row of a volume that could not be reached.
DriveRow unavailableDriveRow(std::size_t volume, const std::string& name);

// Percentage shown for a volume: used, or with the free setting 100 - used.
double shownPercent(const AppSettings& settings, const VolumeSpace& space);

// The log record's data: name, free, used and total MB and the percentage.
std::string driveLogLine(const AppSettings& settings, const std::string& name,
                         const VolumeSpace& space, const std::string& separator);

// The stored display order of a list with this many columns, when it is a complete
// order of exactly those columns; else the natural order.
std::vector<int> driveColumnOrder(const AppSettings& settings, std::size_t columnCount);
// Keeps the order the user dragged the headers into, and each column's position.
void storeDriveColumnOrder(AppSettings& settings, const std::vector<int>& order);

// Rows the list is sized for, and whether some rows are cut off and need scrolling.
struct DriveListRows {
    std::size_t rows = 0;
    bool cutOff = false;
};
DriveListRows driveListRows(std::size_t visibleVolumes, std::uint32_t numDrivesDisplayed);

// The list's outer size: the columns' width (and a scroll bar when rows are cut off),
// the header and the rows it is sized for, inside the control's sunken edge. Measured
// from the header and one row rather than the control's own estimate, which differs
// between system versions.
Size driveListSize(int viewWidth, int headerHeight, int itemHeight, const DriveListRows& rows,
                   int scrollBarWidth, int edgeWidth);

// "explorer.exe "path"" for "Open In Explorer".
std::string explorerCommand(const std::string& path);
