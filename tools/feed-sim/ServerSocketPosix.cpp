#include <signal.h>
#include <sys/socket.h>

#include "ServerSocket.h"

namespace feedsim {

void IgnoreBrokenConnections() {
    signal(SIGPIPE, SIG_IGN);
}

void SetListenOptions(socket_t sock) {
    // httplib's default options add SO_REUSEPORT, which would let a second server
    // share a taken port silently; only SO_REUSEADDR is wanted (quick restarts).
    const int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

}  // namespace feedsim
