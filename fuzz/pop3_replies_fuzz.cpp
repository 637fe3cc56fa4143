// The POP3 client against a hostile server. The input's first line is the session to
// drive, one letter per call (digits after a letter give its message number) and,
// after '#', the sizes of the pieces the server's bytes arrive in; the rest is
// everything the server sends, replies back to back. A reference reader splits the
// same bytes into replies the way the protocol delimits them, whatever the pieces, and
// every answer the client gives must agree with it: counts, sizes and ids only as a
// reply said them, a message exactly as sent with its stuffed dots undone, nothing
// asked after a reply went wrong, and memory within the bounds the client promises.
// The reply readers of pop3_replies.h are checked on their own on the same bytes.
#include "fuzz_support.h"
#include "mail/mailbox_check.h"
#include "mail/pop3_client.h"
#include "mail/pop3_replies.h"

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <vector>

using mail::CPop3Client;
namespace Pop3Limits = mail::Pop3Limits;

namespace {

constexpr std::size_t kTransportChunk = 64 * 1024; // the most the client asks for at once

// The largest single allocation while a session runs: the client's memory is to grow
// with the bytes the server sends, not with the sizes it claims.
std::atomic<bool> tracking{false};
std::atomic<std::size_t> largestAllocation{0};

void noteAllocation(const volatile void*, std::size_t size)
{
    if (tracking && size > largestAllocation)
        largestAllocation = size;
}

void noteFree(const volatile void*)
{
}

std::vector<std::string> blankTokens(const std::string& line)
{
    std::vector<std::string> out;
    std::string token;
    for (const char c : line + " ") {
        if (c == ' ' || c == '\t') {
            if (!token.empty())
                out.push_back(token);
            token.clear();
        } else {
            token += c;
        }
    }
    return out;
}

std::optional<std::int64_t> decimal(const std::string& text)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    return std::stoll(text);
}

// The lines of a listing body, each without its line end.
std::vector<std::string> listingLines(const std::string& body)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < body.size()) {
        std::size_t end = body.find('\n', pos);
        if (end == std::string::npos)
            end = body.size();
        std::string line = body.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

// The value the listing gives for a message number: the first line "number value".
std::optional<std::string> listedValue(const std::string& body, std::int64_t number)
{
    for (const auto& line : listingLines(body)) {
        const auto parts = blankTokens(line);
        if (parts.size() >= 2 && decimal(parts[0]) == number)
            return parts[1];
    }
    return std::nullopt;
}

// Every line that begins with a dot loses that dot.
std::string unstuffed(const std::string& text)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::size_t from = text[pos] == '.' ? pos + 1 : pos;
        out.append(text, from, end - from);
        pos = end;
    }
    return out;
}

// The readers of pop3_replies.h on their own: a listing is taken only with one line
// per message number from 1 to `expected`, and each value then sits in its number's
// slot as that line gives it; STAT values are the line's own.
void checkReplyReaders(const std::string& bytes, std::int32_t expected)
{
    const std::size_t lines = listingLines(bytes).size();
    std::vector<std::int32_t> sizes;
    if (mail::parseSizeListing(bytes, expected, sizes)) {
        FUZZ_CHECK(sizes.size() == static_cast<std::size_t>(expected) && lines == sizes.size());
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const auto listed = listedValue(bytes, static_cast<std::int64_t>(i) + 1);
            FUZZ_CHECK(listed && decimal(*listed) == sizes[i]);
        }
    }
    std::vector<std::string> uids;
    if (mail::parseUidListing(bytes, expected, uids)) {
        FUZZ_CHECK(uids.size() == static_cast<std::size_t>(expected) && lines == uids.size());
        for (std::size_t i = 0; i < uids.size(); ++i) {
            FUZZ_CHECK(!uids[i].empty() && uids[i].size() <= Pop3Limits::kUniqueId);
            FUZZ_CHECK(listedValue(bytes, static_cast<std::int64_t>(i) + 1) == uids[i]);
        }
    }
    std::int32_t count = -1;
    std::int64_t total = -1;
    const std::string firstLine = bytes.substr(0, bytes.find("\r\n"));
    if (mail::parseStatLine(firstLine, count, total)) {
        const auto parts = blankTokens(firstLine);
        FUZZ_CHECK(parts.size() >= 3 && parts[0] == "+OK" && mail::isPositive(firstLine));
        FUZZ_CHECK(decimal(parts[1]) == count && decimal(parts[2]) == total);
    }
    std::string text = bytes;
    mail::dotUnstuff(text);
    FUZZ_CHECK(text == unstuffed(bytes));
}

