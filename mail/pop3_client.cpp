#include "mail/pop3_client.h"

#include "mail/pop3_replies.h"

#include <algorithm>
#include <chrono>

namespace mail {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr char kLineEnd[] = "\r\n";
constexpr char kListEnd[] = "\r\n.\r\n";
constexpr std::size_t kListEndLength = 5;
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 65535;

std::int64_t steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The start of a failed reply, for the log; a runaway reply is not kept whole.
std::string replyExcerpt(const std::string& reply)
{
    return reply.substr(0, Pop3Limits::kStatusLine);
}

} // namespace

bool breaksCommandLine(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

CPop3Client::CPop3Client(TransportFactory factory)
    : factory_(std::move(factory)), clock_(steadyMilliseconds)
{
}

bool CPop3Client::fail(int error, const std::string& reply)
{
    error_ = error;
    lastReply_ = replyExcerpt(reply);
    return false;
}

bool CPop3Client::broken(int error, const std::string& reply)
{
    // Whatever the server sends later would be taken for the answer to the next
    // command: nothing more is asked on this connection, not even QUIT.
    streamBroken_ = true;
    return fail(error, reply);
}

bool CPop3Client::checkPositive(const std::string& reply)
{
    if (!isPositive(reply)) {
        return fail(SocketError::kNegativeReply, reply);
    }
    return true;
}

bool CPop3Client::sendCommand(const std::string& command)
{
    if (!socket_) {
        return fail(SocketError::kInvalidArgument, std::string());
    }
    if (streamBroken_) {
        return false; // the error that broke the stream stays the one reported
    }
    if (!socket_->send(command.data(), command.size())) {
        return broken(socket_->lastError(), std::string());
    }
    return true;
}

bool CPop3Client::receiveReply(bool multiLine, std::size_t limit, std::size_t expectedSize,
                               std::string& reply)
{
    if (!socket_) {
        return broken(SocketError::kInvalidArgument, std::string());
    }
    std::string text = std::move(pending_);
    pending_.clear();
    // The expected size is the server's word: only so much is set aside for it before
    // the bytes arrive, and the buffer grows with them.
    const std::size_t ahead = std::min(expectedSize, Pop3Limits::kReserveAhead);
    text.reserve(std::min(limit, std::max(ahead, text.size())) + 1);
    chunk_.resize(kChunk);
    std::size_t searched = 0; // the terminator cannot end before this position
    std::size_t statusEnd = std::string::npos;
    std::int64_t lastData = clock_();
    for (;;) {
        if (statusEnd == std::string::npos) {
            statusEnd = text.find(kLineEnd);
            if (statusEnd != std::string::npos && (!multiLine || !isPositive(text))) {
                // A one-line reply, or a negative one that has no listing after it.
                pending_.assign(text, statusEnd + 2, std::string::npos);
                text.resize(statusEnd);
                reply = std::move(text);
                return true;
            }
            if (statusEnd != std::string::npos) {
                searched = statusEnd; // the listing's end may share the status line's CRLF
            }
        }
        if (statusEnd != std::string::npos) {
            const std::size_t end = text.find(kListEnd, searched);
            if (end != std::string::npos) {
                pending_.assign(text, end + kListEndLength, std::string::npos);
                text.resize(end + 2); // keep the last line's CRLF
                reply = std::move(text);
                return true;
            }
            // Only the newly arrived bytes (and a partial terminator before them) are
            // searched next time.
            searched = text.size() > kListEndLength ? text.size() - (kListEndLength - 1) : 0;
            searched = std::max(searched, statusEnd);
        }
        if (text.size() > limit ||
            (statusEnd == std::string::npos && text.size() > Pop3Limits::kStatusLine)) {
            return broken(SocketError::kMessageTooLong, text);
        }
        const std::int64_t remaining = timeoutMs_ - (clock_() - lastData);
        if (remaining <= 0) {
            return broken(SocketError::kTimedOut, text);
        }
        const int ready = socket_->waitReadable(static_cast<int>(remaining));
        if (ready < 0) {
            return broken(socket_->lastError(), text);
        }
        if (ready == 0) {
            continue; // the clock decides whether the time is up
        }
        const int got = socket_->receive(chunk_.data(), chunk_.size());
        if (got < 0) {
            return broken(socket_->lastError(), text);
        }
        if (got == 0) {
            // The peer left before the reply was complete; nothing more can come, so
            // there is no point in waiting out the time-out.
            return broken(SocketError::kTimedOut, text);
        }
        lastData = clock_();
        if (text.capacity() < text.size() + static_cast<std::size_t>(got)) {
            text.reserve(std::max(2 * text.capacity(), text.size() + got));
        }
        text.append(chunk_.data(), static_cast<std::size_t>(got));
    }
}

bool CPop3Client::readOneLineReply()
{
    std::string reply;
    if (!receiveReply(false, Pop3Limits::kStatusLine, 0, reply)) {
        return false;
    }
    return checkPositive(reply);
}

bool CPop3Client::readStatReply(std::int32_t& count, std::int64_t& totalSize)
{
    std::string reply;
    if (!receiveReply(false, Pop3Limits::kStatusLine, 0, reply) || !checkPositive(reply)) {
        return false;
    }
    if (!parseStatLine(reply, count, totalSize)) {
        return fail(SocketError::kNegativeReply, reply);
    }
    messageCount_ = count;
    return true;
}

bool CPop3Client::readListing(std::int32_t expected, bool ids)
{
    // In 64 bits: two billion lines of a kilobyte do not fit a 32-bit size_t.
    const std::uint64_t lines = static_cast<std::uint64_t>(std::max(expected, 0)) + 2;
    const auto limit = static_cast<std::size_t>(
        std::min<std::uint64_t>(Pop3Limits::kListReply, lines * Pop3Limits::kListLine));
    const auto estimate =
        static_cast<std::size_t>(std::min<std::uint64_t>(limit, lines * 16 + 100));
    std::string reply;
    if (!receiveReply(true, limit, estimate, reply) || !checkPositive(reply)) {
        return false;
    }
    // The status line ends where receiveReply found its CRLF; a bare LF inside it
    // does not end it.
    std::string body = reply.substr(reply.find(kLineEnd) + 2);
    const bool ok =
        ids ? parseUidListing(body, expected, uids_) : parseSizeListing(body, expected, sizes_);
    if (!ok) {
        // The listing disagrees with STAT or with itself.
        return fail(SocketError::kNegativeReply, reply);
    }
    return true;
}

bool CPop3Client::readListReply(std::int32_t expected)
{
    return readListing(expected, false);
}

bool CPop3Client::readUidlReply(std::int32_t expected)
{
    return readListing(expected, true);
}

bool CPop3Client::readMessageReply(std::int32_t size, std::string& text)
{
    const auto listed = static_cast<std::uint64_t>(std::max(size, 0));
    const auto limit = static_cast<std::size_t>(
        std::min<std::uint64_t>(Pop3Limits::kMessageReply, 2 * listed + Pop3Limits::kMessageSlack));
    // Stuffed dots and the status line make the reply a little longer than the size.
    const auto estimate =
        static_cast<std::size_t>(std::min<std::uint64_t>(limit, listed + listed / 16 + 4096));
    std::string reply;
    if (!receiveReply(true, limit, estimate, reply) || !checkPositive(reply)) {
        return false;
    }
    reply.erase(0, reply.find(kLineEnd) + 2);
    dotUnstuff(reply);
    text = std::move(reply);
    return true;
}

bool CPop3Client::login(const std::string& host, const std::string& user,
                        const std::string& password, int port)
{
    if (host.empty() || breaksCommandLine(host) || breaksCommandLine(user) ||
        breaksCommandLine(password) || port < kLowestPort || port > kHighestPort) {
        return fail(SocketError::kInvalidArgument, std::string());
    }
    pending_.clear();
    streamBroken_ = false;
    // A new connection: nothing read on an earlier one describes its mailbox.
    connected_ = false;
    statLoaded_ = false;
    listLoaded_ = false;
    uidlLoaded_ = false;
    socket_ = factory_ ? factory_() : nullptr;
    if (!socket_) {
        return fail(SocketError::kInvalidArgument, std::string());
    }
    if (!socket_->create()) {
        const int error = socket_->lastError();
        socket_.reset();
        return fail(error, std::string());
    }
    if (!socket_->connect(host, port, timeoutMs_)) {
        const int error = socket_->lastError();
        socket_->close();
        socket_.reset();
        return fail(error, std::string());
    }
    connected_ = true;
    if (readOneLineReply() && sendCommand("USER " + user + "\r\n") && readOneLineReply() &&
        sendCommand("PASS " + password + "\r\n") && readOneLineReply()) {
        return true;
    }
    // QUIT must not hide why the login failed.
    const int error = error_;
    const std::string reply = lastReply_;
    quit();
    error_ = error;
    lastReply_ = reply;
    return false;
}

bool CPop3Client::quit()
{
    bool ok = !streamBroken_;
    if (connected_ && !streamBroken_) {
        ok = sendCommand("QUIT\r\n") && readOneLineReply();
    }
    if (connected_) {
        connected_ = false;
        listLoaded_ = false;
        statLoaded_ = false;
        uidlLoaded_ = false;
    }
    if (socket_) {
        socket_->close();
        socket_.reset();
    }
    pending_.clear();
    streamBroken_ = false;
    return ok;
}

bool CPop3Client::stat(std::int32_t& count, std::int64_t& totalSize)
{
    if (!sendCommand("STAT\r\n") || !readStatReply(count, totalSize)) {
        return false;
    }
    // Listings read for another count have no slot for some message numbers now.
    const auto messages = static_cast<std::size_t>(count);
    listLoaded_ = listLoaded_ && sizes_.size() == messages;
    uidlLoaded_ = uidlLoaded_ && uids_.size() == messages;
    statLoaded_ = true;
    return true;
}

bool CPop3Client::list()
{
    std::int32_t count = 0;
    std::int64_t total = 0;
    if (!statLoaded_ && !stat(count, total)) {
        return false;
    }
    listLoaded_ = sendCommand("LIST\r\n") && readListReply(messageCount_);
    return listLoaded_;
}

bool CPop3Client::uidl()
{
    std::int32_t count = 0;
    std::int64_t total = 0;
    if (!statLoaded_ && !stat(count, total)) {
        return false;
    }
    uidlLoaded_ = sendCommand("UIDL\r\n") && readUidlReply(messageCount_);
    return uidlLoaded_;
}

bool CPop3Client::inRange(int number)
{
    if (number < 1 || number > messageCount_) {
        return fail(SocketError::kInvalidArgument, std::string());
    }
    return true;
}

bool CPop3Client::messageSize(int number, std::int32_t& size)
{
    if ((!listLoaded_ && !list()) || !inRange(number)) {
        return false;
    }
    size = sizes_[static_cast<std::size_t>(number - 1)];
    return true;
}

bool CPop3Client::messageUid(int number, std::string& uid)
{
    if ((!uidlLoaded_ && !uidl()) || !inRange(number)) {
        return false;
    }
    uid = uids_[static_cast<std::size_t>(number - 1)];
    return true;
}

bool CPop3Client::findUid(const std::string& uid, int& number)
{
    if (!uidlLoaded_ && !uidl()) {
        return false;
    }
    const auto it = std::find(uids_.begin(), uids_.end(), uid);
    if (it == uids_.end()) {
        return false;
    }
    number = static_cast<int>(it - uids_.begin()) + 1;
    return true;
}

bool CPop3Client::top(int number, int lines, std::string& text)
{
    std::int32_t size = 0;
    if (!messageSize(number, size) || lines < 0) {
        return false;
    }
    return sendCommand("TOP " + std::to_string(number) + " " + std::to_string(lines) + "\r\n") &&
           readMessageReply(size, text);
}

bool CPop3Client::deleteMessage(int number)
{
    if (!listLoaded_) {
        list(); // as in every use of a message number, the listing comes first
    }
    if (!statLoaded_ || !inRange(number)) {
        return false;
    }
    return sendCommand("DELE " + std::to_string(number) + "\r\n") && readOneLineReply();
}

} // namespace mail
