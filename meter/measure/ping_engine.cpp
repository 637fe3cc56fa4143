#include "meter/measure/ping_engine.h"

#include "meter/measure/icmp_echo.h"

#include <algorithm>

PingEngine::PingEngine(std::uint16_t identifier, const TickClock& clock)
    : identifier_(identifier), clock_(clock), buffer_(kReceiveBufferSize)
{
}

std::vector<EchoOutcome> PingEngine::pingAll(EchoSocket& socket,
                                             const std::vector<std::uint32_t>& addresses,
                                             std::uint32_t timeoutMs)
{
    std::vector<EchoOutcome> outcomes(addresses.size());
    std::vector<Pending> pending;
    const std::uint32_t start = clock_.tickCount();
    sendAll(socket, addresses, outcomes, pending);
    while (!pending.empty()) {
        const std::uint32_t elapsed = clock_.tickCount() - start;
        if (elapsed >= timeoutMs)
            break;
        const EchoReceipt receipt =
            socket.receive(buffer_.data(), buffer_.size(), timeoutMs - elapsed);
        if (receipt.kind == EchoReceipt::Kind::TimedOut)
            break;
        if (receipt.kind == EchoReceipt::Kind::Failed) {
            for (const Pending& p : pending)
                outcomes[p.index].status = receipt.error;
            break;
        }
        match(std::min(receipt.size, buffer_.size()), outcomes, pending);
    }
    return outcomes;
}

void PingEngine::sendAll(EchoSocket& socket, const std::vector<std::uint32_t>& addresses,
                         std::vector<EchoOutcome>& outcomes, std::vector<Pending>& pending)
{
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const std::uint16_t sequence = nextSequence_++;
        const std::uint32_t sendTime = clock_.tickCount();
        const EchoRequest request = makeEchoRequest(identifier_, sequence, sendTime);
        const int error = socket.sendTo(addresses[i], request.data(), request.size());
        if (error != 0)
            outcomes[i].status = error;
        else
            pending.push_back({i, addresses[i], sequence, sendTime});
    }
}

void PingEngine::match(std::size_t size, std::vector<EchoOutcome>& outcomes,
                       std::vector<Pending>& pending) const
{
    const auto echo = readReceivedEcho(buffer_.data(), size);
    if (!echo || echo->type != kIcmpEchoReply || echo->identifier != identifier_)
        return;
    const auto it = std::find_if(pending.begin(), pending.end(), [&](const Pending& p) {
        return p.sequence == echo->sequence && p.address == echo->source;
    });
    if (it == pending.end())
        return;
    const std::uint32_t roundTrip = clock_.tickCount() - it->sendTime;
    outcomes[it->index] = {static_cast<std::int32_t>(roundTrip), kPingOk};
    pending.erase(it);
}
