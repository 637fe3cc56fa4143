#pragma once
// A meter's sampling object: registers with a counter source, refreshes its value
// after every collection of that source, and leaves it again.
#include <cstdint>
#include <string>

class CounterSource;

class MeterCounter {
public:
    virtual ~MeterCounter() = default;

    // Remembers the source the counter belongs to.
    virtual bool Attach(CounterSource* source)
    {
        source_ = source;
        return true;
    }
    // Counters that need no external query sit in a local source.
    virtual bool IsLocal() const = 0;
    virtual bool Start() = 0;
    // Refreshes value() from the collected data; a failure leaves 0.
    virtual void Sample() = 0;
    virtual void Stop() = 0;
    virtual std::string text() const { return {}; }

    std::int32_t value() const { return value_; }
    CounterSource* source() const { return source_; }

protected:
    void setValue(std::int32_t v) { value_ = v; }

private:
    CounterSource* source_ = nullptr;
    std::int32_t value_ = 0;
};
