#pragma once
// The version file: five text lines published beside the installer. Line 1 is the
// format marker "1", then the newest version, its release date, the address of a page
// about it and the address of the installer. A sixth line "sha256=<64 hex digits>",
// when present, is the installer's SHA-256 digest: a download must match it.
#include "renewo/check_clock.h"
#include "renewo/http_session.h"

#include <cstdint>
#include <string>

namespace renewo {

// Hands out the lines of an HTTP body: lines end at LF, every CR is dropped. A final
// line without LF still counts at the end of the body. A failed read, a body that
// outgrows kMaxBody or a deadline that passes ends the lines for good: what came before
// it on the same line was cut short and is no line.
class LineReader {
public:
    // The whole body read is bounded so that a server sending endless data without a
    // line end cannot exhaust memory; lines of any realistic length fit easily.
    static constexpr std::size_t kMaxBody = 1u << 20;

    // Without a deadline the reader waits as long as the server keeps sending.
    explicit LineReader(HttpFile& file, const Deadline* deadline = nullptr)
        : file_(file), deadline_(deadline)
    {
    }
    bool next(std::string& line);
    bool timedOut() const { return timedOut_; }

private:
    enum class State { Reading, Ended, Broken };
    bool fill();
    HttpFile& file_;
    const Deadline* deadline_;
    bool timedOut_ = false;
    std::string pending_;
    std::size_t pos_ = 0;
    std::size_t total_ = 0;
    State state_ = State::Reading;
};

struct VersionReport {
    enum class Kind {
        ReadError,            // nothing usable: line 1, or line 2 after a "1", unreadable
        NoUpdate,             // the published version is the running one
        UpdateWithoutDetails, // first line not "1": offer without details
        UpdateWithDetails,    // lines 2-5 read and the version differs
        UpdateAfterReadError  // version differs, but lines 3-5 were not all there
    };
    Kind kind = Kind::ReadError;
    std::string newVersion;
    std::string releaseDate;
    std::string pageUrl;
    std::string downloadUrl;
    // A sixth line that starts with "sha256=": the download must match installerSha256
    // (lower-case hex). A line that starts so but holds no digest leaves it empty, and
    // then no download can match.
    bool installerDigestGiven = false;
    std::string installerSha256;

    bool updateAvailable() const
    {
        return kind == Kind::UpdateWithoutDetails || kind == Kind::UpdateWithDetails ||
               kind == Kind::UpdateAfterReadError;
    }
    // The time of the check is kept whenever the server told us something definite.
    bool completesCheck() const { return kind != Kind::ReadError; }
    bool showsReadError() const
    {
        return kind == Kind::ReadError || kind == Kind::UpdateAfterReadError;
    }
};

// Reading that ran out of time tells nothing definite: it is a read error, whatever
// lines came before.
VersionReport readVersionFile(LineReader& lines, const std::string& currentVersion);

// The digest of a "sha256=" line in lower case; empty when the rest of the line is not
// exactly 64 hexadecimal digits.
std::string digestFromLine(const std::string& line);

// Version texts are compared as texts, ignoring letter case: any difference, newer or
// older, is an update.
bool sameVersion(const std::string& a, const std::string& b);

} // namespace renewo
