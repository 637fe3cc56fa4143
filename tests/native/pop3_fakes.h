#pragma once
// A scripted POP3 peer behind the client's socket seam, on a clock of its own: what
// the server sends on connecting and after each command, in pieces, with silences and
// a close, and a record of every command the client sent.
#include "mail/pop3_client.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

struct PeerEvent {
    enum Kind { Data, Close, Error } kind = Data;
    std::string data;
    int delayMs = 0; // silence before the event
};

struct Pop3Peer {
    std::int64_t now = 0;
    bool createFails = false;
    bool connectFails = false;
    int connectError = 10061;
    int creates = 0;
    std::vector<std::string> sent;
    std::deque<PeerEvent> incoming;
    std::vector<PeerEvent> greeting{{PeerEvent::Data, "+OK ready\r\n", 0}};
    std::map<std::string, std::vector<PeerEvent>> replies; // by command line with CRLF

    void reply(const std::string& command, const std::string& text)
    {
        replies[command] = {{PeerEvent::Data, text, 0}};
    }
    // A server that accepts the usual login.
    void acceptLogin()
    {
        reply("USER alice\r\n", "+OK\r\n");
        reply("PASS secret\r\n", "+OK logged in\r\n");
        reply("QUIT\r\n", "+OK bye\r\n");
    }
    std::vector<std::string> commandsAfterLogin() const
    {
        return std::vector<std::string>(sent.begin() + std::min<std::size_t>(2, sent.size()),
                                        sent.end());
    }
};

class ScriptedTransport : public mail::Pop3Transport {
public:
    explicit ScriptedTransport(Pop3Peer& peer) : peer_(peer) {}
    bool create() override
    {
        ++peer_.creates;
        error_ = peer_.createFails ? 10024 : 0;
        return !peer_.createFails;
    }
    bool connect(const std::string&, int, int) override
    {
        if (peer_.connectFails) {
            error_ = peer_.connectError;
            return false;
        }
        peer_.incoming.assign(peer_.greeting.begin(), peer_.greeting.end());
        return true;
    }
    bool send(const char* data, std::size_t size) override
    {
        const std::string command(data, size);
        peer_.sent.push_back(command);
        const auto it = peer_.replies.find(command);
        if (it != peer_.replies.end()) {
            peer_.incoming.insert(peer_.incoming.end(), it->second.begin(), it->second.end());
        }
        return true;
    }
    int waitReadable(int timeoutMs) override
    {
        if (peer_.incoming.empty()) {
            peer_.now += timeoutMs;
            return 0;
        }
        PeerEvent& next = peer_.incoming.front();
        if (next.delayMs > timeoutMs) {
            next.delayMs -= timeoutMs;
            peer_.now += timeoutMs;
            return 0;
        }
        peer_.now += next.delayMs;
        next.delayMs = 0;
        return next.kind == PeerEvent::Error ? -1 : 1;
    }
    int receive(char* buffer, std::size_t capacity) override
    {
        PeerEvent& next = peer_.incoming.front();
        if (next.kind == PeerEvent::Close) {
            return 0;
        }
        if (next.kind == PeerEvent::Error) {
            error_ = 10054;
            return -1;
        }
        const std::size_t n = std::min(capacity, next.data.size());
        std::copy(next.data.begin(), next.data.begin() + static_cast<std::ptrdiff_t>(n), buffer);
        next.data.erase(0, n);
        if (next.data.empty()) {
            peer_.incoming.pop_front();
        }
        return static_cast<int>(n);
    }
    void close() override {}
    int lastError() const override { return error_; }

private:
    Pop3Peer& peer_;
    int error_ = 0;
};

// A client talking to the peer on the peer's clock.
inline std::unique_ptr<mail::CPop3Client> clientFor(Pop3Peer& peer)
{
    auto client = std::make_unique<mail::CPop3Client>(
        [&peer] { return std::make_unique<ScriptedTransport>(peer); });
    client->setClock([&peer] { return peer.now; });
    client->setTimeoutMs(2000);
    return client;
}

// Splits a text into one-byte events, each after `delayMs` of silence.
inline std::vector<PeerEvent> drip(const std::string& text, int delayMs)
{
    std::vector<PeerEvent> events;
    for (char c : text) {
        events.push_back({PeerEvent::Data, std::string(1, c), delayMs});
    }
    return events;
}

} // namespace fakes
