#include "meter/measure/ping_meter.h"

#include "meter/render.h"

#include <cstdio>

std::string pingResultText(std::int32_t roundTrip)
{
    if (roundTrip < 0)
        return "x  ";
    char text[16];
    std::snprintf(text, sizeof text, "%lums", static_cast<unsigned long>(roundTrip));
    return text;
}

PingMeter::PingMeter(const AppSettings& settings, std::unique_ptr<PingCounter> counter)
    : Meter(MeterKind::Ping,
            std::make_unique<PingOptions>(meterKindInfo(MeterKind::Ping).defaultActive), settings),
      ping_(counter.get())
{
    setCounter(counter.release(), true);
}

void PingMeter::prepareCounters()
{
    ping_->configure(pingOptions().timeout(), pingOptions().hostList());
}

void PingMeter::sample()
{
    if (!options().collapsed() && view() != nullptr)
        view()->redrawNow();
}

void PingMeter::fitTextFormat(const TextMeasurer& measurer)
{
    lineHeight_ = measurer.measureText("Xg").cy;
}

int PingMeter::height() const
{
    return static_cast<int>(pingOptions().hostList().size()) * lineHeight_ + 13;
}

void PingMeter::paint(Canvas& canvas, bool tickRedraw)
{
    drawFrame(canvas, tickRedraw);
    const Rect meterRect = graphRect(false);
    const Rect inner{meterRect.left + 1, meterRect.top + 1, meterRect.right - 2,
                     meterRect.bottom - 2};
    canvas.fillRect(inner, frameColours().face);

    // The figures end where the widest ordinary one would; the names start a gap later.
    const int figuresRight = inner.left + canvas.measureText("888ms").cx + 3;
    const int namesLeft = figuresRight + 8;
    const int textHeight = canvas.measureText("Xg").cy;
    const std::vector<std::string> hosts = pingOptions().hostList();
    const std::vector<std::int32_t>& results = ping_->results();
    const bool showResults = results.size() == hosts.size();
    for (std::size_t k = 0; k < hosts.size(); ++k) {
        const int top = inner.top + 2 + static_cast<int>(k) * textHeight;
        canvas.text({namesLeft, top, inner.right, top + textHeight}, hosts[k], TextAlign::Left,
                    kMeterTextColour);
        if (showResults)
            canvas.text({inner.left, top, figuresRight, top + textHeight},
                        pingResultText(results[k]), TextAlign::Right, kMeterTextColour);
    }
}
