// The mail log's lines, where they go, and the log window's text model.
#include "mail/log_text.h"
#include "mail/mail_log.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

struct RecordingSink : mail::LogSink {
    void writeLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

mail::TimeOfDay fixedTime()
{
    return mail::TimeOfDay{9, 5, 7};
}

TEST(MailLog, LinesCarryTimeLevelNameAndText)
{
    EXPECT_EQ(mail::formatLogLine({23, 59, 1}, 0, "Hello"), "[23:59:01] - Message: Hello");
    EXPECT_EQ(mail::formatLogLine({0, 0, 0}, 1, "x"), "[00:00:00] - Warning: x");
    EXPECT_EQ(mail::formatLogLine({12, 0, 0}, 2, "x"), "[12:00:00] - *Error*: x");
    EXPECT_EQ(mail::formatLogLine({12, 0, 0}, 3, "x"), "[12:00:00] - : x");
    EXPECT_EQ(mail::formatLogLine({12, 0, 0}, -1, "x"), "[12:00:00] - : x");
}

TEST(MailLog, NewWindowIsToldFirstAndEveryLineReachesWindowAndFile)
{
    mail::CMailLog log(fixedTime);
    auto file = std::make_unique<RecordingSink>();
    RecordingSink* fileLines = file.get();
    RecordingSink window;
    log.open(std::move(file), &window, true);
    log.write("Loaded account Home.", mail::LogLevel::Message);
    const std::vector<std::string> expected = {"[09:05:07] - Message: Log window initialized.",
                                               "[09:05:07] - Message: Loaded account Home."};
    EXPECT_EQ(window.lines, expected);
    EXPECT_EQ(fileLines->lines, expected);
}

TEST(MailLog, WithoutAFileTheWindowStillGetsEveryLine)
{
    mail::CMailLog log(fixedTime);
    RecordingSink window;
    log.open(nullptr, &window, false);
    log.write("a", mail::LogLevel::Warning);
    EXPECT_EQ(window.lines, std::vector<std::string>{"[09:05:07] - Warning: a"});
    log.close();
    log.write("after close", mail::LogLevel::Error);
    EXPECT_EQ(window.lines.size(), 1u);
}

TEST(MailLog, LinesFromManyThreadsStayWhole)
{
    mail::CMailLog log(fixedTime);
    auto file = std::make_unique<RecordingSink>();
    RecordingSink* lines = file.get();
    log.open(std::move(file), nullptr, false);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&log, t] {
            for (int i = 0; i < 200; ++i) {
                log.write("thread " + std::to_string(t), mail::LogLevel::Message);
            }
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    ASSERT_EQ(lines->lines.size(), 800u);
    for (const auto& line : lines->lines) {
        EXPECT_EQ(line.rfind("[09:05:07] - Message: thread ", 0), 0u);
    }
}

TEST(MailLog, FormatTextFillsNamesAndNumbers)
{
    EXPECT_EQ(mail::formatText("Failed to connect to %s as user %s.  Error Number %i occured.",
                               "host", "bob", 10060),
              "Failed to connect to host as user bob.  Error Number 10060 occured.");
    EXPECT_EQ(mail::formatText("%s", std::string(5000, 'z').c_str()).size(), 5000u);
}

TEST(LogText, AppendsLinesAfterTheWelcome)
{
    mail::LogText text("Welcome to Brellix");
    const auto edit = text.append("line");
    EXPECT_EQ(edit.append, "\r\nline");
    EXPECT_EQ(edit.removeFront, 0u);
    EXPECT_EQ(text.text(), "Welcome to Brellix\r\nline");
}

TEST(LogText, KeepsTheLastLimitBytesFromAWholeLine)
{
    mail::LogText text("Welcome", 40);
    std::string replayed = "Welcome";
    for (int i = 0; i < 20; ++i) {
        const auto edit = text.append("line number " + std::to_string(i));
        // The window's replay of the edits gives the model's text.
        replayed += edit.append;
        replayed.erase(0, edit.removeFront);
        ASSERT_EQ(replayed, text.text());
        ASSERT_LE(text.text().size(), 40u);
    }
    EXPECT_EQ(text.text(), "line number 18\r\nline number 19");
}

TEST(LogText, ALineLongerThanTheLimitKeepsItsEnd)
{
    mail::LogText text("Welcome", 10);
    const auto edit = text.append("0123456789abcdef");
    EXPECT_EQ(text.text(), "6789abcdef");
    std::string replayed = "Welcome" + edit.append;
    replayed.erase(0, edit.removeFront);
    EXPECT_EQ(replayed, text.text());
}

} // namespace
