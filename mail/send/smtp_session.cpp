#include "mail/send/smtp_session.h"

#include "mail/send/outgoing_mail.h"
#include "mail/send/send_texts.h"

#include <cctype>

namespace mail {
namespace {

constexpr int kHighestPort = 65535;
constexpr std::size_t kMaxHostName = 253;
constexpr std::size_t kReadChunk = 1024;
constexpr char kSuccess = '2';
constexpr char kGoAhead = '3';

bool isReplyLine(const std::string& line)
{
    return line.size() >= 3 && std::isdigit(static_cast<unsigned char>(line[0])) &&
           std::isdigit(static_cast<unsigned char>(line[1])) &&
           std::isdigit(static_cast<unsigned char>(line[2])) &&
           (line.size() == 3 || line[3] == ' ' || line[3] == '-');
}

bool isSafeAddress(const std::string& address)
{
    return !holdsLineBreak(address) && address.find_first_of("<>") == std::string::npos;
}

} // namespace

SmtpServer parseSmtpServer(const std::string& setting)
{
    const std::size_t colon = setting.rfind(':');
    if (colon == std::string::npos || colon + 1 == setting.size())
        return {setting, SmtpLimits::kDefaultPort};
    int port = 0;
    for (std::size_t i = colon + 1; i < setting.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(setting[i])) || port > kHighestPort)
            return {setting, SmtpLimits::kDefaultPort};
        port = port * 10 + (setting[i] - '0');
    }
    if (port < 1 || port > kHighestPort)
        return {setting, SmtpLimits::kDefaultPort};
    return {setting.substr(0, colon), port};
}

std::string dataBlock(const std::string& text)
{
    const std::string lines = withCrlfLineEnds(text);
    std::string out;
    out.reserve(lines.size() + 8);
    bool lineStart = true;
    for (const char c : lines) {
        if (lineStart && c == '.')
            out += '.';
        out += c;
        lineStart = (c == '\n');
    }
    if (!lineStart)
        out += "\r\n";
    return out + ".\r\n";
}

std::string heloName(const std::string& computerName)
{
    if (computerName.empty() || computerName.size() > kMaxHostName)
        return "localhost";
    for (const char c : computerName) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.')
            return "localhost";
    }
    return computerName;
}

CSmtpSender::CSmtpSender(TransportFactory factory) : factory_(std::move(factory))
{
}

bool CSmtpSender::send(const SmtpJob& job, const Report& report)
{
    auto fail = [&](const std::string& error, const std::string& recipient) {
        report(sendErrorReport(error, job.serverText, job.sender, recipient));
        return false;
    };
    const std::string firstRecipient = job.recipients.empty() ? "" : job.recipients.front();
    if (job.server.host.empty())
        return fail(SendText::kNoServer, firstRecipient);
    if (job.recipients.empty())
        return fail(SendText::kNoRecipient, "");
    if (!isSafeAddress(job.sender) || holdsLineBreak(job.helo))
        return fail(SendText::kUnsafeMessage, firstRecipient);
    for (const auto& recipient : job.recipients) {
        if (!isSafeAddress(recipient))
            return fail(SendText::kUnsafeMessage, recipient);
    }
    bool allSent = true;
    if (job.sender.empty())
        allSent = fail(SendText::kNoSender, firstRecipient);
    for (const auto& recipient : job.recipients) {
        std::string error;
        const Outcome outcome = deliver(job, recipient, error);
        if (outcome == Outcome::Delivered)
            continue;
        allSent = fail(error, recipient);
        if (outcome == Outcome::Unreachable)
            break;
    }
    return allSent;
}

CSmtpSender::Outcome CSmtpSender::deliver(const SmtpJob& job, const std::string& recipient,
                                          std::string& error)
{
    if (!open(job, error)) {
        quit();
        return Outcome::Unreachable;
    }
    const bool sent = step("HELO " + job.helo + "\r\n", kSuccess, error) &&
                      step("MAIL FROM:<" + job.sender + ">\r\n", kSuccess, error) &&
                      step("RCPT TO:<" + recipient + ">\r\n", kSuccess, error) &&
                      step("DATA\r\n", kGoAhead, error) &&
                      step(dataBlock(job.text), kSuccess, error);
    quit();
    return sent ? Outcome::Delivered : Outcome::Failed;
}

bool CSmtpSender::open(const SmtpJob& job, std::string& error)
{
    pending_.clear();
    broken_ = false;
    socket_ = factory_ ? factory_() : nullptr;
    if (!socket_) {
        error = connectFailedText(SocketError::kInvalidArgument);
        return false;
    }
    if (!socket_->create() || !socket_->connect(job.server.host, job.server.port, timeoutMs_)) {
        error = connectFailedText(socket_->lastError());
        broken_ = true;
        return false;
    }
    return step("", kSuccess, error);
}

// Sends the line (nothing for the greeting) and reads the reply, which must be of the
// expected class; otherwise `error` holds the reply, or what kept it away.
bool CSmtpSender::step(const std::string& line, char expectedClass, std::string& error)
{
    if (!line.empty() && !socket_->send(line.data(), line.size())) {
        broken_ = true;
        error = noReplyText(socket_->lastError());
        return false;
    }
    std::string reply;
    char replyClass = 0;
    if (!readReply(reply, replyClass)) {
        error = reply.empty() ? noReplyText(socket_->lastError() ? socket_->lastError()
                                                                 : SocketError::kTimedOut)
                              : reply;
        return false;
    }
    if (replyClass != expectedClass) {
        error = reply;
        return false;
    }
    return true;
}

// A reply's lines joined by "\n", read up to its last line ("ddd " or "ddd").
bool CSmtpSender::readReply(std::string& reply, char& replyClass)
{
    for (int count = 0; count < SmtpLimits::kReplyLines; ++count) {
        std::string line;
        if (!readLine(line))
            return false;
        if (!reply.empty())
            reply += '\n';
        reply += line;
        if (!isReplyLine(line)) {
            broken_ = true;
            return false;
        }
        if (line.size() == 3 || line[3] == ' ') {
            replyClass = line[0];
            return true;
        }
    }
    broken_ = true;
    return false;
}

bool CSmtpSender::readLine(std::string& line)
{
    char chunk[kReadChunk];
    for (;;) {
        const std::size_t end = pending_.find("\r\n");
        if (end != std::string::npos && end + 2 <= SmtpLimits::kReplyLine) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            return true;
        }
        if (broken_ || pending_.size() >= SmtpLimits::kReplyLine) {
            broken_ = true;
            return false;
        }
        if (socket_->waitReadable(timeoutMs_) != 1) {
            broken_ = true;
            return false;
        }
        const int got = socket_->receive(chunk, sizeof chunk);
        if (got <= 0) {
            broken_ = true;
            return false;
        }
        pending_.append(chunk, static_cast<std::size_t>(got));
    }
}

// Says goodbye when the conversation is still in step; closes in every case.
void CSmtpSender::quit()
{
    if (!socket_)
        return;
    if (!broken_) {
        static const char kQuit[] = "QUIT\r\n";
        if (socket_->send(kQuit, sizeof kQuit - 1)) {
            std::string reply;
            char replyClass = 0;
            readReply(reply, replyClass);
        }
    }
    socket_->close();
    socket_.reset();
}

} // namespace mail
