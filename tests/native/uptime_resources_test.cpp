#include "meter/volumes/resources_meter.h"
#include "meter/volumes/uptime_meter.h"
#include "recording_canvas.h"
#include "test_fakes.h"

#include <gtest/gtest.h>

namespace {

class ScriptedResources : public FreeResourcesQuery {
public:
    int freePercent(ResourceHeap heap) override
    {
        asked.push_back(heap);
        switch (heap) {
        case ResourceHeap::Gdi:
            return gdi;
        case ResourceHeap::User:
            return user;
        case ResourceHeap::System:
            return system;
        }
        return 0;
    }
    int gdi = 80, user = 60, system = 55;
    std::vector<ResourceHeap> asked;
};

class CountingView : public MeterView {
public:
    void redrawNow() override { ++redraws; }
    void setTrayIcon(int iconId, const std::string& tip) override
    {
        icon = iconId;
        lastTip = tip;
    }
    void removeTrayIcon() override {}
    int redraws = 0;
    int icon = 0;
    std::string lastTip;
};

} // namespace

TEST(uptimeText, hoursMinutesSecondsThenDays)
{
    EXPECT_EQ(uptimeText(0), "Uptime: 0:00:00");
    EXPECT_EQ(uptimeText(59), "Uptime: 0:00:59");
    EXPECT_EQ(uptimeText(86399), "Uptime: 23:59:59");
    EXPECT_EQ(uptimeText(86400), "Uptime: 1 day, 0:00:00");
    EXPECT_EQ(uptimeText(90061), "Uptime: 1 day, 1:01:01");
    EXPECT_EQ(uptimeText(172800), "Uptime: 2 days, 0:00:00");
    EXPECT_EQ(uptimeText(200000), "Uptime: 2 days, 7:33:20");
    EXPECT_EQ(uptimeText(4294967295u), "Uptime: 49710 days, 6:28:15");
}

TEST(uptimeMeter, showsTheCounterAndRedrawsWithoutHistory)
{
    AppSettings settings;
    UptimeMeter meter(settings);
    EXPECT_EQ(meter.meterText(), "Uptime: 0:00:00"); // no counter yet: zero time
    auto* counter = new SettableCounter;
    meter.setCounter(counter, true);
    counter->set(200000);
    CountingView view;
    meter.setView(&view);
    meter.sample();
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(meter.current(), 0u);
    EXPECT_EQ(meter.meterText(), "Uptime: 2 days, 7:33:20");

    // A negative 32-bit value is a large unsigned count of seconds, not a minus sign.
    counter->set(-1);
    EXPECT_EQ(meter.meterText(), "Uptime: 49710 days, 6:28:15");
}

TEST(uptimeMeter, tickCounterCountsWholeSecondsOfTheTick)
{
    std::uint32_t tick = 90061999;
    TickUptimeCounter counter([&tick] { return tick; });
    counter.Sample();
    EXPECT_EQ(uptimeText(static_cast<std::uint32_t>(counter.value())), "Uptime: 1 day, 1:01:01");
    tick = 0xFFFFFFFFu;
    counter.Sample();
    EXPECT_EQ(counter.value(), 4294967);
}

TEST(uptimeMeter, heightFollowsTheFontAndTextIsCentred)
{
    AppSettings settings;
    UptimeMeter meter(settings);
    RecordingCanvas canvas(200, 40);
    meter.fitTextFormat(canvas);
    EXPECT_EQ(meter.height(), RecordingCanvas::kTextHeight + 14);

    meter.setClientSize(200, meter.height());
    meter.paint(canvas, false);
    ASSERT_EQ(canvas.texts.size(), 1u);
    const TextCall& call = canvas.texts[0];
    EXPECT_EQ(call.text, "Uptime: 0:00:00");
    EXPECT_EQ(call.align, TextAlign::Centre);
    // Inner rectangle: the meter strip less 1 left/top and 2 right/bottom.
    const int stripRight = 200 - Meter::kHideStripWidth;
    EXPECT_EQ(call.rect.left, 1);
    EXPECT_EQ(call.rect.right, stripRight - 2);
    const int innerHeight = meter.height() - 3;
    EXPECT_EQ(call.rect.top, 1 + (innerHeight - RecordingCanvas::kTextHeight) / 2);
}

