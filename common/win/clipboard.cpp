#include "common/win/clipboard.h"

#include <cstring>

namespace {

// Open for the scope; closed on every path.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope()
    {
        if (open_)
            CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// Movable memory holding the text and its terminator; null when it cannot be had.
HGLOBAL copyToGlobal(const std::string& text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr)
        return nullptr;
    void* bytes = GlobalLock(memory);
    if (bytes == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    return memory;
}

} // namespace

bool putClipboardText(HWND owner, const std::string& text)
{
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open())
        return false;
    HGLOBAL memory = copyToGlobal(text);
    if (memory == nullptr)
        return false;
    EmptyClipboard();
    // Once set, the clipboard owns the memory; only a refused one is ours to free.
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);
        return false;
    }
    return true;
}
