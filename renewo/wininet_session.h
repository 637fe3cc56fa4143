#pragma once
// The HTTP seam on WinInet: one internet handle for the whole check, one URL handle
// per file, both closed by their owners.
#include "renewo/http_session.h"

#include <windows.h>
#include <wininet.h>

namespace renewo {

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h = nullptr) : h_(h) {}
    ~InternetHandle()
    {
        if (h_) {
            InternetCloseHandle(h_);
        }
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return h_; }

private:
    HINTERNET h_;
};

// One response: its status, its length and its body.
class WinInetFile : public HttpFile {
public:
    explicit WinInetFile(HINTERNET h) : h_(h) {}
    bool statusCode(std::uint32_t& code) override;
    bool contentLength(std::uint32_t& length) override;
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override;
    HINTERNET handle() const { return h_.get(); }

private:
    bool numberHeader(DWORD query, std::uint32_t& number);
    InternetHandle h_;
};

// Each wait on the server (connecting, sending, receiving) ends after this long.
constexpr DWORD kServerTimeoutMs = 30000; // milliseconds

class WinInetSession : public HttpSession {
public:
    // User agent: the library's base name; the system's proxy settings; the server
    // time-outs.
    WinInetSession();
    bool isOpen() const { return internet_.get() != nullptr; }
    HINTERNET handle() const { return internet_.get(); }
    std::unique_ptr<HttpFile> open(const std::string& url) override;

private:
    InternetHandle internet_;
};

} // namespace renewo
