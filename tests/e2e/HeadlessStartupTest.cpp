// pk10plan --headless against the real local server: the start-up with --once,
// the files it leaves, a restart on the same day, and an unreachable server.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "support/ListeningSocket.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

// The exit status of --once when the start-up got no draws from the results server.
constexpr int kNoDraws = 3;

// Runs pk10plan --once to its end; fails the test when it does not end in time.
struct OnceRun {
    std::string out;
    std::string err;
    std::optional<ExitStatus> status;
};

OnceRun RunOnce(const std::vector<std::string>& args, const std::filesystem::path& workDir,
                std::chrono::milliseconds timeout = 60s) {
    std::vector<std::string> all = args;
    all.push_back("--once");
    ChildProcess process(Pk10Binary(), Pk10Options(all, workDir));
    OnceRun run;
    run.status = process.Wait(timeout);
    if (!run.status) {
        process.Stop(SIGKILL);
    }
    run.out = process.Stdout();
    run.err = process.Stderr();
    return run;
}

TEST(HeadlessStartup, OnceWritesTheFilesAndPrintsPositionOnesPlans) {
    FeedSim sim({"--interval", "0"});
    TempDir dir;
    const OnceRun run =
        RunOnce({"--results-server", sim.base(), "--maker-server", sim.base()}, dir.path());
    ASSERT_TRUE(run.status) << "did not end; stdout:\n" << run.out;
    ASSERT_TRUE(run.status->ExitedWith(0)) << *run.status << "\nstderr:\n" << run.err;

    // The waiting message comes first, then the draw listing and the plans.
    const auto panes = Blocks(run.out, "== plan pane ==");
    ASSERT_GE(panes.size(), 2U) << run.out;
    EXPECT_EQ(panes.front(), (std::vector<std::string>{"", "正在连接服务器，请稍等片刻！！"}));

    // The draw pane lists the newest 20 draws, the newest at the bottom.
    const std::vector<std::string> feed = SplitLines(sim.Body("/pk10.txt"));
    ASSERT_GE(feed.size(), 30U);
    const auto listings = Blocks(run.out, "== draw pane ==");
    ASSERT_EQ(listings.size(), 1U) << run.out;
    ASSERT_EQ(listings[0].size(), 20U);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(listings[0][19 - i].substr(0, 36), feed[i].substr(0, 36)) << "listing line " << i;
    }

    // data1.txt holds the newest draw.
    EXPECT_EQ(ReadFileBytes(dir / "data1.txt"), feed[0].substr(0, 36));

    // The last pane shows Position 1's plans only; its newest plan line is open.
    const std::vector<std::string>& plans = panes.back();
    std::vector<std::string> planLines;
    for (const std::string& line : plans) {
        if (!line.empty()) {
            planLines.push_back(line);
        }
    }
    ASSERT_GE(planLines.size(), 5U) << run.out;
    for (const std::string& line : planLines) {
        EXPECT_EQ(line.rfind("冠军计划", 0), 0U) << line;
    }
    EXPECT_EQ(planLines.back().find("期开"), std::string::npos) << planLines.back();

    // The ten per-day files of today, Position 1's holding its newest plan line.
    const std::string today = TodayText();
    for (const std::string& tag : DayFileTags()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(DayFile(dir.path(), tag, today))) << tag;
    }
    const auto newestGbk = ToGbk(planLines.back());
    ASSERT_TRUE(newestGbk);
    EXPECT_NE(ReadFileBytes(DayFile(dir.path(), "h1", today)).find(*newestGbk), std::string::npos);

    // The banner and the promotional link (the server's banner page by default).
    EXPECT_EQ(LinesStartingWith(run.out, "banner: "),
              std::vector<std::string>{"banner: " + sim.base() + "add/pk10add.html"});
    EXPECT_EQ(LinesStartingWith(run.out, "open: "),
              std::vector<std::string>{"open: " + sim.base() + "add/pk10add.html"});
    EXPECT_TRUE(LinesStartingWith(run.out, "message: ").empty()) << run.out;
}

// Splits a per-day file's plan block at its "<br>" separators.
std::vector<std::string> Entries(const std::string& bytes) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t at; (at = bytes.find("<br>", start)) != std::string::npos; start = at + 4) {
        entries.push_back(bytes.substr(start, at - start));
    }
    return entries;
}

