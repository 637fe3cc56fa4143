// Sending mail to a hostile SMTP server. The input's first line sets up the job: a
// digit for the number of recipients, 'e' for no sender, 'x' for a server that closes
// rather than falls silent when it has nothing more to say, text after '|' as the
// message, and after '#' the sizes of the pieces the server's bytes arrive in. The
// rest is everything the server sends, replies back to back.
//
// The server reads the replies it sent the way the protocol delimits them and holds
// the client to the conversation: one connection per recipient, each command only
// after a reply of the class it needs, the message text only after a 3xx to DATA,
// nothing at all after a reply that was cut off or malformed. Every report names a
// recipient of the job and says either the session's own words or lines the server
// sent. The same input is also taken as a server setting and as a message text: the
// setting's port is one only when it is one, and the DATA block has CRLF line ends,
// no line that would end it early, its "." line last, and gives the text back once
// its dots are unstuffed.
#include "fuzz_support.h"
#include "mail/send/send_texts.h"
#include "mail/send/smtp_session.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

const char kServerText[] = "127.0.0.1";
const char kHelo[] = "desk";
constexpr std::size_t kReplyLine = 4096; // a reply line with its CRLF
constexpr int kReplyLines = 64;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Line ends as the block must carry them: CRLF, CR or LF each become one CRLF.
std::string normalisedLineEnds(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void checkDataBlock(const std::string& text)
{
    const std::string block = mail::dataBlock(text);
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (block[i] == '\r')
            FUZZ_CHECK(i + 1 < block.size() && block[i + 1] == '\n');
        if (block[i] == '\n')
            FUZZ_CHECK(i > 0 && block[i - 1] == '\r');
    }
    const bool bare = block == ".\r\n";
    FUZZ_CHECK(bare == text.empty());
    FUZZ_CHECK(bare || (block.size() >= 5 && block.compare(block.size() - 5, 5, "\r\n.\r\n") == 0));

    // Line by line up to the "." line: a line that begins with a dot carries two, so
    // none can end the data early; without the doubled dots it is the text again.
    const std::string body = block.substr(0, block.size() - 3);
    std::string unstuffed;
    std::size_t pos = 0;
    while (pos < body.size()) {
        const std::size_t end = body.find("\r\n", pos) + 2;
        FUZZ_CHECK(end >= 2 && end <= body.size());
        const std::string line = body.substr(pos, end - pos);
        FUZZ_CHECK(line != ".\r\n");
        if (line[0] == '.')
            FUZZ_CHECK(line.size() > 1 && line[1] == '.');
        unstuffed += line[0] == '.' ? line.substr(1) : line;
        pos = end;
    }
    std::string expected = normalisedLineEnds(text);
    if (!expected.empty() &&
        expected.compare(expected.size() - std::min<std::size_t>(2, expected.size()), 2, "\r\n") !=
            0)
        expected += "\r\n";
    FUZZ_CHECK(unstuffed == expected);
}

void checkServerSetting(const std::string& setting)
{
    const mail::SmtpServer server = mail::parseSmtpServer(setting);
    FUZZ_CHECK(server.port >= 1 && server.port <= 65535);
    const std::size_t colon = setting.rfind(':');
    std::optional<long> port;
    if (colon != std::string::npos && colon + 1 < setting.size()) {
        long value = 0;
        bool digits = true;
        for (std::size_t i = colon + 1; i < setting.size() && digits; ++i) {
            digits = isDigit(setting[i]);
            value = std::min(value * 10 + (setting[i] - '0'), 1000000L);
        }
        if (digits && value >= 1 && value <= 65535)
            port = value;
    }
    if (port) {
        FUZZ_CHECK(server.host == setting.substr(0, colon) && server.port == *port);
    } else {
        FUZZ_CHECK(server.host == setting && server.port == 25);
    }
}

// A reply as the protocol delimits it: lines "ddd-..." then one "ddd ..." or "ddd",
// each within its bound, at most 64 of them.
struct Reply {
    bool readable = false;
    char replyClass = 0;
    std::size_t end = 0;
};

Reply delimit(const std::string& stream, std::size_t pos)
{
    Reply reply;
    for (int count = 0; count < kReplyLines; ++count) {
        const std::size_t end = stream.find("\r\n", pos);
        if (end == std::string::npos || end + 2 - pos > kReplyLine)
            return reply;
        const std::string line = stream.substr(pos, end - pos);
        pos = end + 2;
        if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]) ||
            (line.size() > 3 && line[3] != ' ' && line[3] != '-'))
            return reply;
        if (line.size() == 3 || line[3] == ' ') {
            reply.readable = true;
            reply.replyClass = line[0];
            reply.end = pos;
            return reply;
        }
    }
    return reply;
}

