#pragma once
// The HTTP seam: just what the update checker needs from an internet client. The
// Windows build implements it with WinInet; tests script the responses.
#include <cstdint>
#include <memory>
#include <string>

namespace renewo {

class HttpFile {
public:
    virtual ~HttpFile() = default;
    // The response's Content-Length as a number; false when the response has none.
    virtual bool contentLength(std::uint32_t& length) = 0;
    // Reads up to size bytes into buffer. got is less than size only at the end of the
    // body; false when the read itself failed.
    virtual bool read(char* buffer, std::uint32_t size, std::uint32_t& got) = 0;
};

class HttpSession {
public:
    virtual ~HttpSession() = default;
    // GET from the server (never from a cache); null when the address cannot be opened.
    virtual std::unique_ptr<HttpFile> open(const std::string& url) = 0;
};

} // namespace renewo
