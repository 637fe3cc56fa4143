#include "meter/measure/memory_info_meter.h"

#include "common/numtext/numtext.h"

namespace {

const char* const kWidestCell = "8,888,888 KB";
const char* const kHeaders[3] = {"Available.", "Used", "Total"};

Rect rowRect(const Rect& column, int top, int height)
{
    return {column.left, top, column.right, top + height};
}

} // namespace

MemoryTableLayout layoutMemoryTable(const Rect& strip, int widestCell, int textHeight,
                                    const MemoryRows& rows)
{
    MemoryTableLayout t;
    t.inner = {strip.left + 1, strip.top + 1, strip.right - 2, strip.bottom - 2};
    const int h = textHeight;
    t.textHeight = h;
    const int L = t.inner.left;
    const int R = t.inner.right;
    const int T = t.inner.top;
    const int pitch = widestCell + 3 + 3;

    const int b1 = L + pitch;
    const int b2 = b1 + pitch;
    const int b3 = b2 + pitch;
    if (R < b1)
        t.columns = 0;
    else if (R < b2)
        t.columns = 1;
    else if (R < b3)
        t.columns = 2;
    else
        t.columns = rows.mb || rows.kb ? 3 : 2; // a total in percent says nothing

    const int offset = (R - L - t.columns * pitch) / 2;
    for (int i = 0; i < t.columns; ++i)
        t.column[i] = {L + offset + i * pitch, 0, L + offset + (i + 1) * pitch, 0};

    t.titleTop = T + 1;
    t.headerTop = T + h + 4;
    t.ruleY = T + 2 * h + 5;
    t.ruleTop = T + h + 3;
    int next = T + 2 * h + 7;
    for (const bool on : {rows.mb, rows.kb, rows.percent}) {
        if (on) {
            t.rowTops.push_back(next);
            next += h;
        }
    }
    // Without value rows the table ends under its rule.
    t.tableHeight = t.rowTops.empty() ? 2 * h + 6 : t.rowTops.back() - T + h + 1;
    t.tableBottom = T + t.tableHeight;
    return t;
}

MemoryInfoMeter::MemoryInfoMeter(MeterKind kind, const AppSettings& settings)
    : Meter(kind, makeMeterOptions(kind, PlatformFamily::NT), settings)
{
}

void MemoryInfoMeter::sample()
{
    const MemoryReading reading = memoryReading(counter(), resource());
    totalKB_ = reading.totalKB;
    addSample(reading.usedKB, reading.totalKB);
}

MemoryRows MemoryInfoMeter::rows() const
{
    return {memoryOptions().showMB(), memoryOptions().showKB(), memoryOptions().showPercent()};
}

void MemoryInfoMeter::fitTextFormat(const TextMeasurer& measurer)
{
    const Size cell = measurer.measureText(kWidestCell);
    widestCell_ = cell.cx;
    textHeight_ = cell.cy;
}

int MemoryInfoMeter::height() const
{
    return layoutMemoryTable(Rect{}, widestCell_, textHeight_, rows()).tableHeight + 10;
}

MemoryTableLayout MemoryInfoMeter::layout(const TextMeasurer& measurer) const
{
    const Size cell = measurer.measureText(kWidestCell);
    return layoutMemoryTable(graphRect(false), cell.cx, cell.cy, rows());
}

void MemoryInfoMeter::paint(Canvas& canvas, bool tickRedraw)
{
    if (!tickRedraw) {
        paintStatic(canvas);
        paintDynamic(canvas);
        return;
    }
    // Clear the value rows, put back the column rules that run through them, and
    // write the cells again.
    const MemoryTableLayout t = layout(canvas);
    const Rect content = graphRect(false).inflated(-2);
    const int top = t.inner.top + 2 * t.textHeight + 7;
    canvas.fillRect({content.left, top, content.right, content.bottom},
                    settings().colours[kColourBackground]);
    drawColumnRules(canvas, t, top);
    drawCells(canvas, t);
}

void MemoryInfoMeter::paintStatic(Canvas& canvas) const
{
    const MemoryTableLayout t = layout(canvas);
    const ColorRef ink = settings().colours[kColourText];
    drawFrame(canvas, false);
    // Inside the two frame lines.
    canvas.fillRect(graphRect(false).inflated(-2), settings().colours[kColourBackground]);
    // The title shrinks with the table: long name and " Information", long name, short
    // name.
    std::string title = displayName(t.columns < 2);
    if (t.columns == 3)
        title += " Information";
    canvas.text({t.inner.left, t.titleTop, t.inner.right, t.titleTop + t.textHeight}, title,
                TextAlign::Centre, ink, FontWeight::Bold);
    if (t.columns == 0)
        return;
    for (int i = 0; i < t.columns; ++i)
        canvas.text(rowRect(t.column[i], t.headerTop, t.textHeight), kHeaders[i], TextAlign::Centre,
                    ink);
    canvas.line(t.column[0].left, t.ruleY, t.column[t.columns - 1].right, t.ruleY, ink);
    drawColumnRules(canvas, t, t.ruleTop);
}

void MemoryInfoMeter::paintDynamic(Canvas& canvas) const
{
    drawCells(canvas, layout(canvas));
}

void MemoryInfoMeter::drawColumnRules(Canvas& canvas, const MemoryTableLayout& t, int top) const
{
    for (int i = 1; i < t.columns; ++i)
        canvas.line(t.column[i].left, top, t.column[i].left, t.tableBottom + 1,
                    settings().colours[kColourText]);
}

void MemoryInfoMeter::drawCells(Canvas& canvas, const MemoryTableLayout& t) const
{
    const ColorRef ink = settings().colours[kColourText];
    const std::uint32_t used = current();
    const std::uint32_t total = totalKB_;
    const std::uint32_t cells[3] = {used < total ? total - used : 0, used, total};
    const MemoryRows shown = rows();

    std::size_t row = 0;
    const auto drawRow = [&](bool on, int columns, auto text) {
        if (!on)
            return;
        const int top = t.rowTops[row++];
        for (int i = 0; i < columns && i < t.columns; ++i)
            canvas.text(rowRect(t.column[i], top, t.textHeight), text(cells[i]), TextAlign::Centre,
                        ink);
    };
    drawRow(shown.mb, 3, [](std::uint32_t kb) { return formatKBtoUnit(true, kb) + " MB"; });
    drawRow(shown.kb, 3, [](std::uint32_t kb) { return formatThousands(kb, true) + " KB"; });
    // A share of the total for what is available and used; the total is all of it.
    drawRow(shown.percent, 2, [total](std::uint32_t kb) { return formatPercent(kb, total); });
}
