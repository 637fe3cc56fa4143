#include "mail/mail_log.h"

#include <cstdio>
#include <vector>

namespace mail {

const char* logLevelName(int level)
{
    switch (level) {
    case static_cast<int>(LogLevel::Message):
        return "Message";
    case static_cast<int>(LogLevel::Warning):
        return "Warning";
    case static_cast<int>(LogLevel::Error):
        return "*Error*";
    default:
        return "";
    }
}

std::string formatLogLine(const TimeOfDay& time, int level, const std::string& text)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d]", time.hour % 100, time.minute % 100,
                  time.second % 100);
    return std::string(stamp) + " - " + logLevelName(level) + ": " + text;
}

std::string formatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        out.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(again);
    return out;
}

CMailLog::CMailLog(std::function<TimeOfDay()> clock) : clock_(std::move(clock))
{
}

void CMailLog::open(std::unique_ptr<LogSink> file, LogSink* window, bool windowIsNew)
{
    {
        std::lock_guard<std::mutex> hold(fileLock_);
        if (!file_) {
            file_ = std::move(file);
        }
    }
    {
        std::lock_guard<std::mutex> hold(windowLock_);
        window_ = window;
    }
    if (window && windowIsNew) {
        write("Log window initialized.", LogLevel::Message);
    }
}

void CMailLog::close()
{
    {
        std::lock_guard<std::mutex> hold(fileLock_);
        file_.reset();
    }
    std::lock_guard<std::mutex> hold(windowLock_);
    window_ = nullptr;
}

void CMailLog::write(const std::string& text, LogLevel level)
{
    const std::string line = formatLogLine(clock_(), static_cast<int>(level), text);
    {
        std::lock_guard<std::mutex> hold(windowLock_);
        if (window_) {
            window_->writeLine(line);
        }
    }
    std::lock_guard<std::mutex> hold(fileLock_);
    if (file_) {
        file_->writeLine(line);
    }
}

} // namespace mail
