#pragma once
// Sending one message over SMTP, one connection per recipient: greeting, HELO,
// MAIL FROM, RCPT TO, DATA, the text, QUIT. A connection that fails ends the whole
// send; any later step that fails skips only its recipient. Replies are bounded and
// read with a time-out; the text goes with CRLF line ends and dot-stuffed.
#include "mail/send/smtp_transport.h"

#include <functional>
#include <string>
#include <vector>

namespace mail {

namespace SmtpLimits {
constexpr int kDefaultPort = 25;
constexpr std::size_t kReplyLine = 4096; // one reply line, CRLF included
constexpr int kReplyLines = 64;          // lines of one multi-line reply
constexpr int kDefaultTimeoutMs = 30000;
} // namespace SmtpLimits

struct SmtpServer {
    std::string host;
    int port = SmtpLimits::kDefaultPort;
};

// A server setting: a name, or a name with ":port" (1-65535) when the server
// listens elsewhere than on 25. A bad port leaves the setting whole as the name.
SmtpServer parseSmtpServer(const std::string& setting);

// The text as DATA carries it: CRLF line ends, a dot doubled at the start of a line,
// ended by the "." line.
std::string dataBlock(const std::string& text);

// The name HELO gives: the computer's name when it is a valid host name, else
// "localhost".
std::string heloName(const std::string& computerName);

struct SmtpJob {
    SmtpServer server;
    std::string serverText; // as the reports name it
    std::string helo = "localhost";
    std::string sender;                  // the bare address; empty is reported
    std::vector<std::string> recipients; // bare addresses, in order
    std::string text;                    // the whole message, headers first
};

class CSmtpSender {
public:
    using Report = std::function<void(const std::string& report)>;

    explicit CSmtpSender(TransportFactory factory);

    // Delivers the job; every failure goes to `report` as its error report text. True
    // when every recipient took the message. Addresses holding CR, LF, NUL or angle
    // brackets fail the job before any connection.
    bool send(const SmtpJob& job, const Report& report);

    void setTimeoutMs(int ms) { timeoutMs_ = ms; }

private:
    enum class Outcome { Delivered, Failed, Unreachable };
    Outcome deliver(const SmtpJob& job, const std::string& recipient, std::string& error);
    bool open(const SmtpJob& job, std::string& error);
    bool step(const std::string& line, char expectedClass, std::string& error);
    bool readReply(std::string& reply, char& replyClass);
    bool readLine(std::string& line);
    void quit();

    TransportFactory factory_;
    std::unique_ptr<SmtpTransport> socket_;
    std::string pending_;
    bool broken_ = false; // the reply stream is out of step or gone
    int timeoutMs_ = SmtpLimits::kDefaultTimeoutMs;
};

} // namespace mail
