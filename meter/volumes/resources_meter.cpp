#include "meter/volumes/resources_meter.h"

#include <algorithm>
#include <cstdio>
#include <utility>

std::string resourcesText(const ResourceFigures& freePercents, bool showFree)
{
    const auto shown = [showFree](int freePercent) {
        return showFree ? freePercent : 100 - freePercent;
    };
    char text[96];
    std::snprintf(text, sizeof text, "GDI: %d%%  |  User: %d%%  |  Sys: %d%%",
                  shown(freePercents.gdi), shown(freePercents.user), shown(freePercents.system));
    return text;
}

ResourcesCounter::ResourcesCounter(FreeResourcesQuery& query) : query_(query)
{
}

void ResourcesCounter::Sample()
{
    figures_.system = query_.freePercent(ResourceHeap::System);
    figures_.gdi = query_.freePercent(ResourceHeap::Gdi);
    figures_.user = query_.freePercent(ResourceHeap::User);
    setValue(std::min({figures_.system, figures_.gdi, figures_.user}));
}

ResourcesMeter::ResourcesMeter(const AppSettings& settings,
                               std::unique_ptr<ResourcesCounter> counter)
    : TextLineMeter(
          MeterKind::Resources,
          std::make_unique<ResourcesOptions>(meterKindInfo(MeterKind::Resources).defaultActive),
          settings),
      resources_(counter.get())
{
    setCounter(counter.release(), true);
}

void ResourcesMeter::sample()
{
    // A percentage outside 0..100 from a misbehaving query is no percentage at all.
    const int value = std::clamp(static_cast<int>(resources_->value()), 0, 100);
    addSample(static_cast<std::uint32_t>(value), 100);
}

std::string ResourcesMeter::meterText() const
{
    return resourcesText(resources_->figures(), resourcesOptions().showFree());
}
