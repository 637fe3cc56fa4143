#pragma once
// Appends log text to files on disk.
#include "meter/volumes/log_file.h"

class WinLogFileWriter : public LogFileWriter {
public:
    std::optional<std::size_t> append(const std::string& path, const std::string& data) override;
};
