#include "meter/measure/win_echo_socket.h"

SOCKET openRawIcmpSocket(int& error)
{
    // Overlapped, as the system's raw sockets are most at home with; the waits use select.
    const SOCKET s = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_ICMP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    error = s == INVALID_SOCKET ? WSAGetLastError() : 0;
    return s;
}

WinEchoSocket::~WinEchoSocket()
{
    closesocket(socket_);
}

int WinEchoSocket::sendTo(std::uint32_t address, const std::uint8_t* data, std::size_t size)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(address);
    const int sent = sendto(socket_, reinterpret_cast<const char*>(data), static_cast<int>(size), 0,
                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sent == SOCKET_ERROR ? WSAGetLastError() : 0;
}

EchoReceipt WinEchoSocket::receive(std::uint8_t* buffer, std::size_t capacity, std::uint32_t waitMs)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000 * 1000)};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0)
        return {EchoReceipt::Kind::TimedOut, 0, 0};
    if (ready == SOCKET_ERROR)
        return {EchoReceipt::Kind::Failed, 0, WSAGetLastError()};

    sockaddr_in from{};
    int fromLength = sizeof from;
    const int got = recvfrom(socket_, reinterpret_cast<char*>(buffer), static_cast<int>(capacity),
                             0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got != SOCKET_ERROR)
        return {EchoReceipt::Kind::Datagram, static_cast<std::size_t>(got), 0};
    const int error = WSAGetLastError();
    // A datagram longer than the buffer is someone else's; its head is enough to tell.
    if (error == WSAEMSGSIZE)
        return {EchoReceipt::Kind::Datagram, capacity, 0};
    return {EchoReceipt::Kind::Failed, 0, error};
}
