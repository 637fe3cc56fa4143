#include "meter/measure/process_meter.h"

#include <algorithm>

namespace {

// The widest share a column is fitted for, and the one-hour time.
const char* const kShareSample = "88%";
const char* const kTimeSample = "0:00:00";
const char* const kRowSample = "Xg";
constexpr int kFirstRowY = 5;
constexpr int kHeightAllowance = 12;

} // namespace

ProcessMeter::ProcessMeter(const AppSettings& settings, std::unique_ptr<ProcessListCounter> counter)
    : Meter(MeterKind::Process,
            std::make_unique<ProcessOptions>(meterKindInfo(MeterKind::Process).defaultActive),
            settings),
      list_(counter.get())
{
    setCounter(counter.release(), true);
}

void ProcessMeter::prepareCounters()
{
    const ProcessOptions& o = processOptions();
    list_->setOptions({o.showIdle(), o.showTotalTime(), processSortOrder(o.sortOrder())});
}

void ProcessMeter::sample()
{
    if (!options().collapsed() && view() != nullptr)
        view()->redrawNow();
}

void ProcessMeter::fitTextFormat(const TextMeasurer& measurer)
{
    rowHeight_ = measurer.measureText(kRowSample).cy;
}

int ProcessMeter::height() const
{
    return processOptions().maxProcesses() * rowHeight_ + kHeightAllowance;
}

void ProcessMeter::paint(Canvas& canvas, bool tickRedraw)
{
    drawFrame(canvas, tickRedraw);
    drawBackground(canvas);
    drawRows(canvas);
}

void ProcessMeter::paintStatic(Canvas& canvas) const
{
    drawFrame(canvas, false);
    drawBackground(canvas);
}

void ProcessMeter::paintDynamic(Canvas& canvas) const
{
    drawRows(canvas);
}

Rect ProcessMeter::innerRect() const
{
    const Rect meterRect = graphRect(false);
    return {meterRect.left + 1, meterRect.top + 1, meterRect.right - 2, meterRect.bottom - 2};
}

void ProcessMeter::drawBackground(Canvas& canvas) const
{
    canvas.fillRect(innerRect(), settings().colours[kColourBackground]);
}

void ProcessMeter::drawRows(Canvas& canvas) const
{
    const Rect inner = innerRect();
    const ProcessOptions& o = processOptions();
    buildProcessRows(list_->processes(), {o.maxProcesses(), o.showZeroUsage(), o.showTotalTime()},
                     rows_);
    const Size share = canvas.measureText(kShareSample);
    ProcessColumnWidths widths;
    widths.share = share.cx;
    widths.time = canvas.measureText(kTimeSample).cx;
    for (const ProcessRow& row : rows_) {
        widestName_ = std::max(widestName_, canvas.measureText(row.name).cx);
        widestWorkingSet_ = std::max(widestWorkingSet_, canvas.measureText(row.workingSetText).cx);
    }
    widths.name = widestName_;
    widths.workingSet = widestWorkingSet_;
    const ProcessColumns c =
        fitProcessColumns(inner.left, inner.width(), widths, o.showTotalTime());

    const int h = share.cy;
    int y = graphRect(false).top + kFirstRowY;
    for (const ProcessRow& row : rows_) {
        const ColorRef ink = o.useGraphColours() ? settings().colours[processRowColour(row.share)]
                                                 : settings().colours[kColourText];
        if (c.share)
            canvas.text({c.shareLeft, y, c.shareLeft + widths.share, y + h}, row.shareText,
                        TextAlign::Right, ink);
        canvas.text({c.nameLeft, y, c.nameLeft + widths.name, y + h}, row.name, TextAlign::Left,
                    ink);
        // The idle process has no memory or time of its own to show.
        if (c.workingSet && !row.idle)
            canvas.text({c.workingSetLeft, y, c.workingSetLeft + widths.workingSet, y + h},
                        row.workingSetText, TextAlign::Right, ink);
        if (c.time && !row.idle)
            canvas.text({c.timeLeft, y, c.timeLeft + widths.time, y + h}, row.timeText,
                        TextAlign::Right, ink);
        y += h;
    }
}
