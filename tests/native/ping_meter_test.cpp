#include "meter/measure/ping_meter.h"
#include "meter/render.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Names resolve as the test lists them; every echo gets the answer set for its address.
class FakeNetwork : public PingNetwork {
public:
    bool ready() const override { return isReady; }
    std::optional<std::uint32_t> resolve(const std::string& host) override
    {
        const auto it = names.find(host);
        if (it == names.end())
            return std::nullopt;
        return it->second;
    }
    std::vector<EchoOutcome> echo(const std::vector<std::uint32_t>& addresses,
                                  std::uint32_t timeoutMs) override
    {
        ++echoes;
        askedAddresses = addresses;
        askedTimeout = timeoutMs;
        std::vector<EchoOutcome> out;
        for (std::uint32_t a : addresses) {
            const auto it = answers.find(a);
            out.push_back(it != answers.end() ? EchoOutcome{it->second, kPingOk} : EchoOutcome{});
        }
        return out;
    }

    bool isReady = true;
    std::map<std::string, std::uint32_t> names{
        {"127.0.0.1", 0x7F000001}, {"127.0.0.2", 0x7F000002}, {"loop", 0x7F000003}};
    std::map<std::uint32_t, std::int32_t> answers{{0x7F000001, 0}, {0x7F000003, 42}};
    int echoes = 0;
    std::vector<std::uint32_t> askedAddresses;
    std::uint32_t askedTimeout = 0;
};

struct PingMeterRig {
    PingMeterRig() : meter(settings, std::make_unique<PingCounter>(network))
    {
        meter.setClientSize(150, 80);
    }
    PingCounter& counter() { return *static_cast<PingCounter*>(meter.counter()); }
    // What a tick does: the options reach the counter, then one sample.
    void tick()
    {
        meter.prepareCounters();
        counter().Start();
        counter().Sample();
    }
    std::vector<std::string> textsAligned(TextAlign align, const RecordingCanvas& canvas) const
    {
        std::vector<std::string> out;
        for (const TextCall& t : canvas.texts)
            if (t.align == align)
                out.push_back(t.text);
        return out;
    }

    AppSettings settings;
    FakeNetwork network;
    PingMeter meter;
};

} // namespace

TEST(effectivePingTimeout, zeroIsTheDefaultAndTenSecondsTheMost)
{
    EXPECT_EQ(effectivePingTimeout(0), 750u);
    EXPECT_EQ(effectivePingTimeout(1), 1u);
    EXPECT_EQ(effectivePingTimeout(750), 750u);
    EXPECT_EQ(effectivePingTimeout(10000), 10000u);
    EXPECT_EQ(effectivePingTimeout(10001), 10000u);
    EXPECT_EQ(effectivePingTimeout(0xFFFFFFFFu), 10000u);
}

TEST(pingResultText, millisecondsOrACrossWithTwoBlanks)
{
    EXPECT_EQ(pingResultText(0), "0ms");
    EXPECT_EQ(pingResultText(17), "17ms");
    EXPECT_EQ(pingResultText(9999), "9999ms");
    EXPECT_EQ(pingResultText(-1), "x  ");
}

TEST(pingCounter, pingsTheResolvedHostsTogetherWithTheStoredTimeOut)
{
    PingMeterRig rig;
    rig.meter.pingOptions().setTimeout(2000);
    rig.meter.pingOptions().setHost(1, "nowhere.invalid");
    rig.meter.pingOptions().setHost(2, "loop");
    rig.meter.pingOptions().setHost(3, "127.0.0.2");
    rig.tick();
    EXPECT_EQ(rig.network.echoes, 1);
    EXPECT_EQ(rig.network.askedTimeout, 2000u);
    EXPECT_EQ(rig.network.askedAddresses,
              (std::vector<std::uint32_t>{0x7F000001, 0x7F000003, 0x7F000002}));
    EXPECT_EQ(rig.counter().results(), (std::vector<std::int32_t>{0, -1, 42, -1}));
    EXPECT_EQ(rig.counter().statuses(),
              (std::vector<int>{kPingOk, kPingUnresolvable, kPingOk, kPingTimedOut}));
}

TEST(pingCounter, aStoredZeroOrHugeTimeOutIsNotWaitedFor)
{
    PingMeterRig rig;
    rig.meter.pingOptions().setTimeout(0);
    rig.tick();
    EXPECT_EQ(rig.network.askedTimeout, 750u);
    rig.meter.pingOptions().setTimeout(600000);
    rig.tick();
    EXPECT_EQ(rig.network.askedTimeout, 10000u);
}

TEST(pingCounter, withoutWinsockEveryHostIsDownAndNothingIsSent)
{
    PingMeterRig rig;
    rig.network.isReady = false;
    rig.meter.pingOptions().setHost(1, "loop");
    rig.tick();
    EXPECT_EQ(rig.network.echoes, 0);
    EXPECT_EQ(rig.counter().results(), (std::vector<std::int32_t>{-1, -1}));
    EXPECT_EQ(rig.counter().statuses(), (std::vector<int>{kPingNoWinsock, kPingNoWinsock}));
}

TEST(pingCounter, readinessIsTakenAtStart)
{
    PingMeterRig rig;
    rig.meter.prepareCounters();
    rig.counter().Start();
    rig.network.isReady = false; // too late for this run
    rig.counter().Sample();
    EXPECT_EQ(rig.counter().results(), (std::vector<std::int32_t>{0}));
}

