#include "mail/account_files_win.h"

#include <windows.h>

namespace mail {

namespace {

constexpr char kTemporarySuffix[] = ".new";
constexpr DWORD kLargestWrite = 1u << 20;

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { closeNow(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool closeNow()
    {
        const bool ok = !valid() || CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD piece = left > kLargestWrite ? kLargestWrite : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written != piece) {
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

bool WinAccountFiles::read(const std::string& path, std::string& bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kLargestAccountFile) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD piece = left > kLargestWrite ? kLargestWrite : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(file.get(), &bytes[done], piece, &got, nullptr) || got == 0) {
            bytes.clear();
            return false;
        }
        done += got;
    }
    return true;
}

bool WinAccountFiles::replace(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + kTemporarySuffix;
    FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get()) != 0;
    if (!file.closeNow() || !written ||
        !MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

bool WinAccountFiles::keepAside(const std::string& path, const std::string& aside)
{
    return MoveFileExA(path.c_str(), aside.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace mail
