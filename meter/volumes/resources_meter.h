#pragma once
// The free 16-bit GDI, user and system resources of the Windows 9x family, as one line
// of text and a history of the smallest of the three.
#include "meter/measure/meter_counter.h"
#include "meter/volumes/text_line_meter.h"

#include <cstdint>
#include <string>

// The three resource heaps in the order the system is asked for them.
enum class ResourceHeap : int { System = 0, Gdi = 1, User = 2 };

// Asks the system for the free percentage of one heap; 0 when it cannot tell.
class FreeResourcesQuery {
public:
    virtual ~FreeResourcesQuery() = default;
    virtual int freePercent(ResourceHeap heap) = 0;
};

struct ResourceFigures {
    int gdi = 0;
    int user = 0;
    int system = 0;
};

// "GDI: n%  |  User: n%  |  Sys: n%", free or, with showFree off, used (100 - free).
std::string resourcesText(const ResourceFigures& freePercents, bool showFree);

class ResourcesCounter : public MeterCounter {
public:
    explicit ResourcesCounter(FreeResourcesQuery& query);

    bool IsLocal() const override { return true; }
    bool Start() override { return true; }
    // Reads system, GDI and user in that order; value() becomes the smallest.
    void Sample() override;
    void Stop() override {}

    const ResourceFigures& figures() const { return figures_; }

private:
    FreeResourcesQuery& query_;
    ResourceFigures figures_;
};

class ResourcesMeter : public TextLineMeter {
public:
    // The meter owns its counter.
    ResourcesMeter(const AppSettings& settings, std::unique_ptr<ResourcesCounter> counter);

    ResourcesOptions& resourcesOptions() { return static_cast<ResourcesOptions&>(options()); }
    const ResourcesOptions& resourcesOptions() const
    {
        return static_cast<const ResourcesOptions&>(options());
    }

    bool canShowTrayIcon() const override { return true; }
    void sample() override;
    // Free percentages always span 0..100, so the tray level reads as a percentage.
    std::uint32_t scaleMaximum(std::uint32_t ceiling) const override { return ceiling; }
    std::string meterText() const override;

private:
    ResourcesCounter* resources_;
};
