#pragma once
// Log files: each meter that logs keeps its records in a buffer and appends the buffer
// to its own file when the buffer grows past the configured size, when the meter is
// deactivated and when the program ends.
#include "meter/app_settings.h"
#include "meter/meter.h"
#include "meter/volumes/wall_clock.h"

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>

// Appends text to a file, creating it when missing and never truncating it; others
// may read the file meanwhile but not write it.
class LogFileWriter {
public:
    virtual ~LogFileWriter() = default;
    // The number of bytes written, or nothing when the file could not be opened.
    virtual std::optional<std::size_t> append(const std::string& path, const std::string& data) = 0;
};

// Between the fields of a record, and between the drive meter's fields.
std::string logSeparator(const AppSettings& settings);

// The buffer is written once it is longer than this: 0, 256 or 1024 characters.
std::size_t logBufferLimit(const AppSettings& settings);

// One record: the local time in the runtime's date-and-time form, the separator, the
// data and a line break.
std::string logRecord(const std::tm& now, const std::string& separator, const std::string& data);

// The meter's log file: folder, long meter name, " Log", the remote computer, the date
// for daily files and the extension.
std::string logFileName(const AppSettings& settings, const std::string& meterName,
                        const std::tm& now);

// One meter's log: the buffer of records not yet written and the rules for writing it.
class MeterLogFile : public MeterLog {
public:
    // Records that cannot be written wait; past this many characters the oldest are
    // dropped, whole, so that a file held open for a while costs nothing but the
    // records beyond a generous allowance.
    static constexpr std::size_t kMaxPending = 64 * 1024;

    MeterLogFile(const AppSettings& settings, std::string meterName, LogFileWriter& writer,
                 const WallClock& clock);

    // Adds one record and writes the buffer when it is longer than the limit.
    void appendLine(const std::string& data) override;
    // Writes the buffer to the file of the current date; true when nothing is left.
    bool flush() override;

    const std::string& pending() const { return buffer_; }

private:
    void dropOldestBeyondAllowance();

    const AppSettings& settings_;
    std::string meterName_;
    LogFileWriter& writer_;
    const WallClock& clock_;
    std::string buffer_;
};
