#include "common/win/winsock_session.h"

#include <gtest/gtest.h>

TEST(winsockSession, socketsWorkWhileItLastsAtVersionTwoTwo)
{
    WinsockSession session;
    ASSERT_TRUE(session.started());
    EXPECT_EQ(session.data().wVersion, MAKEWORD(2, 2));

    // A socket bound to loopback: the things the ping meter and the plug-in do first.
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    ASSERT_NE(s, INVALID_SOCKET) << WSAGetLastError();
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    closesocket(s);
}

TEST(winsockSession, nestedSessionsLeaveTheOuterOneStarted)
{
    WinsockSession outer;
    ASSERT_TRUE(outer.started());
    {
        WinsockSession inner;
        EXPECT_TRUE(inner.started());
    }
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    EXPECT_NE(s, INVALID_SOCKET) << WSAGetLastError();
    if (s != INVALID_SOCKET)
        closesocket(s);
}
