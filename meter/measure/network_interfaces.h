#pragma once
// The network interfaces the performance counters know, in enumeration order, and
// the one a network meter uses when none is configured. Shared with the network
// options page, which offers the same names.
#include "meter/measure/counter_library.h"
#include "meter/measure/platform_facts.h"
#include "meter/measure/remote_computer.h"

#include <string>
#include <vector>

// The interface every NT system has and nobody wants to watch.
extern const char* const kLoopbackInterfaceName;

class NetworkInterfaces {
public:
    // Enumerates the instances of the network interface object, against the remote
    // computer first when one is set and against this one when that fails. A failed
    // enumeration leaves the list empty.
    void rebuild(CounterLibrary& library, const PlatformFacts& facts, const RemoteComputer& remote);
    // Takes the names as enumerated and chooses the default among them.
    void assign(std::vector<std::string> names);

    const std::vector<std::string>& names() const { return names_; }
    // -1 when there is none.
    int defaultIndex() const { return defaultIndex_; }
    // The interface to measure: the configured one when it exists, else the
    // default; -1 when neither does.
    int resolve(int configured) const;

private:
    std::vector<std::string> names_;
    int defaultIndex_ = -1;
};

// The last interface literally named "2" (how some systems number their adapters),
// else the first one that is not the loopback interface; -1 when neither exists.
int defaultInterfaceIndex(const std::vector<std::string>& names);

// The names of a list of zero-terminated strings ending in an empty one. Never reads
// past length, terminated or not.
std::vector<std::string> splitMultiString(const char* buffer, std::size_t length);
