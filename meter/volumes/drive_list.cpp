#include "meter/volumes/drive_list.h"

#include "common/numtext/numtext.h"

#include <algorithm>
#include <numeric>

namespace {

struct ColumnFlag {
    DriveColumn column;
    std::uint32_t flag;
    const char* header;
};

constexpr std::array<ColumnFlag, 4> kColumns{{
    {DriveColumn::Free, Booleans::kColumnFree, "Free"},
    {DriveColumn::Used, Booleans::kColumnUsed, "Used"},
    {DriveColumn::Total, Booleans::kColumnTotal, "Total"},
    {DriveColumn::Percentage, Booleans::kColumnPercentage, "Percent"},
}};

std::string figureText(const AppSettings& settings, DriveColumn column, const VolumeSpace& space)
{
    const bool gb = settings.flag(Booleans::kVolumeSizesInGB);
    const double divisor = gb ? 1024 : 1;
    const unsigned decimals = gb ? 3 : 1;
    switch (column) {
    case DriveColumn::Free:
        return formatFixed(space.freeMB / divisor, decimals, true, true);
    case DriveColumn::Used:
        return formatFixed(space.usedMB / divisor, decimals, true, true);
    case DriveColumn::Total:
        return formatFixed(space.totalMB / divisor, decimals, true, true);
    case DriveColumn::Percentage:
        break;
    }
    return formatFixed(shownPercent(settings, space), 1, true, true) + "%";
}

} // namespace

std::vector<DriveColumn> shownDriveColumns(const AppSettings& settings)
{
    std::vector<DriveColumn> columns;
    for (const ColumnFlag& c : kColumns)
        if (settings.flag(c.flag))
            columns.push_back(c.column);
    return columns;
}

const char* driveColumnHeader(DriveColumn column)
{
    return kColumns[static_cast<std::size_t>(column)].header;
}

double shownPercent(const AppSettings& settings, const VolumeSpace& space)
{
    const double used = space.usedPercent();
    return settings.flag(Booleans::kShowUsedPercent) ? used : 100 - used;
}

DriveRow driveRow(const AppSettings& settings, std::size_t volume, const std::string& name,
                  const VolumeSpace& space)
{
    DriveRow row;
    row.volume = volume;
    row.name = name;
    const double used = space.usedFraction();
    const bool showsFree = settings.flag(Booleans::kVolumeShowsRemaining);
    row.image = fillImage(showsFree ? 1 - used : used, space.below);
    for (DriveColumn column : shownDriveColumns(settings)) {
        DriveCell cell;
        cell.text = figureText(settings, column, space);
        if (space.below && row.cells.empty())
            cell.image = kWarningMarkImage;
        row.cells.push_back(cell);
    }
    return row;
}

DriveRow unavailableDriveRow(std::size_t volume, const std::string& name)
{
    DriveRow row;
    row.volume = volume;
    row.name = name;
    row.image = kUnavailableImage;
    row.failed = true;
    return row;
}

std::string driveLogLine(const AppSettings& settings, const std::string& name,
                         const VolumeSpace& space, const std::string& separator)
{
    return name + separator + formatFixed(space.freeMB, 1, false, false) + separator +
           formatFixed(space.usedMB, 1, false, false) + separator +
           formatFixed(space.totalMB, 1, false, false) + separator +
           formatFixed(shownPercent(settings, space), 1, false, false) + "%";
}

std::vector<int> driveColumnOrder(const AppSettings& settings, std::size_t columnCount)
{
    std::vector<int> natural(columnCount);
    std::iota(natural.begin(), natural.end(), 0);
    if (columnCount > settings.columnOrder.size())
        return natural;
    std::vector<int> stored(settings.columnOrder.begin(),
                            settings.columnOrder.begin() + static_cast<long>(columnCount));
    // An order saved while other columns were shown does not fit this list.
    if (!std::is_permutation(stored.begin(), stored.end(), natural.begin()))
        return natural;
    return stored;
}

void storeDriveColumnOrder(AppSettings& settings, const std::vector<int>& order)
{
    const std::size_t n = std::min(order.size(), settings.columnOrder.size());
    for (std::size_t i = 0; i < settings.columnOrder.size(); ++i) {
        settings.columnOrder[i] = i < n ? order[i] : static_cast<int>(i);
        settings.columnPositions[i] = static_cast<int>(i);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const int column = order[i];
        if (column >= 0 && static_cast<std::size_t>(column) < settings.columnPositions.size())
            settings.columnPositions[static_cast<std::size_t>(column)] = static_cast<int>(i);
    }
}

DriveListRows driveListRows(std::size_t visibleVolumes, std::uint32_t numDrivesDisplayed)
{
    if (visibleVolumes > numDrivesDisplayed)
        return {numDrivesDisplayed, true};
    return {visibleVolumes, false};
}

Size driveListSize(int viewWidth, int headerHeight, int itemHeight, const DriveListRows& rows,
                   int scrollBarWidth, int edgeWidth)
{
    const int shownRows = static_cast<int>(rows.rows);
    return {viewWidth + (rows.cutOff ? scrollBarWidth : 0) + 2 * edgeWidth,
            headerHeight + shownRows * itemHeight + 2 * edgeWidth};
}

std::string explorerCommand(const std::string& path)
{
    return "explorer.exe \"" + path + "\"";
}
