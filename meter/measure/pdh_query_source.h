#pragma once
// The external source of the NT family: one performance data query that collects all
// its counters at once.
#include "meter/measure/counter_environment.h"
#include "meter/measure/counter_library_loader.h"
#include "meter/measure/counter_source.h"

class PdhQuerySource : public CounterSource {
public:
    PdhQuerySource(CounterLibraryLoader& loader, const CounterEnvironment& environment)
        : loader_(loader), environment_(environment)
    {
    }
    ~PdhQuerySource() override;
    PdhQuerySource(const PdhQuerySource&) = delete;
    PdhQuerySource& operator=(const PdhQuerySource&) = delete;

    // Takes a use of the helper library (loading it, or telling the user it is
    // missing).
    bool Initialize() override;
    bool BeginStart() override;
    void EndStart() override {}
    void BeginCollect() override;
    void EndCollect() override {}
    // Closing the query releases its counters.
    void BeginStop() override;
    void EndStop() override {}

    // The bound functions, or nullptr before a successful Initialize().
    CounterLibrary* library() const { return holdsLibrary_ ? loader_.library() : nullptr; }
    // Null while no query is open.
    PdhQueryHandle query() const { return query_; }
    const CounterEnvironment& environment() const { return environment_; }

private:
    CounterLibraryLoader& loader_;
    const CounterEnvironment& environment_;
    bool holdsLibrary_ = false;
    PdhQueryHandle query_ = nullptr;
};
