// pk10plan --headless with a fast refresh clock against a server that keeps
// publishing draws: merges reach the panes and the files, and a stop signal
// ends the run at once.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/ListeningSocket.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Reads stdout until `count` blocks with `header` have been printed.
bool WaitForBlocks(ChildProcess& process, const std::string& header, std::size_t count,
                   std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::size_t seen = 0;
    while (seen < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const auto line = process.ReadLine(std::max(left, 0ms));
        if (!line) {
            return false;
        }
        if (*line == header) {
            ++seen;
        }
    }
    return true;
}

TEST(HeadlessRefresh, MergesReachThePanesAndTheFilesAndSigtermStopsAtOnce) {
    FeedSim sim({"--interval", "0.3"});
    TempDir dir;
    ChildProcess process(Pk10Binary(),
                         Pk10Options({"--results-server", sim.base(), "--maker-server", sim.base(),
                                      "--refresh-ms", "300"},
                                     dir.path()));
    // The start-up listing, then three merges.
    ASSERT_TRUE(WaitForBlocks(process, "== draw pane ==", 4, 30s)) << process.Stdout();
    // Let the recompute of the last merge print its pane.
    ASSERT_TRUE(WaitForBlocks(process, "== plan pane ==", 1, 10s)) << process.Stdout();

    const auto stopAt = Clock::now();
    ASSERT_TRUE(process.Signal(SIGTERM));
    const auto status = process.Wait(10s);
    const auto stopTook = Clock::now() - stopAt;
    ASSERT_TRUE(status) << "still running 10 s after SIGTERM";
    EXPECT_TRUE(status->ExitedWith(0)) << *status << "\n" << process.Stderr();
    EXPECT_LT(stopTook, 1500ms);

    const std::string out = process.Stdout();
    const auto listings = Blocks(out, "== draw pane ==");
    ASSERT_GE(listings.size(), 4U);
    // Each merge adds the new draw at the bottom, newer than the one before.
    std::string previous;
    for (std::size_t i = 0; i < listings.size(); ++i) {
        ASSERT_FALSE(listings[i].empty()) << "listing " << i;
        const std::string newest = listings[i].back();
        ASSERT_TRUE(IsDrawLine(newest)) << "listing " << i << ": " << newest;
        if (!previous.empty()) {
            EXPECT_GT(PeriodOf(newest), PeriodOf(previous)) << "listing " << i;
            EXPECT_EQ(listings[i][listings[i].size() - 2], previous) << "listing " << i;
        }
        previous = newest;
    }
    // data1.txt follows the newest merged draw.
    EXPECT_EQ(ReadFileBytes(dir / "data1.txt"), previous);

    // The last pane printed: Position 1's plans, whose newest line is saved in
    // Position 1's file.
    const auto panes = Blocks(out, "== plan pane ==");
    ASSERT_GE(panes.size(), 5U);
    std::string newestPlan;
    for (const std::string& line : panes.back()) {
        if (!line.empty()) {
            newestPlan = line;
        }
    }
    ASSERT_EQ(newestPlan.rfind("冠军计划", 0), 0U) << newestPlan;
    const auto gbk = ToGbk(newestPlan);
    ASSERT_TRUE(gbk);
    EXPECT_NE(ReadFileBytes(DayFile(dir.path(), "h1", TodayText())).find(*gbk), std::string::npos)
        << newestPlan;
}

TEST(HeadlessRefresh, SigintDuringAStuckTransferStopsAtOnce) {
    ListeningSocket silent;
    silent.Listen();
    FeedSim sim({"--interval", "0"});
    TempDir dir;
    // The maker answers; the results server never does, so the text feed hangs.
    ChildProcess process(Pk10Binary(), Pk10Options({"--results-server", silent.BaseUrl(),
                                                    "--maker-server", sim.base()},
                                                   dir.path()));
    ASSERT_TRUE(WaitForOutput(process, "banner: ", 20s)) << process.Stdout();
    std::this_thread::sleep_for(300ms);  // the transfer is under way
    const auto stopAt = Clock::now();
    ASSERT_TRUE(process.Signal(SIGINT));
    const auto status = process.Wait(10s);
    ASSERT_TRUE(status) << "still running 10 s after SIGINT";
    EXPECT_TRUE(status->ExitedWith(0)) << *status << "\n" << process.Stderr();
    EXPECT_LT(Clock::now() - stopAt, 1500ms);
}

}  // namespace
}  // namespace pk10::test
