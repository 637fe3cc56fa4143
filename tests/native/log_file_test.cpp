#include "meter/volumes/log_file.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class FakeClock : public WallClock {
public:
    FakeClock() { set(2026, 12, 7, 14, 3, 5); }
    void set(int year, int month, int day, int hour, int minute, int second)
    {
        now = std::tm{};
        now.tm_year = year - 1900;
        now.tm_mon = month - 1;
        now.tm_mday = day;
        now.tm_hour = hour;
        now.tm_min = minute;
        now.tm_sec = second;
    }
    std::tm localTime() const override { return now; }
    std::tm now{};
};

// Files in memory; a path can be locked so that opening it fails, or limited so that
// only so many bytes are written in one go.
class FakeWriter : public LogFileWriter {
public:
    std::optional<std::size_t> append(const std::string& path, const std::string& data) override
    {
        ++writes;
        if (locked)
            return std::nullopt;
        const std::size_t n = std::min(data.size(), maxPerWrite);
        files[path] += data.substr(0, n);
        return n;
    }
    std::map<std::string, std::string> files;
    bool locked = false;
    std::size_t maxPerWrite = std::string::npos;
    int writes = 0;
};

std::string recordTime(const std::tm& t)
{
    char text[128];
    return std::string(text, std::strftime(text, sizeof text, "%c", &t));
}

// Data that makes a record of exactly n characters with the clock's time and ", ".
std::string dataForRecord(const FakeClock& clock, std::size_t n)
{
    return std::string(n - recordTime(clock.now).size() - 2 - 2, 'x');
}

struct LogFixture : ::testing::Test {
    LogFixture()
    {
        settings.booleans = 0;
        settings.logFilesFolder = "C:\\Logs\\";
    }
    AppSettings settings;
    FakeClock clock;
    FakeWriter writer;
};

} // namespace

TEST_F(LogFixture, recordIsTimeSeparatorDataAndLineBreak)
{
    EXPECT_EQ(logRecord(clock.now, ", ", "42"), recordTime(clock.now) + ", 42\r\n");
    settings.setFlag(Booleans::kLogTabSeparator, true);
    EXPECT_EQ(logSeparator(settings), "\t");
    settings.setFlag(Booleans::kLogTabSeparator, false);
    EXPECT_EQ(logSeparator(settings), ", ");
}

TEST_F(LogFixture, fileNameFollowsFolderRemoteComputerDateAndExtension)
{
    EXPECT_EQ(logFileName(settings, "CPU Graph", clock.now), "C:\\Logs\\CPU Graph Log.txt");

    settings.setFlag(Booleans::kLogDateInFileName, true);
    settings.setFlag(Booleans::kLogCsvExtension, true);
    EXPECT_EQ(logFileName(settings, "CPU Graph", clock.now),
              "C:\\Logs\\CPU Graph Log 12-07-26.csv");

    settings.remoteComputer = "\\\\FILESRV";
    settings.setFlag(Booleans::kLogDateInFileName, false);
    EXPECT_EQ(logFileName(settings, "Drive Space", clock.now),
              "C:\\Logs\\Drive Space Log for FILESRV.csv");
}

TEST_F(LogFixture, bufferLimitsByStep)
{
    const std::pair<std::uint32_t, std::size_t> steps[] = {{0, 0}, {1, 256}, {2, 1024}, {7, 1024}};
    for (const auto& [setting, limit] : steps) {
        settings.logFileBuffer = setting;
        EXPECT_EQ(logBufferLimit(settings), limit) << setting;
    }
}

TEST_F(LogFixture, unbufferedRecordsReachTheFileAtOnce)
{
    settings.logFileBuffer = 0;
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    log.appendLine("5");
    log.appendLine("7");
    EXPECT_EQ(writer.files["C:\\Logs\\CPU Graph Log.txt"],
              logRecord(clock.now, ", ", "5") + logRecord(clock.now, ", ", "7"));
    EXPECT_TRUE(log.pending().empty());
}

