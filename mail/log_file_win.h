#pragma once
// The log's file: host folder + host name + "_MailLog.txt", created empty at every
// open, one line per write with a CR LF after it.
#include "mail/mail_log.h"

#include <windows.h>

namespace mail {

class WinLogFile : public LogSink {
public:
    // Null when the file cannot be created (the log then has no file).
    static std::unique_ptr<WinLogFile> create(const std::string& path);
    ~WinLogFile() override;
    WinLogFile(const WinLogFile&) = delete;
    WinLogFile& operator=(const WinLogFile&) = delete;

    void writeLine(const std::string& line) override;

private:
    explicit WinLogFile(HANDLE file) : file_(file) {}
    HANDLE file_;
};

std::string logFilePath(const std::string& folder, const std::string& hostName);

// The local time of day, for the log's time stamps.
TimeOfDay localTimeOfDay();

} // namespace mail
