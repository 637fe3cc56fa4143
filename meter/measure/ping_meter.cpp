#include "meter/measure/ping_meter.h"


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
    drawHosts(canvas);
    drawResults(canvas);
}

void PingMeter::paintStatic(Canvas& canvas) const
{
    drawFrame(canvas, false);
    drawHosts(canvas);
}

void PingMeter::paintDynamic(Canvas& canvas) const
{
    drawResults(canvas);
}

PingMeter::Rows PingMeter::rows(const TextMeasurer& measurer) const
{
    const Rect meterRect = graphRect(false);
    Rows r;
    r.inner = {meterRect.left + 1, meterRect.top + 1, meterRect.right - 2, meterRect.bottom - 2};
    // The figures end where the widest ordinary one would; the names start a gap later.
    r.figuresRight = r.inner.left + measurer.measureText("888ms").cx + 3;
    r.textHeight = measurer.measureText("Xg").cy;
    return r;
}

void PingMeter::drawHosts(Canvas& canvas) const
{
    const Rows r = rows(canvas);
    canvas.fillRect(r.inner, settings().colours[kColourBackground]);
    const int namesLeft = r.figuresRight + 8;
    const std::vector<std::string> hosts = pingOptions().hostList();
    for (std::size_t k = 0; k < hosts.size(); ++k) {
        const int top = r.inner.top + 2 + static_cast<int>(k) * r.textHeight;
        canvas.text({namesLeft, top, r.inner.right, top + r.textHeight}, hosts[k], TextAlign::Left,
                    settings().colours[kColourText]);
    }
}

void PingMeter::drawResults(Canvas& canvas) const
{
    const std::vector<std::string> hosts = pingOptions().hostList();
    const std::vector<std::int32_t>& results = ping_->results();
    if (results.size() != hosts.size())
        return;
    const Rows r = rows(canvas);
    for (std::size_t k = 0; k < hosts.size(); ++k) {
        const int top = r.inner.top + 2 + static_cast<int>(k) * r.textHeight;
        canvas.text({r.inner.left, top, r.figuresRight, top + r.textHeight},
                    pingResultText(results[k]), TextAlign::Right, settings().colours[kColourText]);
    }
}
