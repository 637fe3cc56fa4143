#pragma once
// The meter family: a meter owns its options, its sampling object, a 30-sample history
// with its running sum, highest value and scale, and draws itself through a Canvas.
// This is the portable half; the window half (creation, hide button, messages, menus)
// holds a Meter and implements MeterView so the model can ask it to redraw at once or
// to show its tray icon.
#include "meter/app_settings.h"
#include "meter/canvas.h"
#include "meter/measure/meter_counter.h"
#include "meter/meter_kind.h"
#include "meter/meter_options.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// What the window half does for the model.
class MeterView {
public:
    virtual ~MeterView() = default;
    // Show the meter's new picture now, without invalidation or background erase.
    virtual void redrawNow() = 0;
    // Show or update the meter's tray icon.
    virtual void setTrayIcon(int iconId, const std::string& tip) = 0;
    virtual void removeTrayIcon() = 0;
};

// Receives the meter's log lines; when they reach the file is the log's business.
class MeterLog {
public:
    virtual ~MeterLog() = default;
    virtual void appendLine(const std::string& line) = 0;
    // Writes out what is buffered; true when nothing is left waiting.
    virtual bool flush() { return true; }
};

// Frame colours of the window: button face, highlight and shadow.
struct FrameColours {
    ColorRef face = rgb(192, 192, 192);
    ColorRef highlight = rgb(255, 255, 255);
    ColorRef shadow = rgb(128, 128, 128);
};

// Icon and tip for a meter's tray icon after a tick.
struct TrayDisplay {
    int iconId = 0;
    std::string tip;
};

// Graying and checking of the meter's context menu.
struct ContextMenuState {
    bool moveUpGrayed = false;
    bool moveDownGrayed = false;
    bool trayGrayed = false;
    bool trayChecked = false;
};

// Where the hide button sits and which picture it shows.
struct HideButtonPlacement {
    Rect rect;
    bool showsFoldBitmap = false; // else the arrow bitmap
};

class Meter {
public:
    static constexpr int kHistoryLength = 30;
    static constexpr std::uint32_t kInitialScale = 10;
    static constexpr int kCollapsedHeight = 16;
    static constexpr int kHideStripWidth = 11;

    Meter(MeterKind kind, std::unique_ptr<MeterOptions> options, const AppSettings& settings);
    virtual ~Meter();
    Meter(const Meter&) = delete;
    Meter& operator=(const Meter&) = delete;

    MeterKind kind() const { return kind_; }
    MeterOptions& options() { return *options_; }
    const MeterOptions& options() const { return *options_; }
    const AppSettings& settings() const { return settings_; }

    MeterCounter* counter() const { return counter_; }
    // The meter owns a counter given with owned = true; a shared one it only uses.
    void setCounter(MeterCounter* counter, bool owned);

    void setView(MeterView* view) { view_ = view; }
    void setLog(MeterLog* log) { log_ = log; }
    void flushLog()
    {
        if (log_ != nullptr)
            log_->flush();
    }
    void setFrameColours(const FrameColours& colours) { frameColours_ = colours; }
    const FrameColours& frameColours() const { return frameColours_; }
    // The window half reports its client size on creation and on every resize.
    void setClientSize(int cx, int cy);
    Size clientSize() const { return clientSize_; }

    // Samples.
    void addSample(std::uint32_t value, std::uint32_t ceiling);
    void resetHistory();
    std::uint32_t history(int i) const { return history_[static_cast<std::size_t>(i)]; }
    std::uint32_t current() const { return history_[0]; }
    std::uint32_t sum() const { return sum_; }
    std::uint32_t highest() const { return highest_; }
    std::uint32_t scale() const { return scale_; }
    std::uint32_t largestInHistory() const;
    // sum / 30: the 30 entries include the zeros of a fresh history.
    std::uint32_t average() const { return sum_ / kHistoryLength; }

    // Tray icon and tip for the newest sample, when the meter shows a tray icon.
    std::optional<TrayDisplay> trayDisplay() const;
    // After a tick: hand the tray display to the window half.
    void refreshTray();

    ContextMenuState contextMenuState(bool isFirstActive, bool isLastActive) const;
    HideButtonPlacement placeHideButton(int cx, int cy) const;
    int effectiveHeight() const;
    // The client rectangle less the hide button strip; with inset, shrunk by 3.
    Rect graphRect(bool inset) const;

    // Family operations.
    virtual void sample() {}
    virtual void prepareCounters() {}
    virtual bool hasGraphOptions() const = 0;
    virtual bool canLog() const { return false; }
    virtual bool canShowTrayIcon() const { return false; }
    virtual bool isPlaceholder() const { return false; }
    virtual void fitTextFormat(const TextMeasurer& measurer) = 0;
    virtual std::string displayName(bool shortName) const;
    virtual std::uint32_t scaleMaximum(std::uint32_t ceiling) const;
    virtual int trayIconBase() const;
    virtual std::string trayName() const;
    virtual int height() const = 0;
    virtual std::uint32_t minimumScale() const { return 10; }
    virtual std::string logText() const;
    // tickRedraw: the immediate redraw after a sample rather than a full paint.
    virtual void paint(Canvas& canvas, bool tickRedraw);
    // The picture of a full paint in two layers: what only a change of size, options,
    // colours or font alters (frame, boxes, grid, titles), and what a sample may
    // change, drawn over it. The window keeps the first and redraws only the second.
    virtual void paintStatic(Canvas& canvas) const;
    virtual void paintDynamic(Canvas& canvas) const;
    // The recessed frame every meter has; nothing on a tick redraw.
    void drawFrame(Canvas& canvas, bool tickRedraw) const;

protected:
    // For meters that redraw or log outside addSample (uptime, drive).
    MeterView* view() const { return view_; }
    MeterLog* log() const { return log_; }

private:
    MeterKind kind_;
    std::unique_ptr<MeterOptions> options_;
    const AppSettings& settings_;
    MeterCounter* counter_ = nullptr;
    std::unique_ptr<MeterCounter> ownedCounter_;
    MeterView* view_ = nullptr;
    MeterLog* log_ = nullptr;
    FrameColours frameColours_;
    Size clientSize_;

    std::array<std::uint32_t, kHistoryLength> history_{};
    std::uint32_t sum_ = 0;
    std::uint32_t highest_ = kInitialScale;
    std::uint32_t scale_ = kInitialScale;
};

// Stands in for a kind the platform cannot supply: never shown, listed, sampled or saved.
class PlaceholderMeter : public Meter {
public:
    PlaceholderMeter(MeterKind kind, const AppSettings& settings);

    bool hasGraphOptions() const override { return false; }
    bool isPlaceholder() const override { return true; }
    void fitTextFormat(const TextMeasurer&) override {}
    std::string displayName(bool shortName) const override;
    int height() const override { return 0; }
};
