#pragma once
// A socket that a check can be called off on. Every wait is cut into short slices and
// the flag is looked at between them; once it is set the check's own thread closes
// the socket and every further call fails. Closing a socket under another thread's
// blocking read would race on the socket handle, so the closing is left to the thread
// that reads.
#include "mail/pop3_transport.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace mail {

using CancelFlag = std::shared_ptr<std::atomic<bool>>;

constexpr int kCancelSliceMs = 100;
// The error a called-off call reports (Winsock's "interrupted call").
constexpr int kCancelledError = 10004;

class CancellableTransport : public Pop3Transport {
public:
    CancellableTransport(std::unique_ptr<Pop3Transport> inner, CancelFlag cancel,
                         std::function<std::int64_t()> clock);

    bool create() override;
    bool connect(const std::string& host, int port, int timeoutMs) override;
    bool send(const char* data, std::size_t size) override;
    int waitReadable(int timeoutMs) override;
    int receive(char* buffer, std::size_t capacity) override;
    void close() override;
    int lastError() const override;

private:
    bool cancelled();
    int sliceLeft() const;

    std::unique_ptr<Pop3Transport> inner_;
    CancelFlag cancel_;
    std::function<std::int64_t()> clock_;
    std::int64_t deadline_ = 0; // of the wait receive may still spend
    bool closed_ = false;
};

// A factory whose transports all listen to one flag.
TransportFactory cancellableFactory(TransportFactory inner, CancelFlag cancel,
                                    std::function<std::int64_t()> clock);

} // namespace mail
