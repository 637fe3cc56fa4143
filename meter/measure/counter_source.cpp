#include "meter/measure/counter_source.h"

void CounterSource::attach(MeterCounter& counter)
{
    counters_.push_back(&counter);
    counter.Attach(this);
}

bool CounterSource::start()
{
    if (counters_.empty())
        return true;
    if (!BeginStart())
        return false;
    for (MeterCounter* counter : counters_)
        counter->Start();
    EndStart();
    return true;
}

void CounterSource::collect()
{
    if (counters_.empty())
        return;
    BeginCollect();
    for (MeterCounter* counter : counters_)
        counter->Sample();
    EndCollect();
}

void CounterSource::stop()
{
    if (counters_.empty())
        return;
    BeginStop();
    for (MeterCounter* counter : counters_)
        counter->Stop();
    counters_.clear();
    EndStop();
}
