#include "renewo/version_file.h"

#include "renewo_fakes.h"

#include <gtest/gtest.h>

using renewo::LineReader;
using renewo::VersionReport;
using Kind = renewo::VersionReport::Kind;

namespace {

// Serves a body in reads of at most `piece` bytes so that lines straddle reads.
class Pieces : public renewo::HttpFile {
public:
    Pieces(std::string body, std::size_t piece) : body_(std::move(body)), piece_(piece) {}
    bool statusCode(std::uint32_t&) override { return false; }
    bool contentLength(std::uint32_t&) override { return false; }
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override
    {
        got =
            static_cast<std::uint32_t>(std::min({std::size_t{size}, piece_, body_.size() - pos_}));
        std::memcpy(buffer, body_.data() + pos_, got);
        pos_ += got;
        return true;
    }

private:
    std::string body_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

std::vector<std::string> linesOf(const std::string& body, std::size_t piece = 4096)
{
    Pieces file(body, piece);
    LineReader reader(file);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    return lines;
}

VersionReport report(const std::string& body, const std::string& current = "2.6.0")
{
    Pieces file(body, 7);
    LineReader reader(file);
    return renewo::readVersionFile(reader, current);
}

} // namespace

TEST(renewoLineReader, splitsAtLineFeedsAndDropsEveryCarriageReturn)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(linesOf("1\n2.7.0\n"), (V{"1", "2.7.0"}));
    EXPECT_EQ(linesOf("1\r\n2.7.0\r\n"), (V{"1", "2.7.0"}));
    EXPECT_EQ(linesOf("a\rb\r\n\r\nlast"), (V{"ab", "", "last"}));
    EXPECT_EQ(linesOf(""), V{});
    EXPECT_EQ(linesOf("\n"), (V{""}));
}

TEST(renewoLineReader, linesMayBeLongerThanAnyRead)
{
    const std::string longLine(10000, 'x');
    EXPECT_EQ(linesOf(longLine + "\nend", 3), (std::vector<std::string>{longLine, "end"}));
}

TEST(renewoLineReader, anEndlessBodyIsCutOffInsteadOfExhaustingMemory)
{
    fakes::Response endless;
    endless.body = std::string(LineReader::kMaxBody + 100000, 'z');
    std::vector<std::uint32_t> reads;
    fakes::File file(endless, reads);
    LineReader reader(file);
    std::string line;
    EXPECT_FALSE(reader.next(line)) << "a line cut by the bound is no line";
    EXPECT_FALSE(reader.next(line));
}

TEST(renewoLineReader, linesBeforeTheBoundStillCount)
{
    fakes::Response r;
    r.body = "1\n" + std::string(LineReader::kMaxBody + 100000, 'z');
    std::vector<std::uint32_t> reads;
    fakes::File file(r, reads);
    LineReader reader(file);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "1");
    EXPECT_FALSE(reader.next(line));
}

TEST(renewoLineReader, aFailedReadIsNoEndOfTheBody)
{
    fakes::Response r;
    r.body = "1\n2.7.0\nrest";
    r.failAfter = 5; // "1\n2.7", then the connection breaks
    std::vector<std::uint32_t> reads;
    fakes::File file(r, reads);
    LineReader reader(file);
    std::string line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "1");
    EXPECT_FALSE(reader.next(line)) << "cut after \"" << line << "\"";
    EXPECT_EQ(line, "") << "what came before the failure is no line";
    EXPECT_FALSE(reader.next(line));
}

TEST(renewoLineReader, aSlowServerIsCutOffAtTheDeadline)
{
    // One byte per read, each read a second later; the tick count may wrap meanwhile.
    for (const std::uint32_t start : {0u, 0xfffff000u}) {
        fakes::Response r;
        r.body = "1\n2.7.0\n";
        r.piece = 1;
        std::vector<std::uint32_t> reads;
        fakes::File file(r, reads);
        fakes::Clock clock(0);
        clock.ticks = start;
        clock.tickStep = 1000;
        const renewo::Deadline deadline(clock, 5000);
        LineReader reader(file, &deadline);
        std::string line;
        ASSERT_TRUE(reader.next(line)) << start;
        EXPECT_EQ(line, "1");
        EXPECT_FALSE(reader.next(line)) << start << ": \"" << line << "\"";
        EXPECT_TRUE(reader.timedOut());
        EXPECT_LE(reads.size(), 5u) << start;
    }
}

