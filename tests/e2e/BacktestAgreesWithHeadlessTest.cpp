// The backtest's plans are the live program's plans: the same real draws go
// through pk10plan --headless polling feed-sim (one new draw per poll) and
// through pk10plan --backtest, and every Position's settled plans agree line
// for line. The live run's ledger of today's settled plans holds the plans the
// backtest collects, and its last statistics line counts them.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/BacktestReport.h"
#include "app/HeadlessShell.h"
#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "stats/PlanStats.h"
#include "stats/SettledPlan.h"
#include "support/RealDraws.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

constexpr int kMerges = 45;
constexpr int kPositionOfTag[] = {1, 4, 5, 2, 3, 6, 7, 8, 9, 10};

// The CSV rows of `csv` by Position (the first field).
std::map<std::string, std::vector<std::string>> RowsByPosition(const std::string& csv) {
    std::map<std::string, std::vector<std::string>> rows;
    const std::vector<std::string> lines = SplitLines(csv);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        rows[lines[i].substr(0, lines[i].find(','))].push_back(lines[i]);
    }
    return rows;
}

TEST(BacktestAgreesWithHeadless, SameDrawsSamePlansLineForLine) {
    TempDir dir;
    const std::vector<std::string> real = RealDraws();
    const std::vector<std::string> draws(real.begin() + 500, real.begin() + 500 + 30 + kMerges);
    const std::filesystem::path drawFile = dir / "draws.txt";
    {
        std::ofstream out(drawFile);
        for (const std::string& line : draws) {
            out << line << "\n";
        }
    }
    const int newest = std::stoi(draws.front().substr(0, 6));

    // The live program: the text feed serves the oldest 30, each poll publishes the next.
    std::string lastStats;
    {
        FeedSim sim({"--draws", drawFile.string(), "--first-period", draws.back().substr(0, 6),
                     "--initial", "30", "--publish-on-poll"});
        std::filesystem::create_directories(dir / "live");
        ChildProcess live(Pk10Binary(),
                          Pk10Options({"--results-server", sim.base(), "--maker-server", sim.base(),
                                       "--refresh-ms", "50"},
                                      dir / "live"));
        int listings = 0;
        while (listings < kMerges + 1) {
            const auto line = live.ReadLine(60s);
            ASSERT_TRUE(line) << "after " << listings << " listings:\n" << live.Stderr();
            listings += *line == "== draw pane ==";
        }
        ASSERT_TRUE(WaitForOutput(live, "== plan pane ==", 30s));
        ASSERT_TRUE(live.Signal(SIGTERM));
        const auto status = live.Wait(10s);
        ASSERT_TRUE(status && status->ExitedWith(0)) << live.Stderr();

        // The last statistics line of Position 1 (the one selected at start-up).
        const std::vector<std::string> statsLines =
            LinesStartingWith(live.Stdout(), "stats: 第一名");
        ASSERT_FALSE(statsLines.empty());
        lastStats = statsLines.back().substr(7);
    }
    const SettledPlansCsvReading ledger =
        ReadSettledPlansCsv(ReadFileBytes(dir / "live" / "data" / (TodayText() + "settled.csv")));
    EXPECT_EQ(ledger.skipped, 0);
    std::vector<SettledPlan> ledgerFirst;
    std::copy_if(ledger.plans.begin(), ledger.plans.end(), std::back_inserter(ledgerFirst),
                 [](const SettledPlan& p) { return p.position == 1; });
    EXPECT_EQ(lastStats, PlanStatsLine(1, ComputeStats(ledgerFirst)));
    std::vector<SettledPlan> ledgerPlans = ledger.plans;
    // The live run may have merged one draw more before it stopped.
    std::erase_if(ledgerPlans, [newest](const SettledPlan& p) { return p.closePeriod > newest; });
    auto fromLedger = RowsByPosition(SettledPlansCsv(ledgerPlans));

    // The backtest of the same draws.
    ChildOptions options;
    options.args = {"--backtest", drawFile.string(), "--csv", (dir / "plans.csv").string()};
    ChildProcess backtest(Pk10Binary(), options);
    const auto status = backtest.Wait(120s);
    ASSERT_TRUE(status && status->ExitedWith(0)) << backtest.Stderr();
    auto expected = RowsByPosition(ReadFileBytes(dir / "plans.csv"));

    for (std::size_t k = 0; k < DayFileTags().size(); ++k) {
        const int position = kPositionOfTag[k];
        const auto text =
            FromGbk(ReadFileBytes(DayFile(dir / "live", DayFileTags()[k], TodayText())));
        ASSERT_TRUE(text) << DayFileTags()[k];
        // Entries newest first; the book oldest first. Slots 0 to 4 hold what the
        // start-up's walk made (closed before the replay began): not compared.
        std::vector<std::string> entries;
        for (std::size_t start = 0, at; (at = text->find("<br>", start)) != std::string::npos;
             start = at + 4) {
            entries.insert(entries.begin(), text->substr(start, at - start));
        }
        ASSERT_GT(entries.size(), 5U);
        PlanBook book;
        std::copy(entries.begin() + 5, entries.end(), book.begin() + 5);
        std::vector<SettledPlan> plans = ReadSettledPlans(book, position).plans;
        // The live run may have merged one draw more before it stopped.
        std::erase_if(plans, [newest](const SettledPlan& p) { return p.closePeriod > newest; });

        const std::vector<std::string> live =
            RowsByPosition(SettledPlansCsv(plans))[std::to_string(position)];
        EXPECT_FALSE(live.empty()) << position;
        EXPECT_EQ(live, expected[std::to_string(position)]) << "Position " << position;
        EXPECT_EQ(fromLedger[std::to_string(position)], expected[std::to_string(position)])
            << "Position " << position;
    }
}

}  // namespace
}  // namespace pk10::test