// One reply as the protocol delimits it in the server's bytes from `begin`.
struct Reply {
    enum Verdict { Unreadable, Read, MayBeTooLong } verdict = Unreadable;
    std::size_t end = 0; // just past the reply
    std::string status;  // the status line without CRLF
    std::string body;    // a listing's or message's lines, dots still stuffed, last CRLF kept
    bool multiLine = false;
};

// `limit` bounds the whole reply as the client holds it before its end has come.
Reply delimit(const std::string& stream, std::size_t begin, bool multiLine, std::size_t limit)
{
    Reply reply;
    const std::size_t statusEnd = stream.find("\r\n", begin);
    if (statusEnd == std::string::npos)
        return reply;
    reply.status = stream.substr(begin, statusEnd - begin);
    std::size_t last = statusEnd + 2;
    if (multiLine && mail::isPositive(reply.status)) {
        // The status line's CRLF may start the terminator of an empty listing.
        const std::size_t terminator = stream.find("\r\n.\r\n", statusEnd);
        if (terminator == std::string::npos)
            return reply;
        reply.multiLine = true;
        if (terminator > statusEnd)
            reply.body = stream.substr(statusEnd + 2, terminator - statusEnd);
        last = terminator + 5;
    }
    reply.end = last;
    // The client holds at most all but the last byte of a reply before it knows the
    // reply is complete; only if that can exceed a bound may it give up.
    const std::size_t longestUnfinished = last - begin - 1;
    const bool statusFits = statusEnd + 1 - begin <= Pop3Limits::kStatusLine;
    reply.verdict = statusFits && longestUnfinished <= limit ? Reply::Read : Reply::MayBeTooLong;
    return reply;
}

struct Session;

// The server: its bytes in pieces, the commands it is sent and, for each, the
// reference reading of the reply it is answered with.
class FuzzTransport : public mail::Pop3Transport {
public:
    explicit FuzzTransport(Session& session) : s_(session) {}
    bool create() override { return true; }
    bool connect(const std::string&, int, int) override;
    bool send(const char* data, std::size_t size) override;
    int waitReadable(int) override { return 1; }
    int receive(char* buffer, std::size_t capacity) override;
    void close() override;
    int lastError() const override { return mail::SocketError::kTimedOut; }

private:
    Session& s_;
};

struct Session {
    std::string stream;
    std::vector<std::size_t> pieces;
    std::size_t delivered = 0;
    std::size_t pieceIndex = 0;
    bool open = false;
    std::size_t commandsSent = 0;
    CPop3Client* client = nullptr;

    // The reference side of the current connection.
    std::optional<std::string> awaiting; // the command whose reply is being read
    bool awaitingMulti = false;
    std::size_t replyStart = 0;
    std::size_t replyLimit = 0;
    bool unreadable = false;                // a reply the client cannot have read whole
    std::map<std::string, Reply> lastReply; // by command word
    std::string listBody;
    std::string uidlBody;
    std::map<int, std::string> topText; // message number -> the message as sent

    void expect(const std::string& command)
    {
        const std::string word = command.substr(0, command.find(' '));
        awaiting = command;
        awaitingMulti = word == "LIST" || word == "UIDL" || word == "TOP";
        replyLimit = Pop3Limits::kStatusLine;
        if (word == "LIST" || word == "UIDL") {
            const std::uint64_t lines =
                static_cast<std::uint64_t>(std::max(client->messageCount(), 0)) + 2;
            replyLimit = static_cast<std::size_t>(
                std::min<std::uint64_t>(Pop3Limits::kListReply, lines * Pop3Limits::kListLine));
        } else if (word == "TOP") {
            const auto size = decimal(
                listedValue(listBody, std::atoi(command.c_str() + 4)).value_or(std::string()));
            const std::uint64_t listed = static_cast<std::uint64_t>(size.value_or(0));
            replyLimit = static_cast<std::size_t>(std::min<std::uint64_t>(
                Pop3Limits::kMessageReply, 2 * listed + Pop3Limits::kMessageSlack));
        }
    }

    // Reads the awaited reply in the reference; `taken` when the client went on as if
    // it had read it whole.
    void settle(bool taken)
    {
        if (!awaiting)
            return;
        const std::string command = *awaiting;
        const std::string word = command.substr(0, command.find(' '));
        const Reply reply = delimit(stream, replyStart, awaitingMulti, replyLimit);
        if (taken)
            FUZZ_CHECK(reply.verdict != Reply::Unreadable);
        if (reply.verdict == Reply::Unreadable) {
            unreadable = true;
            return;
        }
        awaiting.reset();
        lastReply[word] = reply;
        replyStart = reply.end;
        if (word == "LIST" && reply.multiLine)
            listBody = reply.body;
        if (word == "UIDL" && reply.multiLine)
            uidlBody = reply.body;
        if (word == "TOP" && reply.multiLine)
            topText[std::atoi(command.c_str() + 4)] = unstuffed(reply.body);
    }
};

