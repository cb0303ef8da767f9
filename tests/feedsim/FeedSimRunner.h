#pragma once
// Runs the real feed-sim binary for a test: started on a free port, its first
// output line read to learn the port, and HTTP clients for it. Also the checks
// that several tests make on what it serves.

#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/ChildProcess.h"

namespace pk10::test {

inline std::string FeedSimBinary() {
    return PK10_BINARY_DIR "/tools/feed-sim/feed-sim";
}

class FeedSim {
  public:
    // Starts feed-sim with `args` plus "--port 0". Throws when it does not print its
    // listening line within ten seconds.
    explicit FeedSim(std::vector<std::string> args)
        : process_(FeedSimBinary(), WithFreePort(std::move(args))) {
        const std::string prefix = "feed-sim listening on http://127.0.0.1:";
        const auto line = process_.ReadLine(std::chrono::seconds(10));
        if (!line || line->rfind(prefix, 0) != 0 || line->back() != '/') {
            process_.Stop();
            throw std::runtime_error("feed-sim did not start: first line '" + line.value_or("") +
                                     "', stderr: " + process_.Stderr());
        }
        port_ = std::stoi(line->substr(prefix.size()));
    }

    int port() const { return port_; }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
    ChildProcess& process() { return process_; }

    httplib::Client Client() const {
        httplib::Client client("127.0.0.1", port_);
        client.set_connection_timeout(std::chrono::seconds(5));
        client.set_read_timeout(std::chrono::seconds(10));
        return client;
    }

    // The body of a GET that must answer 200; empty with `ok` false otherwise.
    std::string Body(const std::string& path, bool* ok = nullptr) const {
        auto client = Client();
        const auto res = client.Get(path);
        const bool good = res && res->status == 200;
        if (ok != nullptr) {
            *ok = good;
        }
        return good ? res->body : std::string();
    }

  private:
    static std::vector<std::string> WithFreePort(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", "0"});
        return args;
    }

    ChildProcess process_;
    int port_ = 0;
};

// Splits a body whose every line ends with CR LF; nothing when a line ends
// otherwise (a bare LF, a stray CR, or a last line without CR LF).
inline std::optional<std::vector<std::string>> SplitCrLfLines(const std::string& body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        const auto end = body.find("\r\n", start);
        if (end == std::string::npos) {
            return std::nullopt;
        }
        std::string line = body.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) {
            return std::nullopt;
        }
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return lines;
}

// A draw line: six digits, then ten times a space and "01".."10", each car once.
inline bool IsDrawLine(const std::string& line) {
    if (line.size() != 36 || line.find_first_not_of("0123456789", 0) < 6) {
        return false;
    }
    unsigned seen = 0;
    for (int place = 0; place < 10; ++place) {
        const std::size_t at = 6 + 3 * static_cast<std::size_t>(place);
        if (line[at] != ' ') {
            return false;
        }
        const std::string car = line.substr(at + 1, 2);
        if (car.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        const int number = std::stoi(car);
        if (number < 1 || number > 10 || (seen & (1U << number)) != 0) {
            return false;
        }
        seen |= 1U << number;
    }
    return true;
}

inline std::uint32_t PeriodOf(const std::string& line) {
    return static_cast<std::uint32_t>(std::stoul(line.substr(0, 6)));
}

// The period after `period`; 999999 is followed by 000000.
inline std::uint32_t NextPeriod(std::uint32_t period) {
    return (period + 1) % 1000000;
}

// The first line that breaks "well-formed, newest first, consecutive periods",
// or -1 when every line keeps to it.
inline int FirstBadFeedLine(const std::vector<std::string>& newestFirst) {
    for (std::size_t i = 0; i < newestFirst.size(); ++i) {
        if (!IsDrawLine(newestFirst[i])) {
            return static_cast<int>(i);
        }
        if (i > 0 && PeriodOf(newestFirst[i - 1]) != NextPeriod(PeriodOf(newestFirst[i]))) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The newest draw line of an XML feed body, read as pk10plan reads it: the lines
// joined without their CR and LF, and the 36 characters after the first '='.
inline std::string XmlNewestLine(const std::string& body) {
    std::string joined;
    for (const char c : body) {
        if (c != '\r' && c != '\n') {
            joined += c;
        }
    }
    const auto eq = joined.find('=');
    return eq == std::string::npos ? std::string() : joined.substr(eq + 1, 36);
}

}  // namespace pk10::test
