#include "renewo/version_file.h"

namespace renewo {

bool LineReader::fill()
{
    if (state_ != State::Reading) {
        return false;
    }
    if (total_ >= kMaxBody) {
        state_ = State::Broken;
        return false;
    }
    if (deadline_ && deadline_->passed()) {
        timedOut_ = true;
        state_ = State::Broken;
        return false;
    }
    char chunk[4096];
    std::uint32_t got = 0;
    if (!file_.read(chunk, sizeof chunk, got)) {
        state_ = State::Broken;
        return false;
    }
    if (got == 0) {
        state_ = State::Ended;
        return false;
    }
    if (got > sizeof chunk) {
        got = sizeof chunk; // a read never reports more than it was given room for
    }
    total_ += got;
    pending_.erase(0, pos_);
    pos_ = 0;
    pending_.append(chunk, got);
    return true;
}

bool LineReader::next(std::string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        while (pos_ < pending_.size()) {
            const char c = pending_[pos_++];
            any = true;
            if (c == '\n') {
                return true;
            }
            if (c != '\r') {
                line.push_back(c);
            }
        }
        if (!fill()) {
            if (any && state_ == State::Ended) {
                return true;
            }
            // Cut short by a failed read, the bound or the deadline: no line, and none of
            // it is left for a caller to take as one (a page address cut in the middle).
            line.clear();
            return false;
        }
    }
}

namespace {

const std::string kDigestPrefix = "sha256=";

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameVersion(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::string digestFromLine(const std::string& line)
{
    constexpr std::size_t kDigestDigits = 64;
    if (line.size() != kDigestPrefix.size() + kDigestDigits ||
        line.compare(0, kDigestPrefix.size(), kDigestPrefix) != 0) {
        return {};
    }
    std::string digest;
    for (std::size_t i = kDigestPrefix.size(); i < line.size(); ++i) {
        const char c = lowerAscii(line[i]);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return {};
        }
        digest.push_back(c);
    }
    return digest;
}

namespace {

VersionReport readLines(LineReader& lines, const std::string& currentVersion)
{
    using Kind = VersionReport::Kind;
    VersionReport r;
    std::string marker;
    if (!lines.next(marker)) {
        return r;
    }
    if (marker != "1") {
        // Not our format (an error page, a moved file): something is published there,
        // so offer the product's own site.
        r.kind = Kind::UpdateWithoutDetails;
        return r;
    }
    if (!lines.next(r.newVersion)) {
        return r;
    }
    if (sameVersion(r.newVersion, currentVersion)) {
        r.kind = Kind::NoUpdate;
        return r;
    }
    const bool all =
        lines.next(r.releaseDate) && lines.next(r.pageUrl) && lines.next(r.downloadUrl);
    r.kind = all ? Kind::UpdateWithDetails : Kind::UpdateAfterReadError;
    std::string sixth;
    if (all && lines.next(sixth) && sixth.compare(0, kDigestPrefix.size(), kDigestPrefix) == 0) {
        r.installerDigestGiven = true;
        r.installerSha256 = digestFromLine(sixth);
    }
    return r;
}

} // namespace

VersionReport readVersionFile(LineReader& lines, const std::string& currentVersion)
{
    VersionReport r = readLines(lines, currentVersion);
    return lines.timedOut() ? VersionReport{} : r;
}

} // namespace renewo
