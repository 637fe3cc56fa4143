#include "meter/measure/counter_sources.h"

CounterSources::CounterSources(std::unique_ptr<CounterSource> external1,
                               std::unique_ptr<CounterSource> external2, MemoryStatusReader& memory)
    : external1_(std::move(external1)), external2_(std::move(external2)),
      local1_(std::make_unique<LocalSource>()), local2_(std::make_unique<LocalSource>()),
      memory_(std::make_unique<MemoryStatusCache>(memory))
{
}

CounterSources::~CounterSources()
{
    // In the order of creation.
    external1_.reset();
    external2_.reset();
    local1_.reset();
    local2_.reset();
    memory_.reset();
}

bool CounterSources::initialize()
{
    return external1_->Initialize() && external2_->Initialize();
}

void CounterSources::attach(MeterCounter& counter, int timer)
{
    (counter.IsLocal() ? local(timer) : external(timer)).attach(counter);
}

void CounterSources::startAll()
{
    external1_->start();
    local1_->start();
    external2_->start();
    local2_->start();
}

void CounterSources::collect(int timer)
{
    external(timer).collect();
    local(timer).collect();
    memory_->markStale();
}

void CounterSources::stopAll()
{
    external1_->stop();
    local1_->stop();
    external2_->stop();
    local2_->stop();
}