TEST(renewoVersionFile, aCompleteFileWithAnotherVersionOffersDetails)
{
    const VersionReport r =
        report("1\n2.7.0\nMarch 3, 2003\nhttp://p/new.html\nhttp://d/x/setup.exe\nextra\n");
    EXPECT_EQ(r.kind, Kind::UpdateWithDetails);
    EXPECT_EQ(r.newVersion, "2.7.0");
    EXPECT_EQ(r.releaseDate, "March 3, 2003");
    EXPECT_EQ(r.pageUrl, "http://p/new.html");
    EXPECT_EQ(r.downloadUrl, "http://d/x/setup.exe");
    EXPECT_TRUE(r.completesCheck());
    EXPECT_FALSE(r.showsReadError());
}

TEST(renewoVersionFile, crlfReadsLikeLf)
{
    const VersionReport r = report("1\r\n2.7.0\r\nMay\r\nhttp://p\r\nhttp://d/s.exe\r\n");
    EXPECT_EQ(r.kind, Kind::UpdateWithDetails);
    EXPECT_EQ(r.newVersion, "2.7.0");
    EXPECT_EQ(r.downloadUrl, "http://d/s.exe");
}

TEST(renewoVersionFile, versionsDifferingOnlyInCaseAreTheSame)
{
    EXPECT_EQ(report("1\n2.6.0B\n", "2.6.0b").kind, Kind::NoUpdate);
    EXPECT_EQ(report("1\n2.6.0\n").kind, Kind::NoUpdate);
    EXPECT_TRUE(report("1\n2.6.0\n").completesCheck());
    EXPECT_FALSE(report("1\n2.6.0\n").showsReadError());
}

TEST(renewoVersionFile, aLowerVersionIsStillAnUpdate)
{
    EXPECT_EQ(report("1\n2.5.9\nd\np\nu\n").kind, Kind::UpdateWithDetails);
    EXPECT_EQ(report("1\n2.6\nd\np\nu\n").kind, Kind::UpdateWithDetails);
}

TEST(renewoVersionFile, aFirstLineOtherThanOneOffersWithoutDetails)
{
    for (const char* body :
         {"\n1\n2.7.0\n", "2\n2.7.0\n", "1 \n", "<html><body>404 Not Found</body></html>",
          "\x89PNG\r\n\x1a\n\0\0garbage"}) {
        const VersionReport r = report(body);
        EXPECT_EQ(r.kind, Kind::UpdateWithoutDetails) << body;
        EXPECT_TRUE(r.completesCheck());
        EXPECT_FALSE(r.showsReadError());
    }
}

TEST(renewoVersionFile, twoLinesWithAnotherVersionAreAReadErrorThatStillOffers)
{
    const VersionReport r = report("1\n2.7.0\n");
    EXPECT_EQ(r.kind, Kind::UpdateAfterReadError);
    EXPECT_TRUE(r.updateAvailable());
    EXPECT_TRUE(r.showsReadError());
    EXPECT_TRUE(r.completesCheck());
    EXPECT_EQ(report("1\n2.7.0\ndate\npage").kind, Kind::UpdateAfterReadError);
}

TEST(renewoVersionFile, nothingToReadIsAReadErrorWithoutOffer)
{
    for (const char* body : {"", "1", "1\n"}) {
        const VersionReport r = report(body);
        EXPECT_EQ(r.kind, Kind::ReadError) << body;
        EXPECT_FALSE(r.updateAvailable());
        EXPECT_FALSE(r.completesCheck());
        EXPECT_TRUE(r.showsReadError());
    }
}

