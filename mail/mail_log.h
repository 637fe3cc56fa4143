#pragma once
// The plug-in's log: time-stamped lines of three levels, delivered to the log window
// (through its text model, log_text.h) and, when the host asks for it, to a file.
// Called from the user-interface thread and from checking threads at once.
#include <cstdarg>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace mail {

enum class LogLevel { Message = 0, Warning = 1, Error = 2 };

// "Message", "Warning", "*Error*"; empty for any other number.
const char* logLevelName(int level);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "[hh:mm:ss] - <level>: <text>"
std::string formatLogLine(const TimeOfDay& time, int level, const std::string& text);

// printf into a string, for the log's texts with their names and numbers.
std::string formatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Where lines go; each call gets one whole line without its line end. Calls come from
// any thread with the log's lock held, so a sink must not wait for another thread (a
// window posts the line to its own thread rather than sending it).
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void writeLine(const std::string& line) = 0;
};

class CMailLog {
public:
    explicit CMailLog(std::function<TimeOfDay()> clock);

    // The file (when the host wants one; null otherwise) and the window's sink. A
    // window that is new gets "Log window initialized." as its first line.
    void open(std::unique_ptr<LogSink> file, LogSink* window, bool windowIsNew);
    void close();
    void write(const std::string& text, LogLevel level);

private:
    std::function<TimeOfDay()> clock_;
    std::mutex fileLock_; // file writes from several threads must not interleave
    std::unique_ptr<LogSink> file_;
    std::mutex windowLock_;
    LogSink* window_ = nullptr;
};

} // namespace mail
