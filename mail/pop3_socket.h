#pragma once
// The POP3 client's socket over Winsock: a blocking TCP stream whose connect waits
// with select and whose reads and sends are bounded by the socket's time-outs, so that
// a silent server costs exactly the time-out. The program (or the test) starts
// Winsock; this class does not.
#include "mail/pop3_transport.h"

#include <winsock2.h>

namespace mail {

class CPop3Socket : public Pop3Transport {
public:
    CPop3Socket() = default;
    ~CPop3Socket() override;
    CPop3Socket(const CPop3Socket&) = delete;
    CPop3Socket& operator=(const CPop3Socket&) = delete;

    bool create() override;
    bool connect(const std::string& host, int port, int timeoutMs) override;
    bool send(const char* data, std::size_t size) override;
    int waitReadable(int timeoutMs) override;
    int receive(char* buffer, std::size_t capacity) override;
    void close() override;
    int lastError() const override { return error_; }

    static std::unique_ptr<Pop3Transport> make();

private:
    bool failWith(int error);

    SOCKET socket_ = INVALID_SOCKET;
    int error_ = 0;
    int waitMs_ = 1;           // how long the next receive may wait for data
    int receiveTimeoutMs_ = 0; // the socket's receive time-out as last set
};

} // namespace mail