struct Server {
    std::string stream;
    std::vector<std::size_t> pieces;
    std::size_t pieceIndex = 0;
    std::size_t delivered = 0;
    bool closesAtEnd = false;

    std::string sender;
    std::vector<std::string> recipients;
    std::string block; // the DATA block the text must arrive as

    // The conversation on the current connection, as the server sees it.
    enum Stage { Greeting, Helo, Mail, Rcpt, Data, Text, Quit };
    int connections = 0;
    int closes = 0;
    Stage stage = Greeting; // the step whose reply the client is reading
    std::size_t replyStart = 0;
    std::vector<bool> taken;   // per connection: the text was taken with a 2xx
    std::vector<bool> greeted; // per connection: the greeting was a 2xx

    // The reply to the step in progress; a command may follow only a readable one.
    Reply settle()
    {
        const Reply reply = delimit(stream, replyStart);
        if (reply.readable)
            replyStart = reply.end;
        return reply;
    }
};

class FuzzSmtpTransport : public mail::SmtpTransport {
public:
    explicit FuzzSmtpTransport(Server& server) : s_(server) {}
    bool create() override { return true; }
    bool connect(const std::string& host, int port, int) override
    {
        FUZZ_CHECK(host == kServerText && port == 25);
        ++s_.connections;
        FUZZ_CHECK(s_.connections <= static_cast<int>(s_.recipients.size()));
        s_.stage = Server::Greeting;
        s_.replyStart = s_.delivered;
        s_.taken.push_back(false);
        s_.greeted.push_back(false);
        return true;
    }
    bool send(const char* data, std::size_t size) override
    {
        const std::string bytes(data, size);
        const Reply reply = s_.settle();
        // Nothing is said after a reply that went wrong: the client cannot know which
        // reply the next one would be.
        FUZZ_CHECK(reply.readable);
        const std::string& recipient = s_.recipients[s_.connections - 1];
        if (bytes == "QUIT\r\n") {
            // The recipient has the message when the text was taken with a 2xx.
            if (s_.stage == Server::Text && reply.replyClass == '2')
                s_.taken.back() = true;
            s_.stage = Server::Quit;
            return true;
        }
        FUZZ_CHECK(s_.stage != Server::Quit);
        switch (s_.stage) {
        case Server::Greeting:
            FUZZ_CHECK(reply.replyClass == '2' && bytes == std::string("HELO ") + kHelo + "\r\n");
            s_.greeted.back() = true;
            s_.stage = Server::Helo;
            break;
        case Server::Helo:
            FUZZ_CHECK(reply.replyClass == '2' && bytes == "MAIL FROM:<" + s_.sender + ">\r\n");
            s_.stage = Server::Mail;
            break;
        case Server::Mail:
            FUZZ_CHECK(reply.replyClass == '2' && bytes == "RCPT TO:<" + recipient + ">\r\n");
            s_.stage = Server::Rcpt;
            break;
        case Server::Rcpt:
            // Never DATA after a refused recipient.
            FUZZ_CHECK(reply.replyClass == '2' && bytes == "DATA\r\n");
            s_.stage = Server::Data;
            break;
        case Server::Data:
            FUZZ_CHECK(reply.replyClass == '3' && bytes == s_.block);
            s_.stage = Server::Text;
            break;
        default:
            FUZZ_CHECK(false); // nothing is due after the text but QUIT
        }
        return true;
    }
    int waitReadable(int) override
    {
        return s_.delivered < s_.stream.size() || s_.closesAtEnd ? 1 : 0;
    }
    int receive(char* buffer, std::size_t capacity) override
    {
        FUZZ_CHECK(capacity > 0);
        // The client holds no more than a reply line's bound and one read beyond what
        // it has taken.
        FUZZ_CHECK(s_.delivered - std::min(s_.delivered, s_.replyStart) <=
                   (kReplyLine + capacity) * kReplyLines);
        if (s_.delivered >= s_.stream.size())
            return 0;
        std::size_t n = s_.pieces.empty() ? 0 : s_.pieces[s_.pieceIndex++ % s_.pieces.size()];
        n = std::min({n == 0 ? capacity : n, capacity, s_.stream.size() - s_.delivered});
        s_.stream.copy(buffer, n, s_.delivered);
        s_.delivered += n;
        return static_cast<int>(n);
    }
    void close() override { ++s_.closes; }
    int lastError() const override { return mail::SocketError::kTimedOut; }

private:
    Server& s_;
};

} // namespace

