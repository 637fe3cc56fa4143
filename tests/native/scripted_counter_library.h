#pragma once
// A performance data library that follows a script: which paths exist, what they
// read, which interfaces each machine enumerates. Every call is logged in order.
#include "meter/measure/counter_library_loader.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class ScriptedCounterLibrary : public CounterLibrary {
public:
    std::set<std::string> paths;        // addCounter accepts these
    std::set<std::string> englishPaths; // addEnglishCounter accepts these
    bool acceptAll = false;             // every path exists
    bool exportsEnglish = false;
    bool openFails = false;
    std::map<std::string, std::int32_t> values;      // by path; missing: the read fails
    std::map<std::string, std::int64_t> largeValues; // 64-bit reads; else from values
    std::vector<std::string> removed;                // paths of removed counters, in order
    // Instances by machine ("" = this computer); a machine not listed fails.
    std::map<std::string, std::vector<std::string>> instances;
    std::vector<std::string> calls;

    PdhStatus openQuery(PdhQueryHandle* query) override
    {
        calls.push_back("open");
        if (openFails)
            return static_cast<PdhStatus>(0xC0000BBCu);
        *query = &queryToken_;
        return kPdhOk;
    }
    PdhStatus addCounter(PdhQueryHandle, const char* path, PdhCounterHandle* counter) override
    {
        calls.push_back(std::string("add ") + path);
        return add(paths, path, counter);
    }
    bool hasAddEnglishCounter() const override { return exportsEnglish; }
    PdhStatus addEnglishCounter(PdhQueryHandle, const char* path,
                                PdhCounterHandle* counter) override
    {
        calls.push_back(std::string("addEnglish ") + path);
        return add(englishPaths, path, counter);
    }
    PdhStatus collectQueryData(PdhQueryHandle) override
    {
        calls.push_back("collect");
        return kPdhOk;
    }
    PdhStatus formattedLong(PdhCounterHandle counter, std::int32_t* value) override
    {
        const std::string& path = added_.at(reinterpret_cast<std::uintptr_t>(counter) - 1);
        const auto it = values.find(path);
        if (it == values.end())
            return static_cast<PdhStatus>(0x800007D6u);
        *value = it->second;
        return kPdhOk;
    }
    PdhStatus formattedLarge(PdhCounterHandle counter, std::int64_t* value) override
    {
        const std::string& path = added_.at(reinterpret_cast<std::uintptr_t>(counter) - 1);
        const auto large = largeValues.find(path);
        if (large != largeValues.end()) {
            *value = large->second;
            return kPdhOk;
        }
        std::int32_t v = 0;
        const PdhStatus s = formattedLong(counter, &v);
        *value = v;
        return s;
    }
    PdhStatus enumObjectItems(const char* machine, const char* object, char* counters,
                              std::uint32_t* countersLength, char* instancesOut,
                              std::uint32_t* instancesLength, std::uint32_t detail,
                              std::uint32_t flags) override
    {
        const std::string who = machine != nullptr ? machine : "";
        calls.push_back("enum " + who + " " + object + " " + std::to_string(detail) + " " +
                        std::to_string(flags) + (counters == nullptr ? " sizing" : " filling"));
        const auto it = instances.find(who);
        if (it == instances.end())
            return static_cast<PdhStatus>(0x800007D0u);
        const std::string counterList = std::string("Bytes Total/sec") + '\0' + '\0';
        std::string instanceList;
        for (const std::string& name : it->second)
            instanceList += name + '\0';
        instanceList += '\0';
        const bool fits = counters != nullptr && instancesOut != nullptr &&
                          *countersLength >= counterList.size() &&
                          *instancesLength >= instanceList.size();
        *countersLength = static_cast<std::uint32_t>(counterList.size());
        *instancesLength = static_cast<std::uint32_t>(instanceList.size());
        if (!fits)
            return kPdhMoreData;
        std::memcpy(counters, counterList.data(), counterList.size());
        std::memcpy(instancesOut, instanceList.data(), instanceList.size());
        return kPdhOk;
    }
    PdhStatus removeCounter(PdhCounterHandle counter) override
    {
        removed.push_back(added_.at(reinterpret_cast<std::uintptr_t>(counter) - 1));
        return kPdhOk;
    }
    PdhStatus closeQuery(PdhQueryHandle) override
    {
        calls.push_back("close");
        return kPdhOk;
    }

    std::size_t count(const std::string& call) const
    {
        std::size_t n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }

private:
    PdhStatus add(const std::set<std::string>& known, const char* path, PdhCounterHandle* counter)
    {
        if (!acceptAll && known.count(path) == 0)
            return static_cast<PdhStatus>(0xC0000BB9u);
        added_.emplace_back(path);
        *counter = reinterpret_cast<PdhCounterHandle>(static_cast<std::uintptr_t>(added_.size()));
        return kPdhOk;
    }

    int queryToken_ = 0;
    std::vector<std::string> added_;
};

// Hands the loader a table that forwards to a library the test keeps.
class ForwardingLibrary : public CounterLibrary {
public:
    explicit ForwardingLibrary(CounterLibrary& to) : to_(to) {}
    PdhStatus openQuery(PdhQueryHandle* q) override { return to_.openQuery(q); }
    PdhStatus addCounter(PdhQueryHandle q, const char* p, PdhCounterHandle* c) override
    {
        return to_.addCounter(q, p, c);
    }
    bool hasAddEnglishCounter() const override { return to_.hasAddEnglishCounter(); }
    PdhStatus addEnglishCounter(PdhQueryHandle q, const char* p, PdhCounterHandle* c) override
    {
        return to_.addEnglishCounter(q, p, c);
    }
    PdhStatus collectQueryData(PdhQueryHandle q) override { return to_.collectQueryData(q); }
    PdhStatus formattedLong(PdhCounterHandle c, std::int32_t* v) override
    {
        return to_.formattedLong(c, v);
    }
    PdhStatus formattedLarge(PdhCounterHandle c, std::int64_t* v) override
    {
        return to_.formattedLarge(c, v);
    }
    PdhStatus enumObjectItems(const char* m, const char* o, char* c, std::uint32_t* cl, char* i,
                              std::uint32_t* il, std::uint32_t d, std::uint32_t f) override
    {
        return to_.enumObjectItems(m, o, c, cl, i, il, d, f);
    }
    PdhStatus removeCounter(PdhCounterHandle c) override { return to_.removeCounter(c); }
    PdhStatus closeQuery(PdhQueryHandle q) override { return to_.closeQuery(q); }

private:
    CounterLibrary& to_;
};

// A system whose folders hold the library at the paths listed in present.
class ScriptedLibraryPlatform : public LibraryPlatform {
public:
    explicit ScriptedLibraryPlatform(CounterLibrary& library) : library_(library) {}

    std::string system = "C:\\WINDOWS\\System32";
    std::set<std::string> present{"C:\\WINDOWS\\System32\\PDH.DLL"};
    std::vector<std::string> loads;
    std::vector<std::string> errors;
    int frees = 0;

    std::string systemDirectory() override { return system; }
    void* loadLibrary(const std::string& path) override
    {
        loads.push_back(path);
        return present.count(path) != 0 ? &module_ : nullptr;
    }
    void freeLibrary(void* module) override
    {
        if (module == &module_)
            ++frees;
    }
    std::unique_ptr<CounterLibrary> bindFunctions(void*) override
    {
        return std::make_unique<ForwardingLibrary>(library_);
    }
    void showError(const std::string& message) override { errors.push_back(message); }

private:
    CounterLibrary& library_;
    int module_ = 0;
};
