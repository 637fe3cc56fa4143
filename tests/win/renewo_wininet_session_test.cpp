// The WinInet side of the update checker against a one-shot web server of the test's
// own on 127.0.0.1.
// Winsock 2 before the internet client's header, which brings in windows.h.
#include <winsock2.h>

#include "renewo/wininet_session.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

// Accepts one connection, reads the request and answers with the given response.
class OneShotServer {
public:
    explicit OneShotServer(std::string response) : response_(std::move(response))
    {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
        listen(listener_, 1);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~OneShotServer()
    {
        closesocket(listener_);
        thread_.join();
        WSACleanup();
    }
    std::string url(const char* path) const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    void serve()
    {
        const SOCKET peer = accept(listener_, nullptr, nullptr);
        if (peer == INVALID_SOCKET) {
            return;
        }
        std::string request;
        char buffer[1024];
        int n = 0;
        while (request.find("\r\n\r\n") == std::string::npos &&
               (n = recv(peer, buffer, sizeof buffer, 0)) > 0) {
            request.append(buffer, n);
        }
        send(peer, response_.data(), static_cast<int>(response_.size()), 0);
        shutdown(peer, SD_SEND);
        closesocket(peer);
    }

    std::string response_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::thread thread_;
};

DWORD option(HINTERNET h, DWORD which)
{
    DWORD ms = 0;
    DWORD size = sizeof ms;
    return InternetQueryOptionA(h, which, &ms, &size) ? ms : 0;
}

} // namespace

// Wine answers queries for the connect time-out only; the send and receive time-outs
// are set by the same call.
TEST(renewoWinInetSession, waitsOnTheServerAtMostThirtySeconds)
{
    OneShotServer server("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    renewo::WinInetSession session;
    ASSERT_TRUE(session.isOpen());
    EXPECT_EQ(option(session.handle(), INTERNET_OPTION_CONNECT_TIMEOUT), renewo::kServerTimeoutMs);

    std::unique_ptr<renewo::HttpFile> file = session.open(server.url("/version.txt"));
    ASSERT_TRUE(file);
    const HINTERNET h = dynamic_cast<renewo::WinInetFile&>(*file).handle();
    EXPECT_EQ(option(h, INTERNET_OPTION_CONNECT_TIMEOUT), renewo::kServerTimeoutMs);
}

TEST(renewoWinInetSession, reportsTheStatusAndReadsTheBody)
{
    OneShotServer server(
        "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\nContent-Type: text/html\r\n\r\nnot found");
    renewo::WinInetSession session;
    std::unique_ptr<renewo::HttpFile> file = session.open(server.url("/setup.exe"));
    ASSERT_TRUE(file);
    std::uint32_t status = 0;
    ASSERT_TRUE(file->statusCode(status));
    EXPECT_EQ(status, 404u);
    char body[64];
    std::uint32_t got = 0;
    ASSERT_TRUE(renewo::readFully(*file, body, sizeof body, got));
    EXPECT_EQ(std::string(body, got), "not found");
}
