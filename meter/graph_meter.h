#pragma once
// Graph meters: a 30-column bar or line graph with an average line and one line of
// text whose format is the longest of a list of candidates that fits the meter.
#include "meter/measure/memory_status_cache.h"
#include "meter/meter.h"

#include <string>
#include <vector>

// The candidate formats of a graph's text, longest first, and how to fill them for
// measuring and for showing.
struct TextFormatList {
    std::vector<const char*> formats;
    // With the average left out of meter texts, candidates before this one are skipped.
    std::size_t firstWithoutAverage = 0;
};

class GraphMeter : public Meter {
public:
    GraphMeter(MeterKind kind, std::unique_ptr<GraphOptions> options, const AppSettings& settings);

    GraphOptions& graphOptions() { return static_cast<GraphOptions&>(options()); }
    const GraphOptions& graphOptions() const { return static_cast<const GraphOptions&>(options()); }

    bool hasGraphOptions() const override { return true; }
    bool canLog() const override { return true; }
    bool canShowTrayIcon() const override { return true; }
    int height() const override { return graphOptions().height(); }
    std::uint32_t scaleMaximum(std::uint32_t ceiling) const override;
    void fitTextFormat(const TextMeasurer& measurer) override;
    void paint(Canvas& canvas, bool tickRedraw) override;
    void paintStatic(Canvas& canvas) const override;
    void paintDynamic(Canvas& canvas) const override;

    // The fitted format; before the first fitting, the shortest candidate, so that the
    // arguments always match the format.
    std::string textFormat() const;
    // The text under the graph for the current samples.
    virtual std::string meterText() const;

protected:
    virtual TextFormatList formatList() const;
    // A candidate filled with the widest figures it will show, for measuring.
    virtual std::string sampleText(const char* format) const;
    // Put before the chosen format (the processor graphs' names).
    virtual std::string formatPrefix() const { return {}; }

private:
    std::string textFormat_;
};

// Processor graphs: always 0..100 percent.
class PercentGraphMeter : public GraphMeter {
public:
    using GraphMeter::GraphMeter;

    void sample() override;
    std::uint32_t scaleMaximum(std::uint32_t ceiling) const override;
    std::string meterText() const override;

protected:
    TextFormatList formatList() const override;
    std::string sampleText(const char* format) const override;
};

class CpuMeter : public PercentGraphMeter {
public:
    explicit CpuMeter(const AppSettings& settings);

protected:
    std::string formatPrefix() const override { return "CPU"; }
};

class Cpu1Meter : public PercentGraphMeter {
public:
    explicit Cpu1Meter(const AppSettings& settings);

protected:
    std::string formatPrefix() const override { return "CPU1"; }
};

class Cpu2Meter : public PercentGraphMeter {
public:
    explicit Cpu2Meter(const AppSettings& settings);

protected:
    std::string formatPrefix() const override { return "CPU2"; }
};

// Page-file and physical-memory graphs: values in KB, spanning the resource's total
// unless auto-scaled.
class MemoryGraphMeter : public GraphMeter {
public:
    using GraphMeter::GraphMeter;

    // (used, total) from the shared memory cache.
    void sample() override;
    std::uint32_t scaleMaximum(std::uint32_t ceiling) const override;
    std::string meterText() const override;
    virtual MemoryResource resource() const = 0;
    // Share of the scale in percent, rounded; 0 when there is nothing to compare with.
    std::uint32_t percentOfScale() const;

protected:
    std::string sampleText(const char* format) const override;
};

class PageFileGraphMeter : public MemoryGraphMeter {
public:
    explicit PageFileGraphMeter(const AppSettings& settings);
    MemoryResource resource() const override { return MemoryResource::PageFile; }

protected:
    TextFormatList formatList() const override;
};

class PhysMemGraphMeter : public MemoryGraphMeter {
public:
    explicit PhysMemGraphMeter(const AppSettings& settings);
    MemoryResource resource() const override { return MemoryResource::Physical; }

protected:
    TextFormatList formatList() const override;
};

// Throughput graphs: bytes per second, shown in kilobytes (or kilobits) per second.
class ThroughputGraphMeter : public GraphMeter {
public:
    using GraphMeter::GraphMeter;

    void sample() override;
    std::string meterText() const override;
    virtual bool showBits() const = 0;

protected:
    std::string sampleText(const char* format) const override;
};

class NetworkGraphMeter : public ThroughputGraphMeter {
public:
    explicit NetworkGraphMeter(const AppSettings& settings);

    NetworkOptions& networkOptions() { return static_cast<NetworkOptions&>(options()); }
    const NetworkOptions& networkOptions() const
    {
        return static_cast<const NetworkOptions&>(options());
    }
    bool showBits() const override { return networkOptions().showBits(); }
    std::uint32_t minimumScale() const override;
    // Hands the configured interface to the counter before it starts (NT family: the
    // Windows 9x counter measures the whole redirector and takes no interface).
    void prepareCounters() override;

protected:
    TextFormatList formatList() const override;
};

class DiskGraphMeter : public ThroughputGraphMeter {
public:
    explicit DiskGraphMeter(const AppSettings& settings);

    const DiskOptions& diskOptions() const { return static_cast<const DiskOptions&>(options()); }
    bool showBits() const override { return diskOptions().showBits(); }
    std::uint32_t minimumScale() const override { return 1024; }

protected:
    TextFormatList formatList() const override;
};
