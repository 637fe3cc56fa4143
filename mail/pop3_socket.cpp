#include "mail/pop3_socket.h"

#include <ws2tcpip.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace mail {

namespace {

constexpr int kTimeoutSlackMs = 100;

timeval toTimeval(int ms)
{
    timeval tv;
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    return tv;
}

bool setBlocking(SOCKET s, bool blocking)
{
    u_long nonBlocking = blocking ? 0 : 1;
    return ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
}

} // namespace

CPop3Socket::~CPop3Socket()
{
    close();
}

std::unique_ptr<Pop3Transport> CPop3Socket::make()
{
    return std::make_unique<CPop3Socket>();
}

bool CPop3Socket::failWith(int error)
{
    error_ = error;
    WSASetLastError(error);
    return false;
}

bool CPop3Socket::create()
{
    close();
    receiveTimeoutMs_ = 0;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) {
        return failWith(WSAGetLastError());
    }
    // Each command goes out as one small write and waits for its reply.
    BOOL noDelay = TRUE;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    return true;
}

bool CPop3Socket::connect(const std::string& host, int port, int timeoutMs)
{
    if (socket_ == INVALID_SOCKET) {
        return failWith(WSAENOTSOCK);
    }
    sockaddr_in address;
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = inet_addr(host.c_str());
    if (address.sin_addr.s_addr == INADDR_NONE) {
        const hostent* entry = gethostbyname(host.c_str());
        if (!entry || entry->h_addrtype != AF_INET || !entry->h_addr_list[0]) {
            return failWith(SocketError::kInvalidArgument);
        }
        std::memcpy(&address.sin_addr, entry->h_addr_list[0], sizeof address.sin_addr);
    }
    // Connect without blocking and wait with select, so that an address that never
    // answers costs the time-out, not the system's minute or more.
    if (!setBlocking(socket_, false)) {
        return failWith(WSAGetLastError());
    }
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            return failWith(error);
        }
        fd_set writable;
        fd_set failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket_, &writable);
        FD_SET(socket_, &failed);
        timeval tv = toTimeval(timeoutMs);
        const int ready = select(0, nullptr, &writable, &failed, &tv);
        if (ready == SOCKET_ERROR) {
            return failWith(WSAGetLastError());
        }
        if (ready == 0) {
            return failWith(WSAETIMEDOUT);
        }
        int soError = 0;
        int length = sizeof soError;
        if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length) !=
            0) {
            return failWith(WSAGetLastError());
        }
        if (soError != 0 || FD_ISSET(socket_, &failed)) {
            return failWith(soError != 0 ? soError : WSAECONNREFUSED);
        }
    }
    // Reads and sends block again, each bounded by its socket time-out.
    if (!setBlocking(socket_, true)) {
        return failWith(WSAGetLastError());
    }
    const DWORD sendTimeout = static_cast<DWORD>(timeoutMs < 1 ? 1 : timeoutMs);
    setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
               sizeof sendTimeout);
    return true;
}

bool CPop3Socket::send(const char* data, std::size_t size)
{
    while (size > 0) {
        const int piece = size > INT_MAX ? INT_MAX : static_cast<int>(size);
        const int sent = ::send(socket_, data, piece, 0);
        if (sent == SOCKET_ERROR) {
            return failWith(WSAGetLastError());
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

int CPop3Socket::waitReadable(int timeoutMs)
{
    // The wait happens in receive, as a blocking read bounded by the socket's receive
    // time-out: one call per read where a select first would be two, and under Wine
    // every one of them is a trip through its server.
    waitMs_ = timeoutMs < 1 ? 1 : timeoutMs;
    return 1;
}

int CPop3Socket::receive(char* buffer, std::size_t capacity)
{
    // Setting the time-out is a call of its own; a difference of a few milliseconds
    // in the time left is not worth one.
    if (receiveTimeoutMs_ == 0 || std::abs(waitMs_ - receiveTimeoutMs_) > kTimeoutSlackMs) {
        const DWORD ms = static_cast<DWORD>(waitMs_);
        if (setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms),
                       sizeof ms) != 0) {
            failWith(WSAGetLastError());
            return -1;
        }
        receiveTimeoutMs_ = waitMs_;
    }
    const int wanted = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    const int got = recv(socket_, buffer, wanted, 0);
    if (got == SOCKET_ERROR) {
        // A read that timed out reports WSAETIMEDOUT, which is the client's own
        // time-out number.
        failWith(WSAGetLastError());
        return -1;
    }
    return got;
}

void CPop3Socket::close()
{
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

} // namespace mail
