#include "mail/view/attachment_files_win.h"

#include "mail/view/message_texts.h"

#include <windows.h>

#include <algorithm>

namespace mail {
namespace {

constexpr char kHtmlFileName[] = "temp.html";

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

bool writeFileBytes(const std::string& path, const std::string& bytes)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool saveAttachment(const CMailMessage& message, std::size_t index, const std::string& folder)
{
    if (index >= message.attachmentCount())
        return false;
    return writeFileBytes(pathInFolder(folder, message.attachments()[index].fileName),
                          message.attachmentContent(index));
}

std::string programHtmlFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    return folder + "html\\";
}

std::string writeHtmlFolder(const CMailMessage& message, const std::string& folder)
{
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return std::string();
    for (std::size_t i = 0; i < message.attachmentCount(); ++i)
        saveAttachment(message, i, folder);
    // Last, so that an attachment that happens to share its name cannot replace it.
    const std::string file = pathInFolder(folder, kHtmlFileName);
    return writeFileBytes(file, messageHtmlFileText(message)) ? file : std::string();
}

} // namespace mail
