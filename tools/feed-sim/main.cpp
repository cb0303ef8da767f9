// feed-sim: a local stand-in for the draw results server and the maker's server
// that pk10plan talks to. See FeedSimUsage() for what it serves.

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "DefaultDraws.h"
#include "DrawBoard.h"
#include "FeedRoutes.h"
#include "FeedSimOptions.h"
#include "ReplayDraws.h"
#include "SeededDraws.h"
#include "ServerSocket.h"
#include "cli/CommandLine.h"
#include "cli/StopSignalWaiter.h"

namespace feedsim {
namespace {

constexpr int kExitBadOptions = 2;
constexpr int kExitFailure = 1;
constexpr std::size_t kKeptDraws = 200;

int Fail(int status, const std::string& message) {
    std::cerr << "feed-sim: " << message << '\n';
    return status;
}

// The host part of this server's own addresses.
std::string UrlHost(const std::string& bind) {
    if (bind == "0.0.0.0" || bind.empty()) {
        return "127.0.0.1";
    }
    if (bind == "::") {
        return "[::1]";
    }
    return bind.find(':') != std::string::npos ? "[" + bind + "]" : bind;
}

// With no period given, replayed draws are numbered from the clock, one period a
// minute, so that a restarted server goes on with newer periods than before.
std::uint32_t FirstPeriod(const FeedSimOptions& options) {
    if (options.firstPeriod) {
        return *options.firstPeriod;
    }
    if (options.seed) {
        return kSeededFirstPeriod;
    }
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    const std::uint64_t newest = static_cast<std::uint64_t>(minutes) % kPeriodModulus;
    const std::uint64_t back = static_cast<std::uint64_t>(options.initial - 1) % kPeriodModulus;
    return static_cast<std::uint32_t>((newest + kPeriodModulus - back) % kPeriodModulus);
}

int Run(const FeedSimOptions& options) {
    std::unique_ptr<DrawSource> source;
    std::string sourceText;
    if (options.seed) {
        source = std::make_unique<SeededDraws>(*options.seed);
        sourceText = "random draws from seed " + std::to_string(*options.seed);
    } else {
        LoadedDraws loaded = LoadDrawsFile(options.drawsFile);
        if (!loaded.error.empty()) {
            return Fail(kExitBadOptions, loaded.error);
        }
        sourceText = "replaying " + std::to_string(loaded.oldestFirst.size()) + " draws of " +
                     options.drawsFile;
        source = std::make_unique<ReplayDraws>(std::move(loaded.oldestFirst));
    }

    // The clock is off when polls publish, so every poll gives exactly the next period.
    const double interval = options.publishOnPoll ? 0.0 : options.intervalSeconds;
    const std::uint32_t firstPeriod = FirstPeriod(options);
    DrawBoard board(*source, {firstPeriod, options.initial, kKeptDraws, interval},
                    DrawBoard::Clock::now());

    httplib::Server server;
    // The server's phase as the stop signal sees it. httplib ignores stop() until
    // its accept loop runs, so a signal that comes early waits for the loop (or
    // for the end) before stopping it; the watcher touches the server only once
    // the main thread has finished setting it up.
    enum Phase { kSettingUp, kListening, kEnded };
    std::atomic<Phase> phase{kSettingUp};
    pk10::StopSignalWaiter watcher([&server, &phase](int) {
        while (phase == kSettingUp || (phase == kListening && !server.is_running())) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (phase == kListening) {
            server.stop();
        }
    });

    // A connection kept alive holds the stop up for at most this long.
    server.set_keep_alive_timeout(1);
    server.set_socket_options(&SetListenOptions);
    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port(options.bind);
    } else if (!server.bind_to_port(options.bind, port)) {
        port = -1;
    }
    if (port <= 0) {
        phase = kEnded;
        return Fail(kExitFailure,
                    "cannot listen on " + options.bind + " port " + std::to_string(options.port));
    }

    const std::string base = "http://" + UrlHost(options.bind) + ":" + std::to_string(port) + "/";
    const MakerFiles maker{options.versionStamp,
                           options.promoUrl ? *options.promoUrl : base + "add/pk10add.html"};
    AddFeedRoutes(server, board, maker, {options.publishOnPoll});

    std::cout << "feed-sim listening on " << base << std::endl;
    std::ostringstream about;
    about << "feed-sim: " << sourceText << ", first period " << FormatPeriod(firstPeriod) << ", "
          << options.initial << " draws at start, ";
    if (options.publishOnPoll) {
        about << "a new draw on every poll";
    } else if (interval > 0) {
        about << "a new draw every " << interval << " s";
    } else {
        about << "no new draws";
    }
    std::cerr << about.str() << std::endl;

    phase = kListening;
    const bool listened = server.listen_after_bind();
    phase = kEnded;
    if (watcher.Signalled()) {
        return 0;
    }
    return listened ? 0 : Fail(kExitFailure, "the server stopped unexpectedly");
}

}  // namespace
}  // namespace feedsim

int main(int argc, char** argv) {
    feedsim::IgnoreBrokenConnections();
    const pk10::cli::Utf8Console console;
    const std::vector<std::string> args = pk10::cli::ProgramArguments(argc, argv);
    const feedsim::ParsedOptions parsed =
        feedsim::ParseFeedSimOptions(args, feedsim::DefaultDrawsFile(FEEDSIM_DEFAULT_DRAWS));
    if (!parsed.error.empty()) {
        std::cerr << "feed-sim: " << parsed.error << " (see --help)\n";
        return 2;
    }
    if (parsed.options.help) {
        std::cout << feedsim::FeedSimUsage();
        return 0;
    }
    return feedsim::Run(parsed.options);
}
