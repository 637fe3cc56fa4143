#include "meter/measure/network_interfaces.h"

#include "meter/measure/counter_paths.h"

#include <cctype>
#include <cstring>

const char* const kLoopbackInterfaceName = "MS TCP Loopback interface";

namespace {

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    const std::size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

// One enumeration call, remote first when a remote computer is set. A sizing call
// succeeds with the "more data" answer too.
PdhStatus enumerate(CounterLibrary& library, const RemoteComputer& remote, const char* object,
                    char* counters, std::uint32_t* countersLength, char* instances,
                    std::uint32_t* instancesLength)
{
    const bool sizing = counters == nullptr || instances == nullptr;
    const auto succeeded = [sizing](PdhStatus s) {
        return s == kPdhOk || (sizing && s == kPdhMoreData);
    };
    const std::uint32_t countersIn = *countersLength;
    const std::uint32_t instancesIn = *instancesLength;
    if (remote.isSet()) {
        const PdhStatus s =
            library.enumObjectItems(remote.fullForm().c_str(), object, counters, countersLength,
                                    instances, instancesLength, kPerfDetailWizard, 0);
        if (succeeded(s))
            return kPdhOk;
        *countersLength = countersIn;
        *instancesLength = instancesIn;
    }
    const PdhStatus s = library.enumObjectItems(nullptr, object, counters, countersLength,
                                                instances, instancesLength, kPerfDetailWizard, 0);
    return succeeded(s) ? kPdhOk : s;
}

} // namespace

std::vector<std::string> splitMultiString(const char* buffer, std::size_t length)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < length && buffer[i] != '\0') {
        const std::size_t start = i;
        while (i < length && buffer[i] != '\0')
            ++i;
        names.emplace_back(buffer + start, i - start);
        ++i; // past the terminator
    }
    return names;
}

int defaultInterfaceIndex(const std::vector<std::string>& names)
{
    int chosen = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == "2")
            chosen = static_cast<int>(i);
        else if (chosen < 0 && !equalsIgnoringCase(names[i], kLoopbackInterfaceName))
            chosen = static_cast<int>(i);
    }
    return chosen;
}

void NetworkInterfaces::assign(std::vector<std::string> names)
{
    names_ = std::move(names);
    defaultIndex_ = defaultInterfaceIndex(names_);
}

int NetworkInterfaces::resolve(int configured) const
{
    if (configured >= 0 && static_cast<std::size_t>(configured) < names_.size())
        return configured;
    return defaultIndex_;
}

void NetworkInterfaces::rebuild(CounterLibrary& library, const PlatformFacts& facts,
                                const RemoteComputer& remote)
{
    names_.clear();
    defaultIndex_ = -1;
    const char* object =
        counterPathText(choosePathId(consecutivePathIds(CounterPathId::kNetworkObject), facts));

    std::uint32_t countersLength = 0;
    std::uint32_t instancesLength = 0;
    if (enumerate(library, remote, object, nullptr, &countersLength, nullptr, &instancesLength) !=
            kPdhOk ||
        countersLength == 0 || instancesLength == 0)
        return;

    std::vector<char> counters(countersLength);
    std::vector<char> instances(instancesLength);
    std::uint32_t filledCounters = countersLength;
    std::uint32_t filledInstances = instancesLength;
    if (enumerate(library, remote, object, counters.data(), &filledCounters, instances.data(),
                  &filledInstances) != kPdhOk)
        return;
    // The walk stops at the list's end or at the buffer's, whichever comes first.
    assign(splitMultiString(instances.data(), instances.size()));
}
