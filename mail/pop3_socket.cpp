#include "mail/pop3_socket.h"

#include <ws2tcpip.h>

#include <climits>
#include <cstring>

namespace mail {

namespace {

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
    sendWaitMs_ = timeoutMs;
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
    return true;
}

bool CPop3Socket::send(const char* data, std::size_t size)
{
    while (size > 0) {
        const int piece = size > INT_MAX ? INT_MAX : static_cast<int>(size);
        const int sent = ::send(socket_, data, piece, 0);
        if (sent == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK) {
            // The socket stays non-blocking after connecting: wait for room.
            fd_set writable;
            FD_ZERO(&writable);
            FD_SET(socket_, &writable);
            timeval tv = toTimeval(sendWaitMs_);
            const int ready = select(0, nullptr, &writable, nullptr, &tv);
            if (ready <= 0) {
                return failWith(ready == 0 ? WSAETIMEDOUT : WSAGetLastError());
            }
            continue;
        }
        if (sent == SOCKET_ERROR) {
            return failWith(WSAGetLastError());
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

int CPop3Socket::selectReadable(int timeoutMs)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv = toTimeval(timeoutMs < 0 ? 0 : timeoutMs);
    const int ready = select(0, &readable, nullptr, nullptr, &tv);
    if (ready == SOCKET_ERROR) {
        failWith(WSAGetLastError());
        return -1;
    }
    return ready > 0 ? 1 : 0;
}

int CPop3Socket::waitReadable(int timeoutMs)
{
    // The wait happens in receive: reading data that is already there costs one
    // system call, where a select before every read would cost a trip through the
    // system (under Wine through its server) for every reply.
    waitMs_ = timeoutMs < 0 ? 0 : timeoutMs;
    return 1;
}

int CPop3Socket::receive(char* buffer, std::size_t capacity)
{
    const int wanted = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    const DWORD start = GetTickCount();
    for (;;) {
        const int got = recv(socket_, buffer, wanted, 0);
        if (got != SOCKET_ERROR) {
            return got;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK) {
            failWith(WSAGetLastError());
            return -1;
        }
        const DWORD waited = GetTickCount() - start;
        const int left =
            waited >= static_cast<DWORD>(waitMs_) ? 0 : waitMs_ - static_cast<int>(waited);
        const int ready = left > 0 ? selectReadable(left) : 0;
        if (ready < 0) {
            return -1;
        }
        if (ready == 0) {
            failWith(WSAETIMEDOUT);
            return -1;
        }
    }
}

void CPop3Socket::close()
{
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
}

} // namespace mail