TEST(HeadlessStartup, ARestartOnTheSameDayRestoresEveryBook) {
    FeedSim sim({"--interval", "0"});
    TempDir dir;
    const std::vector<std::string> args = {"--results-server", sim.base(), "--maker-server",
                                           sim.base()};
    const OnceRun first = RunOnce(args, dir.path());
    ASSERT_TRUE(first.status && first.status->ExitedWith(0)) << first.out << first.err;

    // Mark every book: the oldest plan line of each file is put in twice. A book
    // that is read back keeps the copy; a book made afresh would lose it.
    const std::string today = TodayText();
    std::vector<std::string> marked;
    for (const std::string& tag : DayFileTags()) {
        const auto file = DayFile(dir.path(), tag, today);
        std::vector<std::string> entries = Entries(ReadFileBytes(file));
        const auto oldest = std::find_if(entries.rbegin(), entries.rend(),
                                         [](const std::string& e) { return !e.empty(); });
        ASSERT_NE(oldest, entries.rend()) << tag << " holds no plan line";
        marked.push_back(*oldest);
        entries.insert(oldest.base(), *oldest);
        std::string bytes;
        for (const std::string& entry : entries) {
            bytes += entry + "<br>";
        }
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    }

    const OnceRun second = RunOnce(args, dir.path());
    ASSERT_TRUE(second.status && second.status->ExitedWith(0)) << second.out << second.err;
    for (std::size_t k = 0; k < DayFileTags().size(); ++k) {
        const std::string& tag = DayFileTags()[k];
        const std::vector<std::string> entries =
            Entries(ReadFileBytes(DayFile(dir.path(), tag, today)));
        EXPECT_EQ(std::count(entries.begin(), entries.end(), marked[k]), 2) << tag;
    }
    // Position 1's pane shows the restored book, copy included.
    const auto panes = Blocks(second.out, "== plan pane ==");
    ASSERT_FALSE(panes.empty());
    const auto firstPanes = Blocks(first.out, "== plan pane ==");
    EXPECT_EQ(panes.back().size(), firstPanes.back().size() + 1) << second.out;
}

// A start with the results server down writes day files without plans; a later
// start on the same day makes those plans afresh, as if the files were missing.
TEST(HeadlessStartup, AStartWithTheServerDownLeavesNoPositionWithoutPlans) {
    TempDir downFirst;
    const std::string refused = RefusedBaseUrl();
    const OnceRun down =
        RunOnce({"--results-server", refused, "--maker-server", refused}, downFirst.path(), 30s);
    ASSERT_TRUE(down.status && down.status->ExitedWith(kNoDraws)) << down.out << down.err;

    FeedSim sim({"--interval", "0"});
    const std::vector<std::string> args = {"--results-server", sim.base(), "--maker-server",
                                           sim.base()};
    const OnceRun up = RunOnce(args, downFirst.path());
    ASSERT_TRUE(up.status && up.status->ExitedWith(0)) << up.out << up.err;
    TempDir fresh;
    const OnceRun single = RunOnce(args, fresh.path());
    ASSERT_TRUE(single.status && single.status->ExitedWith(0)) << single.out << single.err;

    const std::string today = TodayText();
    for (const std::string& tag : DayFileTags()) {
        const std::string expected = ReadFileBytes(DayFile(fresh.path(), tag, today));
        EXPECT_NE(expected.find('<', 1), std::string::npos) << tag << " holds no plan line";
        EXPECT_EQ(ReadFileBytes(DayFile(downFirst.path(), tag, today)), expected) << tag;
    }
}

TEST(HeadlessStartup, AnUnreachableServerStartsKeepsData1AndEndsWithStatusThree) {
    for (const bool json : {false, true}) {
        TempDir dir;
        std::ofstream(dir / "data1.txt", std::ios::binary) << "previous";
        const std::string refused = RefusedBaseUrl();
        std::vector<std::string> args = {"--results-server", refused, "--maker-server", refused};
        if (json) {
            args.push_back("--json");
        }
        const auto started = std::chrono::steady_clock::now();
        const OnceRun run = RunOnce(args, dir.path(), 30s);
        ASSERT_TRUE(run.status) << "did not end; stdout:\n" << run.out;
        EXPECT_TRUE(run.status->ExitedWith(kNoDraws)) << *run.status << "\n" << run.err;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
        EXPECT_EQ(ReadFileBytes(dir / "data1.txt"), "previous");
        if (json) {
            EXPECT_NE(run.out.find(R"("type":"error")"), std::string::npos) << run.out;
            EXPECT_NE(run.out.find("text feed failed after 3 attempts: "), std::string::npos)
                << run.out;
            continue;
        }
        const auto panes = Blocks(run.out, "== plan pane ==");
        ASSERT_FALSE(panes.empty()) << run.out;
        EXPECT_EQ(panes.front(), (std::vector<std::string>{"", "正在连接服务器，请稍等片刻！！"}));
        EXPECT_TRUE(LinesStartingWith(run.out, "message: ").empty()) << run.out;
        EXPECT_TRUE(LinesStartingWith(run.out, "open: ").empty()) << run.out;
    }
}

TEST(HeadlessStartup, BadOptionsEndWithStatusTwoAndOneLine) {
    TempDir dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--results-server", "ftp://x/"},
          std::vector<std::string>{"--bogus"}, std::vector<std::string>{"--refresh-ms", "0"}}) {
        ChildProcess process(Pk10Binary(), Pk10Options(args, dir.path()));
        const auto status = process.Wait(10s);
        ASSERT_TRUE(status) << args[0];
        EXPECT_TRUE(status->ExitedWith(2)) << args[0] << ": " << *status;
        EXPECT_EQ(SplitLines(process.Stderr()).size(), 1U) << args[0] << ": " << process.Stderr();
        EXPECT_EQ(process.Stdout(), "") << args[0];
    }
    ChildProcess version(Pk10Binary(), std::vector<std::string>{"--version"});
    const auto status = version.Wait(10s);
    ASSERT_TRUE(status && status->ExitedWith(0));
    EXPECT_NE(version.Stdout().find("1.160601"), std::string::npos) << version.Stdout();
}

}  // namespace
}  // namespace pk10::test
