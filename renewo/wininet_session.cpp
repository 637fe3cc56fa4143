#include "renewo/wininet_session.h"

namespace renewo {

namespace {

// Without them a server that accepts the connection and then says nothing keeps the
// caller's window frozen for as long as the system's defaults allow. URL handles take
// them from the session on Windows; they are set on each again for the body reads, as
// Wine keeps the send and receive time-outs per request.
void setServerTimeouts(HINTERNET h)
{
    for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                               INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        DWORD ms = kServerTimeoutMs;
        InternetSetOptionA(h, option, &ms, sizeof ms);
    }
}

} // namespace

bool WinInetFile::statusCode(std::uint32_t& code)
{
    return numberHeader(HTTP_QUERY_STATUS_CODE, code);
}

bool WinInetFile::contentLength(std::uint32_t& length)
{
    return numberHeader(HTTP_QUERY_CONTENT_LENGTH, length);
}

// Asks only for what has arrived: InternetReadFile on its own waits until the whole
// buffer is full, however slowly the server sends it.
bool WinInetFile::read(char* buffer, std::uint32_t size, std::uint32_t& got)
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

bool WinInetFile::numberHeader(DWORD query, std::uint32_t& number)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!HttpQueryInfoA(h_.get(), query | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) {
        return false;
    }
    number = value;
    return true;
}

WinInetSession::WinInetSession()
    : internet_(InternetOpenA("Renewo", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0))
{
    if (internet_.get()) {
        setServerTimeouts(internet_.get());
    }
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
    setServerTimeouts(h);
    return std::make_unique<WinInetFile>(h);
}

} // namespace renewo
