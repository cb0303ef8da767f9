#pragma once
// A real HTTP server on 127.0.0.1 for tests: cpp-httplib on a free port, run on
// its own thread, stopped by the destructor.

#include <httplib.h>

#include <chrono>
#include <chrono>
#include <string>
#include <thread>

namespace pk10::test {

class LocalHttpServer {
public:
    LocalHttpServer() = default;
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;
    ~LocalHttpServer() { Stop(); }

    // Register handlers before Start().
    httplib::Server& server() { return server_; }

    // Binds a free port on 127.0.0.1 and starts serving; returns the base URL "http://127.0.0.1:N/".
    std::string Start() {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // The installed cpp-httplib (0.11) has no wait_until_ready(): wait for the
        // listening loop to run.
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return BaseUrl();
    }

    void Stop() {
        if (thread_.joinable()) {
            server_.stop();
            thread_.join();
        }
    }

    int port() const { return port_; }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
};

}  // namespace pk10::test
