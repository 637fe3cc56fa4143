#pragma once
// A lock that comes free at a set moment of a fake clock, and a log that keeps its
// lines, for the mail check's tests.
#include "mail/check/check_lock.h"
#include "mail/mail_log.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fakes {

struct ScheduledLock : mail::TimedLockable {
    explicit ScheduledLock(std::int64_t& clock, std::int64_t comesFreeAt = 0)
        : now(clock), freeAt(comesFreeAt)
    {
    }
    bool tryLockFor(std::chrono::milliseconds wait) override
    {
        ++attempts;
        if (!held && now + wait.count() >= freeAt) {
            now = std::max(now, freeAt);
            held = true;
            ++locks;
            return true;
        }
        now += wait.count();
        if (onWait) {
            onWait();
        }
        return false;
    }
    void unlock() override
    {
        held = false;
        ++unlocks;
    }
    std::int64_t& now;
    std::int64_t freeAt;
    std::function<void()> onWait; // after each wait that did not get the lock
    bool held = false;
    int attempts = 0;
    int locks = 0;
    int unlocks = 0;
};

struct LineSink : mail::LogSink {
    void writeLine(const std::string& line) override { lines.push_back(line.substr(13)); }
    std::vector<std::string> lines;
};

// A log whose window lines the test reads, without their time stamp.
struct TestLog {
    TestLog() { log.open(nullptr, &sink, false); }
    mail::CMailLog log{[] { return mail::TimeOfDay{}; }};
    LineSink sink;
};

} // namespace fakes
