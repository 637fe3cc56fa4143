#include "renewo/wininet_session.h"

namespace renewo {

namespace {

class WinInetFile : public HttpFile {
public:
    explicit WinInetFile(HINTERNET h) : h_(h) {}

    bool statusCode(std::uint32_t& code) override
    {
        return numberHeader(HTTP_QUERY_STATUS_CODE, code);
    }

    bool contentLength(std::uint32_t& length) override
    {
        return numberHeader(HTTP_QUERY_CONTENT_LENGTH, length);
    }

    // Asks only for what has arrived: InternetReadFile on its own waits until the whole
    // buffer is full, however slowly the server sends it.
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override
    {
        got = 0;
        DWORD available = 0;
        if (!InternetQueryDataAvailable(h_.get(), &available, 0, 0)) {
            return false;
        }
        if (available == 0 || size == 0) {
            return true;
        }
        DWORD n = 0;
        if (!InternetReadFile(h_.get(), buffer, available < size ? available : size, &n)) {
            return false;
        }
        got = n;
        return true;
    }

private:
    bool numberHeader(DWORD query, std::uint32_t& number)
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (!HttpQueryInfoA(h_.get(), query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
            return false;
        }
        number = value;
        return true;
    }

    InternetHandle h_;
};

} // namespace

WinInetSession::WinInetSession()
    : internet_(InternetOpenA("Renewo", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0))
{
}

std::unique_ptr<HttpFile> WinInetSession::open(const std::string& url)
{
    if (!internet_.get()) {
        return nullptr;
    }
    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PASSIVE | INTERNET_FLAG_TRANSFER_BINARY;
    HINTERNET h = InternetOpenUrlA(internet_.get(), url.c_str(), nullptr, 0, flags, 1);
    if (!h) {
        return nullptr;
    }
    return std::make_unique<WinInetFile>(h);
}

} // namespace renewo
