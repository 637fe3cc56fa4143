#pragma once
// The process meter: the busiest processes of this computer, one per line, with their
// processor share, working set and optionally their total processor time. It keeps no
// history; a sample only redraws it.
#include "meter/measure/process_list_counter.h"
#include "meter/measure/process_rows.h"
#include "meter/meter.h"

#include <memory>
#include <vector>

class ProcessMeter : public Meter {
public:
    // The meter owns its counter.
    ProcessMeter(const AppSettings& settings, std::unique_ptr<ProcessListCounter> counter);

    ProcessOptions& processOptions() { return static_cast<ProcessOptions&>(options()); }
    const ProcessOptions& processOptions() const
    {
        return static_cast<const ProcessOptions&>(options());
    }
    ProcessListCounter& processCounter() const { return *list_; }

    bool hasGraphOptions() const override { return false; }
    // Hands the idle, process-time and sort options to the counter before it starts.
    void prepareCounters() override;
    void sample() override;
    // Takes the row height, which the meter's height follows.
    void fitTextFormat(const TextMeasurer& measurer) override;
    // Room for the maximum number of rows.
    int height() const override;
    void paint(Canvas& canvas, bool tickRedraw) override;
    // The background stays between samples; the rows change.
    void paintStatic(Canvas& canvas) const override;
    void paintDynamic(Canvas& canvas) const override;

    // The rows of the last paint.
    const std::vector<ProcessRow>& rows() const { return rows_; }

private:
    Rect innerRect() const;
    void drawBackground(Canvas& canvas) const;
    // Builds the rows from the counter's list and draws them; what it measures on the
    // way is remembered, so drawing the picture is not free of effects.
    void drawRows(Canvas& canvas) const;

    ProcessListCounter* list_;
    int rowHeight_ = 13;
    // Only grow, so that the columns do not jump about from tick to tick.
    mutable int widestName_ = 0;
    mutable int widestWorkingSet_ = 0;
    mutable std::vector<ProcessRow> rows_;
};
