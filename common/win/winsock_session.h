#pragma once
// Windows Sockets for the life of the program. The ping meter and the mail plug-in,
// which lives in this process, open sockets without starting Winsock themselves.
#include <winsock2.h>

class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    // False when Winsock 2.2 could not be started; sockets then fail as they would.
    bool started() const { return started_; }
    const WSADATA& data() const { return data_; }

private:
    WSADATA data_{};
    bool started_ = false;
};
