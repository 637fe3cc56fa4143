#pragma once
// The client side of a POP3 session: USER/PASS login, STAT, LIST, UIDL, TOP, DELE and
// QUIT, with STAT, LIST and UIDL cached for the life of one connection. Every reply is
// bounded (a status line at 4 KiB, a listing by its line count, a message by a
// multiple of its listed size) and read with an inactivity time-out. Memory follows
// the bytes that arrive: a size the server claims sets aside no more than kReserveAhead.
#include "mail/pop3_transport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mail {

namespace Pop3Limits {
constexpr std::size_t kStatusLine = 4096;         // one-line replies, CRLF included
constexpr std::size_t kListLine = 1024;           // one line of LIST or UIDL
constexpr std::size_t kListReply = 64u << 20;     // a whole listing, whatever STAT said
constexpr std::size_t kMessageSlack = 64u << 10;  // beyond twice the listed size
constexpr std::size_t kMessageReply = 160u << 20; // any one message
constexpr std::size_t kUniqueId = 70;             // the longest id a server may give
constexpr std::size_t kReserveAhead = 1u << 20;   // set aside for a reply before it arrives
constexpr int kDefaultTimeoutMs = 4000;
constexpr int kWholeMessage = 2147483647; // TOP line count that asks for everything
} // namespace Pop3Limits

class CPop3Client {
public:
    explicit CPop3Client(TransportFactory factory);
    CPop3Client(const CPop3Client&) = delete;
    CPop3Client& operator=(const CPop3Client&) = delete;

    // Connects, reads the greeting and logs in. User names and passwords holding CR,
    // LF or NUL, and ports outside 1-65535, are refused before anything is sent. A
    // failure after connecting sends QUIT and keeps the failing reply and error.
    bool login(const std::string& host, const std::string& user, const std::string& password,
               int port);
    // QUIT when connected (which commits deletions); closes the socket in every case.
    bool quit();

    bool stat(std::int32_t& count, std::int64_t& totalSize);
    bool list();
    bool uidl();
    bool messageSize(int number, std::int32_t& size);
    bool messageUid(int number, std::string& uid);
    bool findUid(const std::string& uid, int& number);
    // TOP number lines: the text after the status line, dot-unstuffed, ending with
    // the last line's CRLF.
    bool top(int number, int lines, std::string& text);
    bool deleteMessage(int number);

    bool connected() const { return connected_; }
    std::int32_t messageCount() const { return messageCount_; }
    const std::string& lastReply() const { return lastReply_; }
    // The socket layer's error, or the client's own (SocketError), of the last failure.
    int errorNumber() const { return error_; }
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }
    int timeoutMs() const { return timeoutMs_; }
    // Milliseconds from any fixed point; steady_clock unless a test sets its own.
    void setClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

protected:
    virtual bool readStatReply(std::int32_t& count, std::int64_t& totalSize);
    virtual bool readOneLineReply();
    virtual bool readListReply(std::int32_t expected);
    virtual bool readUidlReply(std::int32_t expected);
    virtual bool readMessageReply(std::int32_t size, std::string& text);
    // Reads one reply into `reply`: a status line, or with multiLine a status line and,
    // when it is positive, the lines up to the "." line (the terminator cut, the last
    // line's CRLF kept). Bytes after the reply wait for the next one.
    virtual bool receiveReply(bool multiLine, std::size_t limit, std::size_t expectedSize,
                              std::string& reply);

private:
    bool sendCommand(const std::string& command);
    bool fail(int error, const std::string& reply);
    bool broken(int error, const std::string& reply);
    bool checkPositive(const std::string& reply);
    bool readListing(std::int32_t expected, bool ids);
    bool inRange(int number);

    TransportFactory factory_;
    std::unique_ptr<Pop3Transport> socket_;
    std::int32_t messageCount_ = 0;
    bool listLoaded_ = false;
    bool statLoaded_ = false;
    bool uidlLoaded_ = false;
    std::vector<std::int32_t> sizes_;
    std::vector<std::string> uids_;
    bool connected_ = false;
    std::string lastReply_;
    int timeoutMs_ = Pop3Limits::kDefaultTimeoutMs;
    int error_ = 0;
    std::string pending_;       // bytes received beyond the last reply
    bool streamBroken_ = false; // a reply was cut off: the replies are out of step
    std::vector<char> chunk_;
    std::function<std::int64_t()> clock_;
};

// Does the text hold a byte that would end or split a command line?
bool breaksCommandLine(const std::string& text);

} // namespace mail
