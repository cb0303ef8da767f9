#pragma once
// Sockets on 127.0.0.1 for tests of failing transfers: a port that accepts
// connections and never answers, and one where nothing listens. cpp-httplib
// brings the socket headers of the platform (and starts Windows sockets).

#include <httplib.h>

#include <stdexcept>
#include <string>

namespace pk10::test {

inline void CloseSocket(socket_t socket) {
#ifdef _WIN32
    closesocket(socket);
#else
    close(socket);
#endif
}

// A socket bound to a free port on 127.0.0.1 and listening.
class ListeningSocket {
  public:
    ListeningSocket() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t size = sizeof address;
        if (fd_ == INVALID_SOCKET ||
            bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            throw std::runtime_error("cannot bind a test socket");
        }
        port_ = ntohs(address.sin_port);
    }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;
    ~ListeningSocket() { Close(); }

    // Accepts connections into the backlog and never answers them.
    void Listen() {
        if (listen(fd_, 16) != 0) {
            throw std::runtime_error("cannot listen on a test socket");
        }
    }
    void Close() {
        if (fd_ != INVALID_SOCKET) {
            CloseSocket(fd_);
            fd_ = INVALID_SOCKET;
        }
    }
    int port() const { return port_; }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  private:
    socket_t fd_ = INVALID_SOCKET;
    int port_ = 0;
};

// The address of a port on 127.0.0.1 where nothing listens: bound, noted, closed.
inline std::string RefusedBaseUrl() {
    ListeningSocket socket;
    return socket.BaseUrl();
}

}  // namespace pk10::test
