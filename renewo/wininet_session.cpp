#include "renewo/wininet_session.h"

namespace renewo {

namespace {

class WinInetFile : public HttpFile {
public:
    explicit WinInetFile(HINTERNET h) : h_(h) {}

    bool contentLength(std::uint32_t& length) override
    {
        DWORD value = 0;
        DWORD size = sizeof value;
        if (!HttpQueryInfoA(h_.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &value,
                            &size, nullptr)) {
            return false;
        }
        length = value;
        return true;
    }

    // WinInet may hand out less than asked before the end of the body; only an empty
    // read means the end.
    bool read(char* buffer, std::uint32_t size, std::uint32_t& got) override
    {
        got = 0;
        while (got < size) {
            DWORD n = 0;
            if (!InternetReadFile(h_.get(), buffer + got, size - got, &n)) {
                return false;
            }
            if (n == 0) {
                break;
            }
            got += n;
        }
        return true;
    }

private:
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