bool FuzzTransport::connect(const std::string&, int, int)
{
    s_.open = true;
    s_.unreadable = false;
    s_.lastReply.clear();
    s_.listBody.clear();
    s_.uidlBody.clear();
    s_.topText.clear();
    s_.replyStart = s_.delivered; // a new connection: what was not delivered yet
    s_.expect("greeting");
    return true;
}

bool FuzzTransport::send(const char* data, std::size_t size)
{
    FUZZ_CHECK(s_.open);
    ++s_.commandsSent;
    const std::string command(data, size);
    // One command line, and only after the reply before it was read whole: a client
    // that sends on after a reply went wrong takes later replies for the wrong ones.
    FUZZ_CHECK(size >= 2 && command.find("\r\n") == size - 2);
    FUZZ_CHECK(command.find('\0') == std::string::npos);
    FUZZ_CHECK(!s_.unreadable);
    s_.settle(true);
    s_.expect(command.substr(0, size - 2));
    return true;
}

int FuzzTransport::receive(char* buffer, std::size_t capacity)
{
    FUZZ_CHECK(s_.open && capacity > 0);
    // The client reads no further into a reply than its bound and one more piece.
    FUZZ_CHECK(s_.delivered - std::min(s_.delivered, s_.replyStart) <=
               s_.replyLimit + kTransportChunk);
    if (s_.delivered >= s_.stream.size())
        return 0; // the server has left
    std::size_t n = s_.pieces.empty() ? 0 : s_.pieces[s_.pieceIndex++ % s_.pieces.size()];
    n = std::min({n == 0 ? capacity : n, capacity, s_.stream.size() - s_.delivered});
    s_.stream.copy(buffer, n, s_.delivered);
    s_.delivered += n;
    return static_cast<int>(n);
}

void FuzzTransport::close()
{
    s_.open = false;
}

// Was the last command sent during a call `word`, and its reply read as `verdict`?
const Reply* replyOfCall(Session& s, std::size_t sentBefore, const std::string& word)
{
    s.settle(false);
    if (s.commandsSent == sentBefore || s.awaiting)
        return nullptr;
    const auto it = s.lastReply.find(word);
    return it == s.lastReply.end() ? nullptr : &it->second;
}

void checkStat(Session& s, std::size_t sentBefore, bool ok, std::int32_t count, std::int64_t total)
{
    const Reply* reply = replyOfCall(s, sentBefore, "STAT");
    if (ok) {
        FUZZ_CHECK(reply != nullptr);
        const auto parts = blankTokens(reply->status);
        FUZZ_CHECK(parts.size() >= 3 && parts[0] == "+OK");
        FUZZ_CHECK(decimal(parts[1]) == count && decimal(parts[2]) == total);
        FUZZ_CHECK(s.client->messageCount() == count);
    } else if (reply != nullptr && reply->verdict == Reply::Read) {
        // A plain "+OK count size" within range is not refused.
        const auto parts = blankTokens(reply->status);
        const bool plain =
            parts.size() == 3 && reply->status.compare(0, 4, "+OK ") == 0 &&
            decimal(parts[1]).value_or(-1) >= 0 && decimal(parts[1]).value_or(-1) <= INT32_MAX &&
            decimal(parts[2]).value_or(-1) >= 0 && decimal(parts[2]).value_or(-1) <= INT64_MAX / 16;
        FUZZ_CHECK(!plain);
    }
}

void checkMailboxResult(Session& s, const mail::MailboxCheck& check, const std::string& knownId,
                        const std::string& knownText)
{
    s.settle(false);
    FUZZ_CHECK(check.messages.size() <=
               static_cast<std::size_t>(std::max(s.client->messageCount(), 0)));
    for (const auto& m : check.messages) {
        FUZZ_CHECK(m.isNew == (m.uniqueId == knownId ? 0 : 1));
        if (m.uniqueId == knownId && m.rawText == knownText)
            continue; // kept from before, its retrieval failed
        bool sent = false;
        for (const auto& [number, text] : s.topText)
            sent = sent || (listedValue(s.uidlBody, number) == m.uniqueId && text == m.rawText);
        FUZZ_CHECK(sent);
    }
}

int numberAfter(const std::string& script, std::size_t& i)
{
    int n = 0;
    while (i + 1 < script.size() && script[i + 1] >= '0' && script[i + 1] <= '9' && n < 100000)
        n = n * 10 + (script[++i] - '0');
    return n;
}

