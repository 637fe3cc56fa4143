#include "meter/measure/icmp_helper_echo.h"

#include "meter/measure/icmp_echo.h"

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>
// clang-format on

#include <memory>

namespace {

// A request still in flight may write its reply after the time-out has passed; its
// buffer lives until the helper handle is closed, which waits this long at most.
constexpr DWORD kCompletionGraceMs = 1000;

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct IcmpCloser {
    void operator()(HANDLE h) const { IcmpCloseHandle(h); }
};
using UniqueIcmp = std::unique_ptr<void, IcmpCloser>;

struct Request {
    UniqueHandle done;
    std::vector<unsigned char> reply;
    bool pending = false;
};

// Room for the reply record, our data and an ICMP error's quoted header, and the
// status block an asynchronous request keeps there.
constexpr std::size_t kReplySize = sizeof(ICMP_ECHO_REPLY) + kEchoPayloadSize + 8 + 64;

EchoOutcome readReply(Request& request, std::uint32_t address)
{
    const DWORD count =
        IcmpParseReplies(request.reply.data(), static_cast<DWORD>(request.reply.size()));
    if (count == 0)
        return {-1, static_cast<int>(GetLastError())};
    const auto* reply = reinterpret_cast<const ICMP_ECHO_REPLY*>(request.reply.data());
    if (reply->Status != IP_SUCCESS)
        return {-1, static_cast<int>(reply->Status)};
    if (reply->Address != htonl(address))
        return {-1, kPingTimedOut};
    return {static_cast<std::int32_t>(reply->RoundTripTime), kPingOk};
}

} // namespace

std::vector<EchoOutcome> echoThroughIcmpHelper(const std::vector<std::uint32_t>& addresses,
                                               std::uint32_t timeoutMs)
{
    std::vector<EchoOutcome> outcomes(addresses.size());
    if (addresses.empty())
        return outcomes;
    UniqueIcmp icmp(IcmpCreateFile());
    if (icmp.get() == INVALID_HANDLE_VALUE) {
        icmp.release();
        for (EchoOutcome& o : outcomes)
            o.status = static_cast<int>(GetLastError());
        return outcomes;
    }

    unsigned char payload[kEchoPayloadSize];
    for (unsigned char& b : payload)
        b = kEchoPayloadByte;
    std::vector<Request> requests(addresses.size());
    const DWORD start = GetTickCount();
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        Request& r = requests[i];
        r.done.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        r.reply.assign(kReplySize, 0);
        const DWORD answered = IcmpSendEcho2(
            icmp.get(), r.done.get(), nullptr, nullptr, htonl(addresses[i]), payload,
            sizeof payload, nullptr, r.reply.data(), static_cast<DWORD>(r.reply.size()), timeoutMs);
        const DWORD error = GetLastError();
        if (answered != 0)
            outcomes[i] = readReply(r, addresses[i]);
        else if (error == ERROR_IO_PENDING)
            r.pending = true;
        else
            outcomes[i].status = static_cast<int>(error);
    }

    for (std::size_t i = 0; i < requests.size(); ++i) {
        Request& r = requests[i];
        if (!r.pending)
            continue;
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
        if (WaitForSingleObject(r.done.get(), left) == WAIT_OBJECT_0) {
            r.pending = false;
            outcomes[i] = readReply(r, addresses[i]);
        }
    }
    const DWORD graceStart = GetTickCount();
    for (Request& r : requests) {
        const DWORD spent = GetTickCount() - graceStart;
        if (r.pending && spent < kCompletionGraceMs)
            WaitForSingleObject(r.done.get(), kCompletionGraceMs - spent);
    }
    // Before the reply buffers go: closing the handle ends what is still in flight.
    icmp.reset();
    return outcomes;
}
