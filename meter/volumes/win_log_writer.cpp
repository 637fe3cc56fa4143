#include "meter/volumes/win_log_writer.h"

#include <windows.h>

#include <algorithm>

namespace {

// Closes the file on every way out.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle()
    {
        if (valid())
            CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

} // namespace

std::optional<std::size_t> WinLogFileWriter::append(const std::string& path,
                                                    const std::string& data)
{
    // Readers are welcome while we write; other writers are not.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return std::nullopt;
    if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return std::size_t{0};
    std::size_t total = 0;
    while (total < data.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(data.size() - total, 1u << 20));
        if (!WriteFile(file.get(), data.data() + total, chunk, &written, nullptr) || written == 0)
            break;
        total += written;
    }
    return total;
}
