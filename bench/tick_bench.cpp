// One usage tick's model work for one graph meter: a new sample, its text, and the
// graph drawn on a canvas that only records what it is asked to do.
#include "meter/graph_meter.h"
#include "meter/render.h"

#include <benchmark/benchmark.h>

namespace {

class CountingCanvas : public Canvas {
public:
    Size measureText(const std::string& s, FontWeight) const override
    {
        return {static_cast<int>(s.size()) * 6, 13};
    }
    void fillRect(const Rect&, ColorRef colour) override { record(colour); }
    void draw3dRect(const Rect&, ColorRef a, ColorRef b) override { record(a ^ b); }
    void line(int x1, int, int, int, ColorRef colour) override
    {
        record(colour + static_cast<unsigned>(x1));
    }
    void text(const Rect&, const std::string& s, TextAlign, ColorRef, FontWeight) override
    {
        record(static_cast<ColorRef>(s.size()));
    }
    ColorRef checksum = 0;
    int calls = 0;

private:
    void record(ColorRef v)
    {
        checksum = checksum * 31 + v;
        ++calls;
    }
};

template <typename MeterType> void tick(benchmark::State& state, bool lineGraph)
{
    AppSettings settings;
    MeterType meter(settings);
    meter.graphOptions().setLineGraph(lineGraph);
    meter.setClientSize(200, 70);
    CountingCanvas measurer;
    meter.fitTextFormat(measurer);
    std::uint32_t v = 1;
    for (auto _ : state) {
        v = v * 1103515245u + 12345u;
        meter.addSample(v % 100, 100);
        CountingCanvas canvas;
        meter.paint(canvas, true); // meterText and drawGraph, as after every sample
        benchmark::DoNotOptimize(canvas.checksum);
    }
}

void cpuBarTick(benchmark::State& state)
{
    tick<CpuMeter>(state, false);
}
void cpuLineTick(benchmark::State& state)
{
    tick<CpuMeter>(state, true);
}
void networkBarTick(benchmark::State& state)
{
    tick<NetworkGraphMeter>(state, false);
}
void physMemBarTick(benchmark::State& state)
{
    tick<PhysMemGraphMeter>(state, false);
}

} // namespace

BENCHMARK(cpuBarTick);
BENCHMARK(cpuLineTick);
BENCHMARK(networkBarTick);
BENCHMARK(physMemBarTick);
BENCHMARK_MAIN();
