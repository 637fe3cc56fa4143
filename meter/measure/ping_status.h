#pragma once
// What became of one echo. Socket errors are kept as the socket reported them.
#include <cstdint>

constexpr int kPingOk = 0;
constexpr int kPingUnresolvable = 2;
constexpr int kPingNoWinsock = 3;
// Winsock's WSAETIMEDOUT: no reply within the time-out.
constexpr int kPingTimedOut = 10060;

struct EchoOutcome {
    // Milliseconds, or -1 for no answer.
    std::int32_t roundTrip = -1;
    int status = kPingTimedOut;
};