TEST(renewoVersionFile, aLineCutByAFailedReadIsNotTaken)
{
    const std::string body = "1\n2.7.0\nMay\nhttp://p\nhttp://d/setup.exe";
    fakes::Response r;
    r.body = body;
    std::vector<std::uint32_t> reads;

    r.failAfter = body.size() - 5; // inside the download address
    fakes::File inLastLine(r, reads);
    LineReader lines(inLastLine);
    const VersionReport cut = renewo::readVersionFile(lines, "2.6.0");
    EXPECT_EQ(cut.kind, Kind::UpdateAfterReadError);

    EXPECT_EQ(cut.downloadUrl, "");
    EXPECT_EQ(cut.pageUrl, "http://p");

    r.failAfter = 20; // inside the page address
    fakes::File inPage(r, reads);
    LineReader pageLines(inPage);
    const VersionReport cutPage = renewo::readVersionFile(pageLines, "2.6.0");
    EXPECT_EQ(cutPage.kind, Kind::UpdateAfterReadError);
    EXPECT_EQ(cutPage.releaseDate, "May");
    EXPECT_EQ(cutPage.pageUrl, "") << "a cut address is no address";

    r.failAfter = 4; // inside the version
    fakes::File inVersion(r, reads);
    LineReader versionLines(inVersion);
    EXPECT_EQ(renewo::readVersionFile(versionLines, "2.6.0").kind, Kind::ReadError);
}

TEST(renewoVersionFile, aVersionCutByTheBoundIsAReadError)
{
    fakes::Response r;
    r.body = "1\n" + std::string(LineReader::kMaxBody + 100000, '9');
    std::vector<std::uint32_t> reads;
    fakes::File file(r, reads);
    LineReader lines(file);
    EXPECT_EQ(renewo::readVersionFile(lines, "2.6.0").kind, Kind::ReadError);
}

TEST(renewoVersionFile, runningOutOfTimeIsAReadErrorWhateverCameBefore)
{
    // The version differs and the release date is in: without the deadline this would
    // still offer the update.
    fakes::Response r;
    r.body = "1\n2.7.0\nMay 5, 2003\nhttp://p/\nhttp://d/setup.exe\n";
    r.piece = 1;
    std::vector<std::uint32_t> reads;
    fakes::File file(r, reads);
    fakes::Clock clock(0);
    clock.tickStep = 1000;
    const renewo::Deadline deadline(clock, 20000);
    LineReader lines(file, &deadline);
    const VersionReport report = renewo::readVersionFile(lines, "2.6.0");
    EXPECT_EQ(report.kind, Kind::ReadError);
    EXPECT_FALSE(report.completesCheck());
}

TEST(renewoVersionFile, aSixthDigestLineIsTheInstallersDigest)
{
    const std::string five = "1\n2.7.0\nMay 5\nhttp://p/\nhttp://d/setup.exe\n";
    const std::string upper(64, 'A');
    const VersionReport given = report(five + "sha256=" + upper + "\r\n");
    EXPECT_EQ(given.kind, Kind::UpdateWithDetails);
    EXPECT_TRUE(given.installerDigestGiven);
    EXPECT_EQ(given.installerSha256, std::string(64, 'a')) << "kept in lower case";

    // A digest line that holds no digest still says one is expected: nothing matches.
    for (const std::string& bad : {std::string("sha256=") + std::string(63, '0'),
                                   std::string("sha256=") + std::string(65, '0'),
                                   std::string("sha256=") + std::string(63, '0') + "g",
                                   std::string("sha256= ") + std::string(64, '0')}) {
        const VersionReport r = report(five + bad + "\n");
        EXPECT_TRUE(r.installerDigestGiven) << bad;
        EXPECT_TRUE(r.installerSha256.empty()) << bad;
    }

    // Five lines, or another sixth line, publish no digest.
    for (const std::string& body :
         {five, five + "\n", five + "md5=00\n", five + "SHA256=" + upper}) {
        const VersionReport r = report(body);
        EXPECT_EQ(r.kind, Kind::UpdateWithDetails);
        EXPECT_FALSE(r.installerDigestGiven) << body;
    }
    // Nor does a file cut short before its fifth line.
    EXPECT_FALSE(report("1\n2.7.0\nMay 5\nsha256=" + upper + "\n").installerDigestGiven);
}
