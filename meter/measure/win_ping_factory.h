#pragma once
// The ping network of Windows for code that includes <windows.h> before it could
// include Winsock 2's header.
#include "meter/measure/ping_network.h"

#include <memory>

// winsockStarted: whether the program's Winsock session started.
std::unique_ptr<PingNetwork> makeWinPingNetwork(bool winsockStarted);
