#include "renewo/download.h"

#include "renewo_fakes.h"

#include <gtest/gtest.h>

using renewo::kChunkSize;
using renewo::Transfer;
using Outcome = renewo::Transfer::Outcome;

namespace {

std::string bytes(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        s[i] = static_cast<char>(i * 7 + i / 251);
    }
    return s;
}

struct DownloadRun {
    fakes::Ui ui;
    std::vector<std::uint32_t> reads;
    Transfer t;

    explicit DownloadRun(const fakes::Response& r, std::uint32_t maxSize = 0x7fffffff)
    {
        fakes::File file(r, reads);
        t = renewo::transferFile(file, ui, maxSize);
    }
};

} // namespace

TEST(renewoDownload, anExactMultipleOfTheChunkEndsWithoutTheFinalPause)
{
    const std::string body = bytes(3 * kChunkSize);
    DownloadRun run(fakes::withLength(body));
    ASSERT_EQ(run.t.outcome, Outcome::Complete);
    EXPECT_EQ(std::string(run.t.data.get(), run.t.size), body);
    EXPECT_EQ(run.reads, (std::vector<std::uint32_t>{kChunkSize, kChunkSize, kChunkSize}));
    EXPECT_EQ(run.ui.events, (std::vector<std::string>{"size: 48 KB", "chunk: 16 KB 33%",
                                                       "chunk: 32 KB 66%", "chunk: 48 KB 100%"}));
}

TEST(renewoDownload, lessThanOneChunkIsOneRemainderRead)
{
    const std::string body = bytes(1536);
    DownloadRun run(fakes::withLength(body));
    ASSERT_EQ(run.t.outcome, Outcome::Complete);
    EXPECT_EQ(std::string(run.t.data.get(), run.t.size), body);
    EXPECT_EQ(run.reads, std::vector<std::uint32_t>{1536});
    EXPECT_EQ(run.ui.events, (std::vector<std::string>{"size: 1.5 KB", "complete: 1.5 KB"}));
}

TEST(renewoDownload, chunksThenTheRemainder)
{
    const std::string body = bytes(kChunkSize + 100);
    DownloadRun run(fakes::withLength(body));
    ASSERT_EQ(run.t.outcome, Outcome::Complete);
    EXPECT_EQ(std::string(run.t.data.get(), run.t.size), body);
    EXPECT_EQ(run.reads, (std::vector<std::uint32_t>{kChunkSize, 100}));
    EXPECT_EQ(run.ui.events,
              (std::vector<std::string>{"size: 16.1 KB", "chunk: 16 KB 99%", "complete: 16.1 KB"}));
}

TEST(renewoDownload, cancelStopsBeforeTheNextChunk)
{
    fakes::Response r = fakes::withLength(bytes(5 * kChunkSize + 1));
    fakes::Ui ui;
    ui.cancelAfterChunk = 2;
    std::vector<std::uint32_t> reads;
    fakes::File file(r, reads);
    const Transfer t = renewo::transferFile(file, ui, 0x7fffffff);
    EXPECT_EQ(t.outcome, Outcome::Cancelled);
    EXPECT_EQ(reads.size(), 2u);
    EXPECT_FALSE(t.data);
}

TEST(renewoDownload, aMissingOrZeroLengthFailsWithoutReading)
{
    fakes::Response none;
    none.body = bytes(100);
    DownloadRun noLength(none);
    EXPECT_EQ(noLength.t.outcome, Outcome::Failed);
    EXPECT_TRUE(noLength.reads.empty());

    fakes::Response zero;
    zero.contentLength = 0;
    DownloadRun empty(zero);
    EXPECT_EQ(empty.t.outcome, Outcome::Failed);
    EXPECT_TRUE(empty.reads.empty());
}

TEST(renewoDownload, aStatusOtherThanSuccessFailsWithoutReading)
{
    for (std::uint32_t status : {404u, 500u, 301u, 302u, 304u, 199u, 300u, 100u, 0u}) {
        fakes::Response r = fakes::withLength(bytes(1000));
        r.status = status;
        DownloadRun run(r);
        EXPECT_EQ(run.t.outcome, Outcome::Failed) << status;
        EXPECT_TRUE(run.reads.empty()) << status;
        EXPECT_FALSE(run.t.data) << status;
    }
    fakes::Response none = fakes::withLength(bytes(1000));
    none.status.reset();
    EXPECT_EQ(DownloadRun(none).t.outcome, Outcome::Failed);

    for (std::uint32_t status : {200u, 203u, 299u}) {
        fakes::Response r = fakes::withLength(bytes(1000));
        r.status = status;
        EXPECT_EQ(DownloadRun(r).t.outcome, Outcome::Complete) << status;
    }
}

TEST(renewoDownload, aBodyShorterThanItsLengthFails)
{
    for (std::uint32_t size : {100u, kChunkSize, 4 * kChunkSize + 5}) {
        fakes::Response r;
        r.body = bytes(size - 1);
        r.contentLength = size;
        DownloadRun run(r);
        EXPECT_EQ(run.t.outcome, Outcome::Failed) << size;
        EXPECT_FALSE(run.t.data);
        EXPECT_FALSE(run.ui.sawPrefix("complete"));
    }
    fakes::Response broken = fakes::withLength(bytes(2 * kChunkSize));
    broken.failReads = true;
    EXPECT_EQ(DownloadRun(broken).t.outcome, Outcome::Failed);
}

TEST(renewoDownload, aLengthTooLargeToHoldFailsWithoutAllocating)
{
    fakes::Response r;
    r.body = bytes(10);
    r.contentLength = 0xffffffffu;
    DownloadRun run(r, 1u << 20);
    EXPECT_EQ(run.t.outcome, Outcome::Failed);
    EXPECT_TRUE(run.reads.empty());
    EXPECT_EQ(run.ui.events, std::vector<std::string>{"size: 4194,304 KB"});
}

TEST(renewoDownload, extraBytesAfterTheAnnouncedLengthAreNotRead)
{
    fakes::Response r;
    r.body = bytes(300);
    r.contentLength = 200;
    DownloadRun run(r);
    ASSERT_EQ(run.t.outcome, Outcome::Complete);
    EXPECT_EQ(std::string(run.t.data.get(), run.t.size), bytes(200));
}
