#pragma once
// What serving asks of the operating system's sockets. One implementation file
// per platform (ServerSocketPosix.cpp, ServerSocketWindows.cpp).

#include <httplib.h>

namespace feedsim {

// Keeps a client that goes away mid-answer from ending the server. Call from
// main() before any other thread exists.
void IgnoreBrokenConnections();

// Options of the listening socket: quick restarts on the same port, but never a
// second server sharing a taken port silently.
void SetListenOptions(socket_t sock);

}  // namespace feedsim
