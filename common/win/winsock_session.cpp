#include "common/win/winsock_session.h"

WinsockSession::WinsockSession()
{
    started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0;
    // A system that offers only an older version still answers with success.
    if (started_ && data_.wVersion != MAKEWORD(2, 2)) {
        WSACleanup();
        started_ = false;
    }
}

WinsockSession::~WinsockSession()
{
    if (started_)
        WSACleanup();
}
