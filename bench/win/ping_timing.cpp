// Times the ping meter's sample as a usage tick performs it: one echo to every host,
// all answered or given up within one time-out.
//
// Usage: brellix_ping_timing [--ticks N] [--timeout-ms N] HOST...
// Prints the median, 95th percentile and maximum of N samples in microseconds, and
// how many hosts answered in the last one. Loopback hosts only: scripts/bench-ping
// silences the ones that must not answer.
#include "common/win/winsock_session.h"
#include "meter/measure/ping_counter.h"
#include "meter/measure/win_ping_network.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[at];
}

} // namespace

int main(int argc, char** argv)
{
    int ticks = 50;
    std::uint32_t timeoutMs = kDefaultPingTimeoutMs;
    std::vector<std::string> hosts;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc)
            ticks = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--timeout-ms") == 0 && i + 1 < argc)
            timeoutMs = static_cast<std::uint32_t>(std::atoi(argv[++i]));
        else
            hosts.push_back(argv[i]);
    }
    if (hosts.empty()) {
        std::fprintf(stderr, "usage: brellix_ping_timing [--ticks N] [--timeout-ms N] HOST...\n");
        return 2;
    }

    WinsockSession winsock;
    WinPingNetwork network(winsock.started());
    PingCounter counter(network);
    counter.configure(timeoutMs, hosts);
    counter.Start();
    counter.Sample(); // warm-up: the first socket and the resolver

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> micros;
    for (int t = 0; t < ticks; ++t) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        counter.Sample();
        QueryPerformanceCounter(&end);
        micros.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                         static_cast<double>(frequency.QuadPart));
    }
    const auto answered = std::count_if(counter.results().begin(), counter.results().end(),
                                        [](std::int32_t r) { return r >= 0; });
    std::printf("hosts %zu, answered %ld, time-out %u ms, %d samples\n", hosts.size(),
                static_cast<long>(answered), counter.timeout(), ticks);
    std::printf("sample: median %.1f us, p95 %.1f us, max %.1f us\n", percentile(micros, 0.5),
                percentile(micros, 0.95), *std::max_element(micros.begin(), micros.end()));
    return 0;
}