TEST(pingCounter, noEchoWhenNoHostResolves)
{
    PingMeterRig rig;
    rig.meter.pingOptions().setHost(0, "nowhere.invalid");
    rig.tick();
    EXPECT_EQ(rig.network.echoes, 0);
    EXPECT_EQ(rig.counter().results(), (std::vector<std::int32_t>{-1}));
}

TEST(pingCounter, takesAtMostTwentyHosts)
{
    FakeNetwork network;
    PingCounter counter(network);
    counter.configure(750, std::vector<std::string>(25, "loop"));
    EXPECT_EQ(counter.hosts().size(), 20u);
    counter.Start();
    counter.Sample();
    EXPECT_EQ(counter.results(), std::vector<std::int32_t>(20, 42));
}

TEST(pingMeter, oneLinePerHostAndTheFrame)
{
    PingMeterRig rig;
    FixedWidthMeasurer measurer;
    rig.meter.fitTextFormat(measurer);
    EXPECT_EQ(rig.meter.height(), RecordingCanvas::kTextHeight + 13);
    for (int slot = 1; slot < PingOptions::kHostSlots; ++slot)
        rig.meter.pingOptions().setHost(slot, "loop");
    EXPECT_EQ(rig.meter.height(), 20 * RecordingCanvas::kTextHeight + 13);
}

TEST(pingMeter, figuresRightAlignedBeforeTheNamesRowByRow)
{
    PingMeterRig rig;
    rig.meter.pingOptions().setHost(1, "nowhere.invalid");
    rig.meter.pingOptions().setHost(2, "loop");
    rig.tick();
    RecordingCanvas canvas;
    rig.meter.paint(canvas, false);

    EXPECT_EQ(rig.textsAligned(TextAlign::Left, canvas),
              (std::vector<std::string>{"127.0.0.1", "nowhere.invalid", "loop"}));
    EXPECT_EQ(rig.textsAligned(TextAlign::Right, canvas),
              (std::vector<std::string>{"0ms", "x  ", "42ms"}));

    // The strip is 139 wide (150 less the hide strip); inside it by 1 and 2.
    const int innerLeft = 1, innerTop = 1, innerRight = 137;
    const int w = 5 * RecordingCanvas::kCharWidth; // "888ms"
    const int h = RecordingCanvas::kTextHeight;
    for (const TextCall& t : canvas.texts) {
        EXPECT_EQ(t.colour, rig.settings.colours[kColourText]);
        EXPECT_EQ(t.rect.height(), h);
        if (t.align == TextAlign::Left) {
            EXPECT_EQ(t.rect.left, innerLeft + w + 3 + 8);
            EXPECT_EQ(t.rect.right, innerRight);
        } else {
            EXPECT_EQ(t.rect.left, innerLeft);
            EXPECT_EQ(t.rect.right, innerLeft + w + 3);
        }
    }
    // Row k of each column is the k-th text of its alignment.
    for (TextAlign align : {TextAlign::Left, TextAlign::Right}) {
        int row = 0;
        for (const TextCall& t : canvas.texts)
            if (t.align == align) {
                EXPECT_EQ(t.rect.top, innerTop + 2 + row++ * h) << t.text;
            }
        EXPECT_EQ(row, 3);
    }
}

TEST(pingMeter, theBackgroundIsFilledInsideTheFrameOnATickToo)
{
    PingMeterRig rig;
    RecordingCanvas canvas;
    rig.meter.paint(canvas, true);
    EXPECT_TRUE(canvas.frames.empty());
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].rect, (Rect{1, 1, 137, 78}));
    EXPECT_EQ(canvas.fills[0].colour, rig.settings.colours[kColourBackground]);
}

TEST(pingMeter, keptLayerHoldsTheNamesAndTheSampleLayerTheFigures)
{
    PingMeterRig rig;
    rig.meter.pingOptions().setHost(1, "nowhere.invalid");
    rig.settings.colours = colourSchemes()[2].colours; // light background, dark text
    rig.tick();
    RecordingCanvas kept, sample;
    rig.meter.paintStatic(kept);
    rig.meter.paintDynamic(sample);
    EXPECT_EQ(rig.textsAligned(TextAlign::Left, kept),
              (std::vector<std::string>{"127.0.0.1", "nowhere.invalid"}));
    EXPECT_TRUE(rig.textsAligned(TextAlign::Right, kept).empty());
    EXPECT_EQ(rig.textsAligned(TextAlign::Right, sample), (std::vector<std::string>{"0ms", "x  "}));
    EXPECT_TRUE(sample.fills.empty()); // drawn over the kept background
    ASSERT_FALSE(kept.fills.empty());
    EXPECT_EQ(kept.fills.back().colour, rig.settings.colours[kColourBackground]);
}

TEST(pingMeter, namesWithoutFiguresUntilThereIsAResultPerHost)
{
    PingMeterRig rig;
    RecordingCanvas before;
    rig.meter.paint(before, false);
    EXPECT_EQ(rig.textsAligned(TextAlign::Left, before), (std::vector<std::string>{"127.0.0.1"}));
    EXPECT_TRUE(rig.textsAligned(TextAlign::Right, before).empty());

    // A host added since the last sample: the old figures no longer fit the list.
    rig.tick();
    rig.meter.pingOptions().setHost(1, "loop");
    RecordingCanvas after;
    rig.meter.paint(after, false);
    EXPECT_EQ(rig.textsAligned(TextAlign::Left, after).size(), 2u);
    EXPECT_TRUE(rig.textsAligned(TextAlign::Right, after).empty());
}
