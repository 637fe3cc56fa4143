#pragma once
// The raw ICMP socket of the ping meter. Winsock must already be started: the program
// starts it once for itself.
#include "meter/measure/echo_socket.h"

#include <winsock2.h>

// A raw ICMP socket, or INVALID_SOCKET with the Winsock error in error (WSAEACCES when
// the user may not open raw sockets).
SOCKET openRawIcmpSocket(int& error);

class WinEchoSocket : public EchoSocket {
public:
    // Takes ownership of the socket.
    explicit WinEchoSocket(SOCKET socket) : socket_(socket) {}
    ~WinEchoSocket() override;
    WinEchoSocket(const WinEchoSocket&) = delete;
    WinEchoSocket& operator=(const WinEchoSocket&) = delete;

    int sendTo(std::uint32_t address, const std::uint8_t* data, std::size_t size) override;
    // Waits with select, so the wait ends on time whatever the socket's own time-outs.
    EchoReceipt receive(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs) override;

private:
    SOCKET socket_;
};
