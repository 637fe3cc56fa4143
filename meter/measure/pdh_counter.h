#pragma once
// A counter read from a performance data query. Its path depends on the system: the
// Windows 2000 names are localized and are tried first there; the NT 4 names are the
// fallback (and, for the disk and uptime counters, the only set).
#include "meter/measure/counter_paths.h"
#include "meter/measure/meter_counter.h"

#include <string>

class PdhQuerySource;

enum class PdhCounterKind { Cpu, Cpu1, Cpu2, Disk, Uptime, Network };

class PdhCounter : public MeterCounter {
public:
    explicit PdhCounter(PdhCounterKind kind) : kind_(kind) {}

    PdhCounterKind kind() const { return kind_; }
    // Only a performance data query can hold this counter.
    bool Attach(CounterSource* source) override;
    bool IsLocal() const override { return false; }
    bool Start() override;
    void Sample() override;
    // The query's close releases the counter itself.
    void Stop() override { handle_ = nullptr; }

    bool isAdded() const { return handle_ != nullptr; }
    // The path the counter was added with, empty while it is not added.
    const std::string& addedPath() const { return addedPath_; }

protected:
    virtual void SetPathIds();
    virtual bool AddNT5Path();
    virtual bool AddNT4Path();

    PdhQuerySource* query() const { return query_; }
    // Adds the path as given; success when the library accepts it.
    bool addPath(const std::string& path);
    // The chosen text of an id set behind the remote computer prefix; empty when the
    // set has no entry.
    std::string fullPath(const PathIdSet& ids) const;

    PathIdSet nt4Ids_{};
    PathIdSet nt5Ids_{};

private:
    // For systems in a language outside the six: the English name, added as English.
    bool addEnglishFallback();

    PdhCounterKind kind_;
    PdhQuerySource* query_ = nullptr;
    void* handle_ = nullptr;
    std::string addedPath_;
};

// The network counter measures one interface, chosen when it starts.
class NetworkPdhCounter : public PdhCounter {
public:
    NetworkPdhCounter() : PdhCounter(PdhCounterKind::Network) {}

    // -1: the default interface.
    void setInterfaceIndex(int index) { interfaceIndex_ = index; }
    int interfaceIndex() const { return interfaceIndex_; }

protected:
    void SetPathIds() override {}
    bool AddNT5Path() override { return false; }
    bool AddNT4Path() override;

private:
    int interfaceIndex_ = -1;
};
