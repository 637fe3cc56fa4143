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
    // The response's status code (200, 404, ...); false when the response has none.
    virtual bool statusCode(std::uint32_t& code) = 0;
    // The response's Content-Length as a number; false when the response has none.
    virtual bool contentLength(std::uint32_t& length) = 0;
    // Reads what has arrived, at most size bytes, waiting only until some is there: got
    // may be less than size before the end of the body, and is 0 only at its end. False
    // when the read itself failed.
    virtual bool read(char* buffer, std::uint32_t size, std::uint32_t& got) = 0;
};

// Reads until size bytes are in buffer or the body ends; false when a read failed.
bool readFully(HttpFile& file, char* buffer, std::uint32_t size, std::uint32_t& got);

class HttpSession {
public:
    virtual ~HttpSession() = default;
    // GET from the server (never from a cache); null when the address cannot be opened.
    virtual std::unique_ptr<HttpFile> open(const std::string& url) = 0;
};

} // namespace renewo
