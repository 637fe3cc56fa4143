// What the update checker reads from a web server: the version file's body, the digest
// line, the version texts, and an installer's response (status, declared length, body).
//
// The line reader hands out the body's lines as a plain split at LF (CRs dropped, a last
// line without LF only when the body really ended), whatever the read sizes, failures or
// deadline; it never holds much more than its bound. The version report follows those
// lines, and a report whose reading timed out is no report. A digest is empty or the 64
// hex digits of the line in lower case; version comparison is an equivalence that
// ignores ASCII case. A transfer completes only with a 2xx status and a declared length
// of 1..maxSize that the body delivers in full, and then holds exactly those bytes; it
// never reads past the declared length and fails when the body falls short.
#include "fuzz_support.h"
#include "renewo/download.h"
#include "renewo/texts.h"
#include "renewo/version_file.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace renewo;

namespace {

// A body served in reads of at most `piece` bytes, `repeat` times over, failing every
// read from `failAfter` bytes on; with `overstate`, a read that fills the buffer says it
// delivered more than there was room for.
class Body : public HttpFile {
public:
    Body(std::string pattern, std::size_t repeat, std::size_t piece, std::size_t failAfter,
         bool overstate)
        : pattern_(std::move(pattern)), total_(pattern_.empty() ? 0 : pattern_.size() * repeat),
          piece_(piece), failAfter_(failAfter), overstate_(overstate)
    {
    }

    std::optional<std::uint32_t> status;
    std::optional<std::uint32_t> length;
    std::size_t delivered = 0;
    bool ended = false; // a read answered "no more"

    bool statusCode(std::uint32_t& code) override
    {
        if (status)
            code = *status;
        return status.has_value();
    }
    bool contentLength(std::uint32_t& value) override
    {
        if (length)
            value = *length;
        return length.has_value();
    }
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override
    {
        FUZZ_CHECK(!ended); // nobody reads on after the end
        if (delivered >= failAfter_)
            return false;
        const std::size_t n =
            std::min({std::size_t{size}, piece_, total_ - delivered, failAfter_ - delivered});
        for (std::size_t i = 0; i < n; ++i)
            buffer[i] = pattern_[(delivered + i) % pattern_.size()];
        delivered += n;
        got = static_cast<std::uint32_t>(n);
        if (n == 0)
            ended = true;
        else if (overstate_ && n == size)
            got = size + 7;
        return true;
    }

    // The byte at a position of the whole body.
    char at(std::size_t i) const { return pattern_[i % pattern_.size()]; }
    std::size_t total() const { return total_; }
    std::size_t obtainable() const { return std::min(total_, failAfter_); }

private:
    std::string pattern_;
    std::size_t total_;
    std::size_t piece_;
    std::size_t failAfter_;
    bool overstate_;
};

class Clock : public CheckClock {
public:
    std::int32_t secondsSince1970() override { return 0; }
    // Every look at the clock finds one more millisecond gone, from near the wrap.
    std::uint32_t tickCount() override { return ticks_++; }

private:
    std::uint32_t ticks_ = 0xFFFFFFF0u;
};

struct BodyChoice {
    std::string pattern;
    std::size_t repeat, piece, failAfter;
    bool overstate;
    std::uint32_t deadline; // 0: none
};

// The lines of what was delivered: complete lines, and the last piece only when the
// body ended.
std::vector<std::string> referenceLines(const Body& body)
{
    std::vector<std::string> lines;
    std::string line;
    bool any = false;
    for (std::size_t i = 0; i < body.delivered; ++i) {
        const char c = body.at(i);
        any = true;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            any = false;
        } else if (c != '\r') {
            line += c;
        }
    }
    if (any && body.ended)
        lines.push_back(line);
    return lines;
}

std::unique_ptr<Body> makeBody(const BodyChoice& c)
{
    return std::make_unique<Body>(c.pattern, c.repeat, c.piece, c.failAfter, c.overstate);
}

