#pragma once
// The socket seam of the POP3 client: a blocking TCP connection that can wait for
// data with a time-out. Windows implements it with Winsock (pop3_socket.h); tests
// script the peer.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace mail {

// Socket error numbers the client reports itself, numbered as Winsock numbers them
// so that one log line covers the client's failures and the socket layer's.
namespace SocketError {
constexpr int kInvalidArgument = 10022; // bad host, port or command text
constexpr int kMessageTooLong = 10040;  // a reply beyond its bound
constexpr int kNegativeReply = 10043;   // the server answered with something else than +OK
constexpr int kTimedOut = 10060;        // no data within the time-out, or the peer left
} // namespace SocketError

class Pop3Transport {
public:
    virtual ~Pop3Transport() = default;

    // Makes the socket; false (with lastError set) when the system has none to give.
    virtual bool create() = 0;
    // Connects to a dotted address or a host name, waiting at most timeoutMs.
    virtual bool connect(const std::string& host, int port, int timeoutMs) = 0;
    // Sends every byte or fails.
    virtual bool send(const char* data, std::size_t size) = 0;
    // Waits at most timeoutMs for something to read: 1 readable (data or the peer's
    // close), 0 nothing came, -1 the wait failed.
    virtual int waitReadable(int timeoutMs) = 0;
    // One read: the count, 0 when the peer closed, -1 on error. A transport may do
    // its waiting here instead (waitReadable then only notes the time allowed) and
    // report a wait that ran out as error kTimedOut.
    virtual int receive(char* buffer, std::size_t capacity) = 0;
    virtual void close() = 0;
    // The socket layer's error number of the last failed call.
    virtual int lastError() const = 0;
};

using TransportFactory = std::function<std::unique_ptr<Pop3Transport>()>;

} // namespace mail
