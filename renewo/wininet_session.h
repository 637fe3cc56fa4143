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

class WinInetSession : public HttpSession {
public:
    // User agent: the library's base name; the system's proxy settings.
    WinInetSession();
    bool isOpen() const { return internet_.get() != nullptr; }
    std::unique_ptr<HttpFile> open(const std::string& url) override;

private:
    InternetHandle internet_;
};

} // namespace renewo