namespace {

// "Unable to send ...:\n<error>\n\nMessage information follows: ..." for a recipient of
// the job, the error being the session's own words or lines the server sent.
void checkReport(const Server& s, const std::string& report, const std::string& recipient)
{
    const std::string head = mail::sendErrorReport("", kServerText, s.sender, "");
    const std::string lead = head.substr(0, head.find('\n') + 1);
    const std::string tail =
        mail::sendErrorReport("", kServerText, s.sender, recipient).substr(lead.size());
    FUZZ_CHECK(report.size() >= lead.size() + tail.size());
    FUZZ_CHECK(report.compare(0, lead.size(), lead) == 0);
    FUZZ_CHECK(report.compare(report.size() - tail.size(), tail.size(), tail) == 0);
    const std::string error = report.substr(lead.size(), report.size() - lead.size() - tail.size());
    if (error == mail::SendText::kNoSender ||
        error == mail::noReplyText(mail::SocketError::kTimedOut))
        return;
    // Lines the server sent, joined by LF (a line may hold a bare LF of its own).
    const auto withoutLineBreaks = [](const std::string& text) {
        std::string out;
        for (const char c : text) {
            if (c != '\r' && c != '\n')
                out += c;
        }
        return out;
    };
    FUZZ_CHECK(!error.empty() &&
               withoutLineBreaks(s.stream).find(withoutLineBreaks(error)) != std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = fuzzBytes(data, size);
    checkDataBlock(input);
    checkServerSetting(input.substr(0, input.find('\n')));

    const std::size_t lineEnd = input.find('\n');
    if (lineEnd == std::string::npos)
        return 0;
    std::string config = input.substr(0, lineEnd);
    Server s;
    s.stream = input.substr(lineEnd + 1);
    const std::size_t hash = config.find('#');
    if (hash != std::string::npos) {
        for (std::size_t i = hash + 1; i < config.size(); ++i)
            s.pieces.push_back(static_cast<unsigned char>(config[i]) % 64);
        config.resize(hash);
    }
    const std::size_t bar = config.find('|');
    mail::SmtpJob job;
    job.server = {kServerText, 25};
    job.serverText = kServerText;
    job.helo = kHelo;
    job.text = bar == std::string::npos ? std::string() : config.substr(bar + 1);
    config.resize(std::min(bar, config.size()));
    const int recipients = !config.empty() && isDigit(config[0]) ? 1 + (config[0] - '0') % 3 : 1;
    for (int i = 0; i < recipients; ++i)
        job.recipients.push_back("r" + std::to_string(i + 1) + "@x.example");
    job.sender = config.find('e') == std::string::npos ? "me@here.example" : "";
    s.closesAtEnd = config.find('x') != std::string::npos;
    s.sender = job.sender;
    s.recipients = job.recipients;
    s.block = mail::dataBlock(job.text);

    mail::CSmtpSender sender([&s] { return std::make_unique<FuzzSmtpTransport>(s); });
    sender.setTimeoutMs(10);
    std::vector<std::string> reports;
    const bool allSent = sender.send(job, [&](const std::string& r) { reports.push_back(r); });

    // Every connection was closed; one report per recipient that did not get the
    // message and one for the missing sender; all sent only when nothing was reported.
    FUZZ_CHECK(s.closes == s.connections && s.connections >= 1);
    std::size_t failed = 0;
    for (const bool taken : s.taken)
        failed += taken ? 0 : 1;
    const bool noSender = job.sender.empty();
    FUZZ_CHECK(reports.size() == failed + (noSender ? 1 : 0));
    FUZZ_CHECK(allSent == reports.empty());
    std::size_t next = 0;
    if (noSender)
        checkReport(s, reports[next++], job.recipients.front());
    for (std::size_t c = 0; c < s.taken.size(); ++c) {
        if (!s.taken[c])
            checkReport(s, reports[next++], job.recipients[c]);
    }
    // A connection ends the whole send exactly when its server would not greet.
    for (std::size_t c = 0; c + 1 < s.greeted.size(); ++c)
        FUZZ_CHECK(s.greeted[c]);
    if (static_cast<std::size_t>(s.connections) < job.recipients.size())
        FUZZ_CHECK(!s.greeted.back());
    return 0;
}
