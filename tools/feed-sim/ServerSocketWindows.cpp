#include "ServerSocket.h"

namespace feedsim {

// Windows sockets raise no signal for a closed connection; a failed send is an
// error code.
void IgnoreBrokenConnections() {}

void SetListenOptions(socket_t sock) {
    // Windows binds a port whose old connections linger without being asked;
    // SO_REUSEADDR there would let a second server take the port over, so the
    // port is claimed for this server alone.
    const BOOL yes = TRUE;
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
               sizeof yes);
}

}  // namespace feedsim
