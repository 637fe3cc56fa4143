#pragma once
// The page-file and physical-memory information meters: no graph, a small table of
// available, used and total memory in megabytes, kilobytes and percent.
#include "meter/measure/memory_status_cache.h"
#include "meter/meter.h"

#include <vector>

// Where everything of the table goes inside a meter of a given size.
struct MemoryTableLayout {
    Rect inner;         // the meter strip less 1 left and top, 2 right and bottom
    int textHeight = 0; // h
    int columns = 0;    // 0 to 3: Available, Used, Total
    Rect column[3];     // each column's horizontal span (top and bottom unused)
    int titleTop = 0;
    int headerTop = 0;
    int ruleY = 0;
    std::vector<int> rowTops; // the enabled value rows, packed
    int ruleTop = 0;          // top of the vertical rules
    int tableBottom = 0;
    int tableHeight = 0;
};

struct MemoryRows {
    bool mb = true;
    bool kb = true;
    bool percent = true;
};

// widestCell: the width of "8,888,888 KB" in the meter font.
MemoryTableLayout layoutMemoryTable(const Rect& strip, int widestCell, int textHeight,
                                    const MemoryRows& rows);

class MemoryInfoMeter : public Meter {
public:
    MemoryInfoMeter(MeterKind kind, const AppSettings& settings);

    const MemoryInfoOptions& memoryOptions() const
    {
        return static_cast<const MemoryInfoOptions&>(options());
    }
    MemoryInfoOptions& memoryOptions() { return static_cast<MemoryInfoOptions&>(options()); }
    virtual MemoryResource resource() const = 0;

    // (used, total) from the shared memory cache.
    void sample() override;
    // The table always spans the whole resource.
    std::uint32_t scaleMaximum(std::uint32_t ceiling) const override { return ceiling; }
    bool hasGraphOptions() const override { return false; }
    bool canLog() const override { return true; }
    bool canShowTrayIcon() const override { return true; }
    // Takes the font's measures, which the table's size follows.
    void fitTextFormat(const TextMeasurer& measurer) override;
    // The table's height and the frame around it.
    int height() const override;
    void paint(Canvas& canvas, bool tickRedraw) override;
    // Frame, title, headers and rules; the cells.
    void paintStatic(Canvas& canvas) const override;
    void paintDynamic(Canvas& canvas) const override;

    std::uint32_t totalKB() const { return totalKB_; }

private:
    MemoryRows rows() const;
    MemoryTableLayout layout(const TextMeasurer& measurer) const;
    // The vertical rules between the columns, from top down past the last row.
    void drawColumnRules(Canvas& canvas, const MemoryTableLayout& layout, int top) const;
    void drawCells(Canvas& canvas, const MemoryTableLayout& layout) const;

    std::uint32_t totalKB_ = 0;
    int textHeight_ = 13;
    int widestCell_ = 72;
};

class PageFileMeter : public MemoryInfoMeter {
public:
    explicit PageFileMeter(const AppSettings& settings)
        : MemoryInfoMeter(MeterKind::PageFile, settings)
    {
    }
    MemoryResource resource() const override { return MemoryResource::PageFile; }
};

class PhysMemMeter : public MemoryInfoMeter {
public:
    explicit PhysMemMeter(const AppSettings& settings)
        : MemoryInfoMeter(MeterKind::PhysMem, settings)
    {
    }
    MemoryResource resource() const override { return MemoryResource::Physical; }
};
