#include "mail/check/cancellable_transport.h"

#include <algorithm>

namespace mail {

CancellableTransport::CancellableTransport(std::unique_ptr<Pop3Transport> inner, CancelFlag cancel,
                                           std::function<std::int64_t()> clock)
    : inner_(std::move(inner)), cancel_(std::move(cancel)), clock_(std::move(clock))
{
}

bool CancellableTransport::cancelled()
{
    if (!cancel_->load()) {
        return false;
    }
    if (!closed_) {
        inner_->close();
        closed_ = true;
    }
    return true;
}

bool CancellableTransport::create()
{
    closed_ = false;
    return !cancelled() && inner_->create();
}

bool CancellableTransport::connect(const std::string& host, int port, int timeoutMs)
{
    return !cancelled() && inner_->connect(host, port, timeoutMs);
}

bool CancellableTransport::send(const char* data, std::size_t size)
{
    return !cancelled() && inner_->send(data, size);
}

int CancellableTransport::sliceLeft() const
{
    const std::int64_t left = deadline_ - clock_();
    return static_cast<int>(std::clamp<std::int64_t>(left, 1, kCancelSliceMs));
}

int CancellableTransport::waitReadable(int timeoutMs)
{
    deadline_ = clock_() + std::max(timeoutMs, 1);
    for (;;) {
        if (cancelled()) {
            return -1;
        }
        const int ready = inner_->waitReadable(sliceLeft());
        if (ready != 0 || clock_() >= deadline_) {
            return ready;
        }
    }
}

int CancellableTransport::receive(char* buffer, std::size_t capacity)
{
    // A transport that waits in its read reports a slice that ran out as a time-out:
    // go round again until the whole wait is spent.
    for (;;) {
        if (cancelled()) {
            return -1;
        }
        const int got = inner_->receive(buffer, capacity);
        if (got >= 0 || inner_->lastError() != SocketError::kTimedOut || clock_() >= deadline_) {
            return got;
        }
        if (inner_->waitReadable(sliceLeft()) < 0) {
            return -1;
        }
    }
}

void CancellableTransport::close()
{
    inner_->close();
    closed_ = true;
}

int CancellableTransport::lastError() const
{
    return cancel_->load() ? kCancelledError : inner_->lastError();
}

TransportFactory cancellableFactory(TransportFactory inner, CancelFlag cancel,
                                    std::function<std::int64_t()> clock)
{
    return [inner = std::move(inner), cancel = std::move(cancel), clock = std::move(clock)] {
        return std::make_unique<CancellableTransport>(inner(), cancel, clock);
    };
}

} // namespace mail