void runCall(Session& s, CPop3Client& client, const std::string& script, std::size_t& i)
{
    const char op = script[i];
    const std::size_t before = s.commandsSent;
    switch (op) {
    case 'S': {
        std::int32_t count = -1;
        std::int64_t total = -1;
        const bool ok = client.stat(count, total);
        checkStat(s, before, ok, count, total);
        break;
    }
    case 'L':
        client.list();
        break;
    case 'U':
        client.uidl();
        break;
    case 'z': {
        const int n = numberAfter(script, i);
        std::int32_t size = -1;
        if (client.messageSize(n, size)) {
            s.settle(false);
            FUZZ_CHECK(decimal(listedValue(s.listBody, n).value_or("")) == size);
        }
        break;
    }
    case 'u': {
        const int n = numberAfter(script, i);
        std::string uid;
        if (client.messageUid(n, uid)) {
            s.settle(false);
            FUZZ_CHECK(listedValue(s.uidlBody, n) == uid);
        }
        break;
    }
    case 'f': {
        const int n = numberAfter(script, i);
        s.settle(false);
        const std::string wanted = listedValue(s.uidlBody, n).value_or("none");
        int number = 0;
        if (client.findUid(wanted, number)) {
            s.settle(false);
            FUZZ_CHECK(listedValue(s.uidlBody, number) == wanted);
        }
        break;
    }
    case 'T':
    case 't': {
        const int n = numberAfter(script, i);
        std::string text = "unchanged";
        const bool ok = client.top(n, op == 'T' ? Pop3Limits::kWholeMessage : 0, text);
        const Reply* reply = replyOfCall(s, before, "TOP");
        if (ok) {
            FUZZ_CHECK(reply != nullptr && reply->multiLine && s.topText.count(n) == 1);
            FUZZ_CHECK(text == s.topText[n]);
        }
        break;
    }
    case 'D': {
        const int n = numberAfter(script, i);
        if (client.deleteMessage(n)) {
            const Reply* reply = replyOfCall(s, before, "DELE");
            FUZZ_CHECK(reply != nullptr && mail::isPositive(reply->status));
        }
        break;
    }
    case 'Q':
        client.quit();
        FUZZ_CHECK(!client.connected() && !s.open);
        break;
    case 'G':
        if (client.login("127.0.0.1", "alice", "secret", 110)) {
            const Reply* reply = replyOfCall(s, before, "PASS");
            FUZZ_CHECK(reply != nullptr && mail::isPositive(reply->status));
            FUZZ_CHECK(client.connected());
        }
        break;
    case 'C': {
        const std::string knownId = "a";
        const std::string knownText = "old a\r\n";
        const auto check = mail::checkMailbox(client, {{knownId, 0, 1, knownText}});
        checkMailboxResult(s, check, knownId, knownText);
        break;
    }
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input = fuzzBytes(data, size);
    const std::size_t lineEnd = input.find('\n');
    if (lineEnd == std::string::npos)
        return 0;
    std::string script = input.substr(0, lineEnd);
    const std::string stream = input.substr(lineEnd + 1);
    checkReplyReaders(stream, static_cast<std::int32_t>(script.size() % 4));

    Session s;
    s.stream = stream;
    const std::size_t hash = script.find('#');
    if (hash != std::string::npos) {
        for (std::size_t i = hash + 1; i < script.size(); ++i)
            s.pieces.push_back(static_cast<unsigned char>(script[i]) % 64);
        script.resize(hash);
    }
    static const int hooked = __sanitizer_install_malloc_and_free_hooks(noteAllocation, noteFree);
    (void)hooked;
    largestAllocation = 0;
    tracking = true;
    CPop3Client client([&s] { return std::make_unique<FuzzTransport>(s); });
    s.client = &client;
    client.setClock([] { return std::int64_t(0); }); // no silence is ever long enough
    std::size_t ops = 1;
    std::size_t before = s.commandsSent;
    if (client.login("127.0.0.1", "alice", "secret", 110)) {
        const Reply* reply = replyOfCall(s, before, "PASS");
        FUZZ_CHECK(reply != nullptr && mail::isPositive(reply->status));
        for (std::size_t i = 0; i < script.size() && i < 64; ++i, ++ops)
            runCall(s, client, script, i);
    }
    client.quit();
    tracking = false;
    // Its own read buffer, what arrived (twice over while a buffer grows) and what it
    // may set aside ahead: nothing sized by what the server merely claimed.
    FUZZ_CHECK(largestAllocation <=
               std::max(Pop3Limits::kReserveAhead, 2 * stream.size()) + kTransportChunk);
    // The session ends: closed, having asked a bounded number of things.
    FUZZ_CHECK(!client.connected() && !s.open);
    FUZZ_CHECK(s.commandsSent <= 8 * ops + stream.size() / 2);
    return 0;
}