void checkVersionFile(const BodyChoice& choice, const std::string& current)
{
    Clock clock;
    std::unique_ptr<Body> body = makeBody(choice);
    const Deadline deadline(clock, choice.deadline);
    LineReader reader(*body, choice.deadline != 0 ? &deadline : nullptr);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    FUZZ_CHECK(!reader.next(line) && line.empty()); // the end is for good
    FUZZ_CHECK(lines == referenceLines(*body));
    FUZZ_CHECK(body->delivered <= LineReader::kMaxBody + 4096);
    if (body->delivered < body->obtainable() && !reader.timedOut())
        FUZZ_CHECK(body->delivered >= LineReader::kMaxBody); // stopped early only at the bound

    // The report, from the same responses.
    Clock clock2;
    std::unique_ptr<Body> body2 = makeBody(choice);
    const Deadline deadline2(clock2, choice.deadline);
    LineReader reader2(*body2, choice.deadline != 0 ? &deadline2 : nullptr);
    const VersionReport r = readVersionFile(reader2, current);
    using Kind = VersionReport::Kind;
    VersionReport expected;
    const auto lineAt = [&lines](std::size_t i) { return i < lines.size() ? lines[i] : ""; };
    if (reader2.timedOut() || lines.empty()) {
        expected.kind = Kind::ReadError;
    } else if (lines[0] != "1") {
        expected.kind = Kind::UpdateWithoutDetails;
    } else if (lines.size() >= 2) {
        expected.newVersion = lines[1];
        if (sameVersion(lines[1], current)) {
            expected.kind = Kind::NoUpdate;
        } else {
            expected.kind =
                lines.size() >= 5 ? Kind::UpdateWithDetails : Kind::UpdateAfterReadError;
            expected.releaseDate = lineAt(2);
            expected.pageUrl = lineAt(3);
            expected.downloadUrl = lineAt(4);
            if (lines.size() >= 6 && lines[5].rfind("sha256=", 0) == 0) {
                expected.installerDigestGiven = true;
                expected.installerSha256 = digestFromLine(lines[5]);
            }
        }
    }
    FUZZ_CHECK(r.kind == expected.kind);
    FUZZ_CHECK(r.newVersion == expected.newVersion && r.releaseDate == expected.releaseDate &&
               r.pageUrl == expected.pageUrl && r.downloadUrl == expected.downloadUrl);
    FUZZ_CHECK(r.installerDigestGiven == expected.installerDigestGiven &&
               r.installerSha256 == expected.installerSha256);
    FUZZ_CHECK(r.updateAvailable() != (r.kind == Kind::NoUpdate || r.kind == Kind::ReadError));
}

bool isLowerHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

void checkTexts(FuzzedDataProvider& in)
{
    const std::string a = in.ConsumeRandomLengthString(100);
    const std::string b = in.ConsumeRandomLengthString(100);
    const std::string c = in.ConsumeRandomLengthString(100);

    for (const std::string& line : {a, b, c}) {
        const std::string digest = digestFromLine(line);
        const bool wellFormed = line.size() == 71 && line.compare(0, 7, "sha256=") == 0 &&
                                std::all_of(line.begin() + 7, line.end(), [](char ch) {
                                    return isLowerHex(ch) || (ch >= 'A' && ch <= 'F');
                                });
        FUZZ_CHECK(digest.empty() != wellFormed);
        if (wellFormed)
            FUZZ_CHECK(digest == lowerAscii(line.substr(7)));
    }
    // A real digest line, its letters in either case.
    std::string line = "sha256=";
    for (int i = 0; i < 64; ++i) {
        const std::uint8_t v = in.ConsumeIntegral<std::uint8_t>();
        const char digit = "0123456789abcdef"[v & 15];
        line += (v & 16) != 0 && digit >= 'a' ? static_cast<char>(digit - 'a' + 'A') : digit;
    }
    FUZZ_CHECK(digestFromLine(line) == lowerAscii(line.substr(7)));

    FUZZ_CHECK(sameVersion(a, a) && sameVersion(a, lowerAscii(a)));
    FUZZ_CHECK(sameVersion(a, b) == sameVersion(b, a));
    FUZZ_CHECK(sameVersion(a, b) == (lowerAscii(a) == lowerAscii(b)));
    if (sameVersion(a, b) && sameVersion(b, c))
        FUZZ_CHECK(sameVersion(a, c));

    const std::uint32_t size = in.ConsumeIntegral<std::uint32_t>();
    const ChunkPlan plan = chunkPlan(size);
    FUZZ_CHECK(plan.remainder < kChunkSize);
    FUZZ_CHECK(std::uint64_t{plan.fullChunks} * kChunkSize + plan.remainder == size);
    const std::uint32_t done = in.ConsumeIntegralInRange<std::uint32_t>(0, size);
    const std::string percent = percentText(done, size);
    const int value = std::stoi(percent);
    FUZZ_CHECK(value >= 0 && value <= 100 && percent == std::to_string(value) + "%");
    const std::string kb = kilobyteText(size);
    FUZZ_CHECK(kb.size() > 3 && kb.compare(kb.size() - 3, 3, " KB") == 0);
}

class Ui : public CheckUi {
public:
    explicit Ui(std::uint32_t cancelAt) : cancelAt_(cancelAt) {}
    std::uint32_t chunks = 0;
    bool sized = false;
    bool completed = false;
    bool cancelled = false;

