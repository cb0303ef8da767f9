// The feed-sim process: help, refused options, listening ports, stopping on
// signals.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

int LineCount(const std::string& text) {
    int count = 0;
    for (const char c : text) {
        count += c == '\n';
    }
    return count;
}

TEST(FeedSimProcess, HelpListsTheOptionsAndExitsZero) {
    ChildProcess process(FeedSimBinary(), {"--help"});
    const auto status = process.Wait(10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->ExitedWith(0)) << *status;
    for (const std::string option :
         {"--port", "--bind", "--interval", "--seed", "--draws", "--version", "--promo-url",
          "--initial", "--first-period", "--publish-on-poll", "--help"}) {
        EXPECT_NE(process.Stdout().find(option), std::string::npos) << option;
    }
}

TEST(FeedSimProcess, BadOptionsGiveOneErrorLineAndExitStatusTwo) {
    TempDir dir;
    std::ofstream(dir / "bad.txt") << "466281 08 07 01 03 02 09 05 06 10 04\n"
                                   << "466280 08 08 01 03 02 09 05 06 10 04\n";
    std::ofstream(dir / "empty.txt") << "# nothing but a comment\n";
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--port"},
        {"--port", "abc"},
        {"--port", "65536"},
        {"--port", "-1"},
        {"--interval", "-1"},
        {"--interval", "abc"},
        {"--interval", "0.0001"},
        {"--interval", "inf"},
        {"--seed", "x"},
        {"--seed", "-3"},
        {"--version", "2016a"},
        {"--initial", "-5"},
        {"--initial", "100001"},
        {"--first-period", "1000000"},
        {"--bind", ""},
        {"--publish-on-poll=yes"},
        {"--draws", (dir / "missing.txt").string()},
        {"--draws", (dir / "bad.txt").string()},
        {"--draws", (dir / "empty.txt").string()},
        {"positional"},
    };
    for (const auto& args : cases) {
        const std::string name = args.front() + (args.size() > 1 ? " " + args[1] : "");
        ChildProcess process(FeedSimBinary(), args);
        const auto status = process.Wait(10s);
        ASSERT_TRUE(status.has_value()) << name;
        EXPECT_TRUE(status->ExitedWith(2)) << name << ": " << *status;
        EXPECT_EQ(process.Stdout(), "") << name;
        EXPECT_EQ(LineCount(process.Stderr()), 1) << name << ": " << process.Stderr();
        EXPECT_EQ(process.Stderr().rfind("feed-sim: ", 0), 0u) << name;
    }
}

TEST(FeedSimProcess, StopsCleanlyOnSigintAndSigterm) {
    for (const int signal : {SIGINT, SIGTERM}) {
        FeedSim sim({"--interval", "0.1"});
        // A client with a kept-alive connection must not hold the stop up for long.
        auto client = sim.Client();
        client.set_keep_alive(true);
        ASSERT_TRUE(client.Get("/pk10.txt")) << strsignal(signal);
        ASSERT_TRUE(sim.process().Signal(signal));
        const auto status = sim.process().Wait(10s);
        ASSERT_TRUE(status.has_value()) << strsignal(signal) << ": still running";
        EXPECT_TRUE(status->ExitedWith(0)) << strsignal(signal) << ": " << *status;
    }
}

TEST(FeedSimProcess, StopsCleanlyOnASignalRightAfterStarting) {
    for (int run = 0; run < 5; ++run) {
        FeedSim sim({});
        const auto status = sim.process().Stop(SIGTERM, 10s);
        ASSERT_TRUE(status.has_value()) << "run " << run << ": still running";
        EXPECT_TRUE(status->ExitedWith(0)) << "run " << run << ": " << *status;
    }
}

TEST(FeedSimProcess, ListensOnTheGivenPortAndFailsWhenItIsTaken) {
    auto first = std::make_unique<FeedSim>(std::vector<std::string>{"--interval", "0"});
    const std::string port = std::to_string(first->port());

    ChildProcess taken(FeedSimBinary(), {"--port", port});
    const auto status = taken.Wait(10s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->ExitedWith(1)) << *status;
    EXPECT_NE(taken.Stderr().find("cannot listen"), std::string::npos) << taken.Stderr();

    ASSERT_TRUE(first->process().Stop().has_value());
    first.reset();
    ChildProcess again(FeedSimBinary(), {"--port", port, "--interval", "0"});
    EXPECT_EQ(again.ReadLine(10s).value_or(""),
              "feed-sim listening on http://127.0.0.1:" + port + "/")
        << again.Stderr();
}

}  // namespace
}  // namespace pk10::test
