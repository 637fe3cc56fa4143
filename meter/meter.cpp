#include "meter/meter.h"

#include <algorithm>
#include <cmath>

Meter::Meter(MeterKind kind, std::unique_ptr<MeterOptions> options, const AppSettings& settings)
    : kind_(kind), options_(std::move(options)), settings_(settings)
{
}

Meter::~Meter() = default;

void Meter::setCounter(MeterCounter* counter, bool owned)
{
    ownedCounter_.reset(owned ? counter : nullptr);
    counter_ = counter;
}

void Meter::setClientSize(int cx, int cy)
{
    clientSize_ = {cx, cy};
}

void Meter::addSample(std::uint32_t value, std::uint32_t ceiling)
{
    sum_ = sum_ + value - history_[kHistoryLength - 1];
    std::copy_backward(history_.begin(), history_.end() - 1, history_.end());
    history_[0] = value;
    highest_ = std::max(highest_, value);
    scale_ = scaleMaximum(ceiling);

    if (!options_->collapsed() && view_ != nullptr)
        view_->redrawNow();
    if (options_->logToFile() && log_ != nullptr)
        log_->appendLine(logText());
}

void Meter::resetHistory()
{
    history_.fill(0);
    sum_ = 0;
    scale_ = kInitialScale;
}

std::uint32_t Meter::largestInHistory() const
{
    return *std::max_element(history_.begin(), history_.end());
}

std::uint32_t Meter::scaleMaximum(std::uint32_t) const
{
    return std::max(minimumScale(), largestInHistory());
}

std::optional<TrayDisplay> Meter::trayDisplay() const
{
    if (!options_->active() || !options_->trayIcon())
        return std::nullopt;
    // A scale of 0 (a resource whose total is 0) shows an empty level, not a division.
    double x = scale_ == 0 ? 0.0 : static_cast<double>(history_[0]) / scale_;
    x = std::clamp(x, 0.0, 1.0);

    const int level = std::min(14, static_cast<int>(std::floor(14 * x + 0.5)));
    const int percent = static_cast<int>(std::floor(100 * x + 0.5));
    TrayDisplay display;
    display.iconId = trayIconBase() + level;
    display.tip = trayName().substr(0, 19) + ": " + std::to_string(percent) + "%";
    return display;
}

void Meter::refreshTray()
{
    if (view_ == nullptr)
        return;
    if (const auto display = trayDisplay())
        view_->setTrayIcon(display->iconId, display->tip);
}

ContextMenuState Meter::contextMenuState(bool isFirstActive, bool isLastActive) const
{
    ContextMenuState state;
    state.moveUpGrayed = isFirstActive;
    state.moveDownGrayed = isLastActive;
    state.trayGrayed = !canShowTrayIcon();
    state.trayChecked = canShowTrayIcon() && options_->trayIcon();
    return state;
}

HideButtonPlacement Meter::placeHideButton(int cx, int cy) const
{
    if (options_->collapsed())
        return {{1, 0, cx - 1, kCollapsedHeight}, true};
    return {{cx - 9, 1, cx, cy - 1}, false};
}

int Meter::effectiveHeight() const
{
    return options_->collapsed() ? kCollapsedHeight : height();
}

Rect Meter::graphRect(bool inset) const
{
    const Rect strip{0, 0, clientSize_.cx - kHideStripWidth, clientSize_.cy};
    return inset ? strip.inflated(-3) : strip;
}

std::string Meter::displayName(bool shortName) const
{
    const MeterKindInfo& info = meterKindInfo(kind_);
    return shortName ? info.shortName : info.longName;
}

int Meter::trayIconBase() const
{
    return meterKindInfo(kind_).trayIconBase;
}

std::string Meter::trayName() const
{
    return meterKindInfo(kind_).trayName;
}

std::string Meter::logText() const
{
    return std::to_string(history_[0]);
}

void Meter::paint(Canvas& canvas, bool tickRedraw)
{
    drawFrame(canvas, tickRedraw);
}

void Meter::paintStatic(Canvas& canvas) const
{
    drawFrame(canvas, false);
}

void Meter::paintDynamic(Canvas&) const
{
}

void Meter::drawFrame(Canvas& canvas, bool tickRedraw) const
{
    if (tickRedraw)
        return;
    const Rect strip = graphRect(false);
    canvas.fillRect(strip, frameColours_.face);
    canvas.draw3dRect(strip, frameColours_.shadow, frameColours_.highlight);
    canvas.draw3dRect(strip.inflated(-1), frameColours_.highlight, frameColours_.shadow);
}

PlaceholderMeter::PlaceholderMeter(MeterKind kind, const AppSettings& settings)
    : Meter(kind, std::make_unique<MeterOptions>(kind, false), settings)
{
}

std::string PlaceholderMeter::displayName(bool) const
{
    return kPlaceholderName;
}
