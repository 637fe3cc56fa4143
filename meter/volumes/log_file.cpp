#include "meter/volumes/log_file.h"

#include <array>
#include <utility>

namespace {

std::string formatTime(const std::tm& t, const char* format)
{
    std::array<char, 128> text{};
    const std::size_t n = std::strftime(text.data(), text.size(), format, &t);
    return std::string(text.data(), n);
}

} // namespace

std::string logSeparator(const AppSettings& settings)
{
    return settings.flag(Booleans::kLogTabSeparator) ? "\t" : ", ";
}

std::size_t logBufferLimit(const AppSettings& settings)
{
    switch (settings.logFileBuffer) {
    case 0:
        return 0;
    case 1:
        return 256;
    default:
        return 1024;
    }
}

std::string logRecord(const std::tm& now, const std::string& separator, const std::string& data)
{
    return formatTime(now, "%c") + separator + data + "\r\n";
}

std::string logFileName(const AppSettings& settings, const std::string& meterName,
                        const std::tm& now)
{
    std::string name = settings.logFilesFolder + meterName + " Log";
    if (!settings.remoteComputer.empty()) {
        const std::size_t start = settings.remoteComputer.find_first_not_of('\\');
        if (start != std::string::npos)
            name += " for " + settings.remoteComputer.substr(start);
    }
    if (settings.flag(Booleans::kLogDateInFileName))
        name += " " + formatTime(now, "%m-%d-%y");
    name += settings.flag(Booleans::kLogCsvExtension) ? ".csv" : ".txt";
    return name;
}

MeterLogFile::MeterLogFile(const AppSettings& settings, std::string meterName,
                           LogFileWriter& writer, const WallClock& clock)
    : settings_(settings), meterName_(std::move(meterName)), writer_(writer), clock_(clock)
{
}

void MeterLogFile::appendLine(const std::string& data)
{
    buffer_ += logRecord(clock_.localTime(), logSeparator(settings_), data);
    if (buffer_.size() > logBufferLimit(settings_))
        flush();
}

bool MeterLogFile::flush()
{
    if (buffer_.empty())
        return true;
    // The date is that of writing, so a daily file receives what is written that day.
    const std::string path = logFileName(settings_, meterName_, clock_.localTime());
    const std::optional<std::size_t> written = writer_.append(path, buffer_);
    if (written)
        buffer_.erase(0, std::min(*written, buffer_.size()));
    if (buffer_.empty())
        return true;
    dropOldestBeyondAllowance();
    return false;
}

void MeterLogFile::dropOldestBeyondAllowance()
{
    if (buffer_.size() <= kMaxPending)
        return;
    // Cut at a record boundary so the file never receives half a record.
    const std::size_t excess = buffer_.size() - kMaxPending;
    const std::size_t end = buffer_.find("\r\n", excess > 0 ? excess - 1 : 0);
    buffer_.erase(0, end == std::string::npos ? buffer_.size() : end + 2);
}