TEST_F(LogFixture, smallBufferIsWrittenWhenTheNinthRecordPassesTheLimit)
{
    settings.logFileBuffer = 1;
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    const std::string data = dataForRecord(clock, 30);
    for (int i = 0; i < 8; ++i)
        log.appendLine(data);
    EXPECT_EQ(writer.writes, 0);
    EXPECT_EQ(log.pending().size(), 240u);
    log.appendLine(data);
    EXPECT_EQ(writer.writes, 1);
    EXPECT_EQ(writer.files["C:\\Logs\\CPU Graph Log.txt"].size(), 270u);
    EXPECT_TRUE(log.pending().empty());
}

TEST_F(LogFixture, flushWritesWhatIsLeftAndNothingWhenEmpty)
{
    settings.logFileBuffer = 2;
    MeterLogFile log(settings, "Uptime", writer, clock);
    EXPECT_TRUE(log.flush());
    EXPECT_EQ(writer.writes, 0); // an empty buffer does not even open the file
    log.appendLine("1");
    EXPECT_EQ(writer.writes, 0);
    EXPECT_TRUE(log.flush());
    EXPECT_EQ(writer.files["C:\\Logs\\Uptime Log.txt"], logRecord(clock.now, ", ", "1"));
}

TEST_F(LogFixture, dailyFileIsChosenWhenWritingNotWhenRecording)
{
    settings.logFileBuffer = 2;
    settings.setFlag(Booleans::kLogDateInFileName, true);
    MeterLogFile log(settings, "Disk Graph", writer, clock);
    clock.set(2026, 12, 7, 23, 59, 59);
    log.appendLine("before midnight");
    clock.set(2026, 12, 8, 0, 0, 1);
    log.flush();
    EXPECT_EQ(writer.files.count("C:\\Logs\\Disk Graph Log 12-07-26.txt"), 0u);
    EXPECT_NE(writer.files["C:\\Logs\\Disk Graph Log 12-08-26.txt"].find("before midnight"),
              std::string::npos);
}

TEST_F(LogFixture, recordsWaitWhileTheFileCannotBeOpened)
{
    // A file held open by another program for a while must not cost the records.
    settings.logFileBuffer = 2;
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    writer.locked = true;
    const std::string data = dataForRecord(clock, 100);
    for (int i = 0; i < 30; ++i)
        log.appendLine(data + std::to_string(i % 10));
    EXPECT_EQ(log.pending().size(), 30u * 101u);
    EXPECT_FALSE(log.flush());

    writer.locked = false;
    EXPECT_TRUE(log.flush());
    const std::string& file = writer.files["C:\\Logs\\CPU Graph Log.txt"];
    EXPECT_EQ(file.size(), 30u * 101u);
    EXPECT_EQ(file.substr(0, 101), logRecord(clock.now, ", ", data + "0"));
}

TEST_F(LogFixture, pendingRecordsAreBoundedByDroppingTheOldestWhole)
{
    settings.logFileBuffer = 0;
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    writer.locked = true;
    const std::string data = dataForRecord(clock, 100);
    const int records = static_cast<int>(MeterLogFile::kMaxPending / 100) + 50;
    for (int i = 0; i < records; ++i)
        log.appendLine(data);
    const std::string& pending = log.pending();
    EXPECT_LE(pending.size(), MeterLogFile::kMaxPending);
    EXPECT_GT(pending.size(), MeterLogFile::kMaxPending - 200);
    EXPECT_EQ(pending.size() % 100, 0u); // whole records only
    EXPECT_EQ(pending.substr(0, recordTime(clock.now).size()), recordTime(clock.now));
}

TEST_F(LogFixture, partlyWrittenBufferKeepsOnlyTheRest)
{
    settings.logFileBuffer = 2;
    MeterLogFile log(settings, "CPU Graph", writer, clock);
    log.appendLine("first");
    log.appendLine("second");
    const std::string all = log.pending();
    writer.maxPerWrite = 10;
    EXPECT_FALSE(log.flush());
    EXPECT_EQ(log.pending(), all.substr(10));
    writer.maxPerWrite = std::string::npos;
    EXPECT_TRUE(log.flush());
    EXPECT_EQ(writer.files["C:\\Logs\\CPU Graph Log.txt"], all);
}