    std::string loadString(int) override { return {}; }
    bool askToConnect(const std::string&, const std::string&) override { return false; }
    void message(const std::string&, const std::string&, MessageIcon) override {}
    void showConnecting() override {}
    void hideConnecting() override {}
    UpdateChoice offerUpdate(const UpdateOffer&) override { return UpdateChoice::Continue; }
    bool openWebPage(const std::string&) override { return false; }
    void progressOpen(const std::string&) override {}
    void progressSize(std::uint32_t, const std::string&) override { sized = true; }
    bool progressChunk(const std::string&, const std::string&) override
    {
        FUZZ_CHECK(!cancelled && !completed);
        cancelled = ++chunks == cancelAt_;
        return cancelled;
    }
    void progressComplete(std::uint32_t, const std::string&) override
    {
        FUZZ_CHECK(!cancelled && !completed);
        completed = true;
    }
    void progressClose() override {}
    bool chooseFolder(std::string&) override { return false; }
    bool saveFile(const std::string&, const char*, std::uint32_t) override { return false; }

private:
    std::uint32_t cancelAt_;
};

void checkTransfer(const BodyChoice& choice, FuzzedDataProvider& in)
{
    Body body(choice.pattern, choice.repeat, choice.piece, choice.failAfter, choice.overstate);
    if (in.ConsumeIntegralInRange(0, 7) != 0)
        body.status = in.ConsumeBool() ? 200 : in.ConsumeIntegralInRange<std::uint32_t>(0, 700);
    const std::uint32_t maxSize = in.ConsumeIntegralInRange<std::uint32_t>(0, 1u << 20);
    if (in.ConsumeIntegralInRange(0, 7) != 0)
        body.length = in.ConsumeBool() ? static_cast<std::uint32_t>(body.total())
                                       : in.ConsumeIntegral<std::uint32_t>();
    const std::uint32_t cancelAt = in.ConsumeIntegralInRange<std::uint32_t>(0, 20);
    Ui ui(cancelAt);
    const Transfer t = transferFile(body, ui, maxSize);

    using Outcome = Transfer::Outcome;
    const bool headersOk = body.status && *body.status >= 200 && *body.status <= 299 &&
                           body.length && *body.length != 0 && *body.length <= maxSize;
    FUZZ_CHECK(body.delivered <= (headersOk ? *body.length : 0));
    FUZZ_CHECK(ui.sized == (body.status && *body.status >= 200 && *body.status <= 299 &&
                            body.length && *body.length != 0));

    Outcome expected = Outcome::Failed;
    if (headersOk) {
        const std::uint32_t length = *body.length;
        const ChunkPlan plan = chunkPlan(length);
        const std::size_t obtainable = body.obtainable();
        expected = Outcome::Complete;
        for (std::uint32_t i = 1; i <= plan.fullChunks; ++i) {
            if (std::size_t{i} * kChunkSize > obtainable) {
                expected = Outcome::Failed;
                break;
            }
            if (i == cancelAt) {
                expected = Outcome::Cancelled;
                break;
            }
        }
        if (expected == Outcome::Complete && length > obtainable)
            expected = Outcome::Failed;
    }
    FUZZ_CHECK(t.outcome == expected);
    if (t.outcome == Outcome::Complete) {
        FUZZ_CHECK(t.data && t.size == *body.length && body.delivered == t.size);
        for (std::size_t i = 0; i < t.size; ++i)
            FUZZ_CHECK(t.data[i] == body.at(i));
        FUZZ_CHECK(ui.completed == (t.size % kChunkSize != 0));
    } else {
        FUZZ_CHECK(!t.data && t.size == 0 && !ui.completed);
    }
}

} // namespace

// Input: a mode byte; for the body modes a choice byte each for the read size, the
// failing point, repetitions, deadline and the length of the running version, that
// version, then the body; the rest of the input holds further choices.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const int mode = data[0] % 3;
    if (mode == 1) {
        FuzzedDataProvider in(data + 1, size - 1);
        checkTexts(in);
        return 0;
    }
    if (size < 8)
        return 0;
    BodyChoice choice;
    choice.piece = data[1] == 0 ? 1u << 20 : data[1];
    choice.failAfter =
        data[2] == 0 ? static_cast<std::size_t>(-1) : std::size_t{data[2]} * data[2] * 2;
    choice.overstate = (data[3] & 0x80) != 0;
    // Enough repetitions for whole chunks; with the largest reads, enough for the
    // reader's bound (those inputs are slow, so they take two choices at once).
    choice.repeat = (data[3] & 0x40) != 0 && data[1] == 0 ? 300 : 1 + (data[3] & 0x3F);
    choice.deadline = data[4];
    const std::size_t currentLength = std::min<std::size_t>(data[5], size - 8);
    const std::string current = fuzzBytes(data + 8, currentLength);
    const std::size_t bodyLength =
        std::min<std::size_t>(data[6] | data[7] << 8, size - 8 - currentLength);
    choice.pattern = fuzzBytes(data + 8 + currentLength, bodyLength);
    FuzzedDataProvider in(data + 8 + currentLength + bodyLength,
                          size - 8 - currentLength - bodyLength);
    if (mode == 0)
        checkVersionFile(choice, current);
    else
        checkTransfer(choice, in);
    return 0;
}
