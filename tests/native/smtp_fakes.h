#pragma once
// A scripted SMTP server behind the socket seam: a reply per command verb (and per
// recipient for RCPT), DATA taken up to its "." line, and every connection recorded
// with the commands and message text it received.
#include "mail/send/smtp_transport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

struct SmtpConnection {
    std::vector<std::string> commands; // CRLF cut
    std::string data;                  // the DATA block as sent, "." line included
};

struct SmtpPeer {
    bool connectFails = false;
    std::string greeting = "220 sink ready\r\n";
    std::map<std::string, std::string> replies{{"HELO", "250 hello\r\n"},
                                               {"MAIL", "250 ok\r\n"},
                                               {"RCPT", "250 ok\r\n"},
                                               {"DATA", "354 go ahead\r\n"},
                                               {"QUIT", "221 bye\r\n"}};
    std::string dataReply = "250 queued\r\n";
    std::map<std::string, std::string> rcptReplies; // by the full RCPT command
    std::vector<SmtpConnection> connections;
};

class ScriptedSmtpTransport : public mail::SmtpTransport {
public:
    explicit ScriptedSmtpTransport(SmtpPeer& peer) : peer_(peer) {}
    bool create() override { return true; }
    bool connect(const std::string&, int, int) override
    {
        if (peer_.connectFails) {
            error_ = 10061;
            return false;
        }
        peer_.connections.emplace_back();
        outgoing_ = peer_.greeting;
        return true;
    }
    bool send(const char* data, std::size_t size) override
    {
        incoming_.append(data, size);
        SmtpConnection& connection = peer_.connections.back();
        for (;;) {
            if (inData_) {
                const std::size_t end = endOfData();
                if (end == std::string::npos)
                    return true;
                connection.data = incoming_.substr(0, end);
                incoming_.erase(0, end);
                inData_ = false;
                outgoing_ += peer_.dataReply;
                continue;
            }
            const std::size_t end = incoming_.find("\r\n");
            if (end == std::string::npos)
                return true;
            const std::string command = incoming_.substr(0, end);
            incoming_.erase(0, end + 2);
            connection.commands.push_back(command);
            outgoing_ += replyTo(command);
        }
    }
    int waitReadable(int) override
    {
        if (outgoing_.empty())
            error_ = 10060;
        return outgoing_.empty() ? 0 : 1;
    }
    int receive(char* buffer, std::size_t capacity) override
    {
        const std::size_t n = std::min(capacity, outgoing_.size());
        outgoing_.copy(buffer, n);
        outgoing_.erase(0, n);
        return static_cast<int>(n);
    }
    void close() override {}
    int lastError() const override { return error_; }

private:
    std::size_t endOfData() const
    {
        if (incoming_.compare(0, 3, ".\r\n") == 0)
            return 3;
        const std::size_t at = incoming_.find("\r\n.\r\n");
        return at == std::string::npos ? at : at + 5;
    }
    std::string replyTo(const std::string& command)
    {
        const auto special = peer_.rcptReplies.find(command);
        if (special != peer_.rcptReplies.end())
            return special->second;
        const auto it = peer_.replies.find(command.substr(0, 4));
        if (it == peer_.replies.end())
            return "500 what?\r\n";
        if (command == "DATA" && it->second[0] == '3')
            inData_ = true;
        return it->second;
    }

    SmtpPeer& peer_;
    std::string incoming_;
    std::string outgoing_;
    bool inData_ = false;
    int error_ = 0;
};

inline mail::TransportFactory smtpFactory(SmtpPeer& peer)
{
    return [&peer] { return std::make_unique<ScriptedSmtpTransport>(peer); };
}

} // namespace fakes