TEST(textLineMeters, drawInTheGraphBackgroundAndMeterTextColours)
{
    ScriptedResources query;
    for (const ColourScheme& scheme : colourSchemes()) {
        AppSettings settings;
        settings.colours = scheme.colours;
        UptimeMeter uptime(settings);
        ResourcesMeter resources(settings, std::make_unique<ResourcesCounter>(query));
        for (Meter* meter : {static_cast<Meter*>(&uptime), static_cast<Meter*>(&resources)}) {
            meter->setClientSize(200, meter->height());
            for (const bool tick : {false, true}) {
                RecordingCanvas canvas(200, 40);
                meter->paint(canvas, tick);
                // Inside the inner rectangle (strip less 1 left/top, 2 right/bottom).
                EXPECT_EQ(canvas.pixel(1, 1), scheme.colours[kColourBackground]) << scheme.name;
                EXPECT_EQ(canvas.pixel(200 - Meter::kHideStripWidth - 3, meter->height() - 3),
                          scheme.colours[kColourBackground])
                    << scheme.name;
                ASSERT_EQ(canvas.texts.size(), 1u);
                EXPECT_EQ(canvas.texts[0].colour, scheme.colours[kColourText]) << scheme.name;
            }
            // The frame around it keeps the button colours.
            RecordingCanvas full(200, 40);
            meter->paint(full, false);
            EXPECT_EQ(full.pixel(0, 0), meter->frameColours().shadow);
            EXPECT_EQ(full.pixel(200 - Meter::kHideStripWidth - 1, 5),
                      meter->frameColours().highlight);
        }
    }
}

TEST(resources, counterAsksSystemGdiUserAndKeepsTheSmallest)
{
    ScriptedResources query;
    ResourcesCounter counter(query);
    counter.Sample();
    EXPECT_EQ(query.asked, (std::vector<ResourceHeap>{ResourceHeap::System, ResourceHeap::Gdi,
                                                      ResourceHeap::User}));
    EXPECT_EQ(counter.value(), 55);
    EXPECT_EQ(counter.figures().gdi, 80);
    EXPECT_EQ(counter.figures().user, 60);
    EXPECT_EQ(counter.figures().system, 55);
}

TEST(resources, textShowsFreeOrUsed)
{
    const ResourceFigures figures{80, 60, 55};
    EXPECT_EQ(resourcesText(figures, true), "GDI: 80%  |  User: 60%  |  Sys: 55%");
    EXPECT_EQ(resourcesText(figures, false), "GDI: 20%  |  User: 40%  |  Sys: 45%");
    // Where the figures cannot be had they are 0 free, 100 used.
    EXPECT_EQ(resourcesText({}, false), "GDI: 100%  |  User: 100%  |  Sys: 100%");
}

TEST(resources, meterKeepsTheSmallestAsHistoryAndTrayLevel)
{
    ScriptedResources query;
    AppSettings settings;
    ResourcesMeter meter(settings, std::make_unique<ResourcesCounter>(query));
    EXPECT_EQ(meter.kind(), MeterKind::Resources);
    meter.counter()->Sample();
    meter.sample();
    EXPECT_EQ(meter.current(), 55u);
    EXPECT_EQ(meter.scale(), 100u);

    meter.options().setTrayIcon(true);
    CountingView view;
    meter.setView(&view);
    meter.refreshTray();
    // 55 of 100: level round(14 x 0.55) = 8 above the resources base.
    EXPECT_EQ(view.icon, 245 + 8);
    EXPECT_EQ(view.lastTip, "Resources: 55%");

    meter.resourcesOptions().setShowFree(false);
    EXPECT_EQ(meter.meterText(), "GDI: 20%  |  User: 40%  |  Sys: 45%");
}
