#include "mail/log_file_win.h"

namespace mail {

std::unique_ptr<WinLogFile> WinLogFile::create(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::unique_ptr<WinLogFile>(new WinLogFile(file));
}

WinLogFile::~WinLogFile()
{
    CloseHandle(file_);
}

void WinLogFile::writeLine(const std::string& line)
{
    // One write per line: the log serialises its callers, so lines never interleave.
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string logFilePath(const std::string& folder, const std::string& hostName)
{
    return folder + hostName + "_MailLog.txt";
}

TimeOfDay localTimeOfDay()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

} // namespace mail
