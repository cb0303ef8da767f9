// pk10plan --headless --json --positions all against feed-sim: every line of
// the stream parses as JSON, every "plans" event carries the ten Positions and
// the last one agrees with the per-day files, and a poll against a stopped
// server gives one "error" event while the run goes on.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "e2e/Pk10Run.h"
#include "feedsim/FeedSimRunner.h"
#include "plan/PlanState.h"
#include "records/PlanBlock.h"
#include "records/PlanDayFile.h"
#include "stats/SettledPlan.h"
#include "stats/SettledPlansCsv.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;
using nlohmann::json;

// Reads the run's events, each line through the JSON parser.
class EventStream {
  public:
    explicit EventStream(ChildProcess& run) : run_(run) {}

    // The next event of `type`; the events before it are kept as well.
    json Next(const std::string& type) {
        for (;;) {
            const std::optional<std::string> line = run_.ReadLine(60s);
            if (!line) {
                ADD_FAILURE() << "no '" << type << "' event; stderr:\n" << run_.Stderr();
                return json();
            }
            json event = json::parse(*line);  // throws on a line that is not JSON
            events_.push_back(event);
            if (event.at("type") == type) {
                return event;
            }
        }
    }

    // How many events of `type` came after event number `from`.
    int CountSince(std::size_t from, const std::string& type) const {
        int count = 0;
        for (std::size_t i = from; i < events_.size(); ++i) {
            count += events_[i].at("type") == type;
        }
        return count;
    }
    std::size_t size() const { return events_.size(); }
    const std::vector<json>& all() const { return events_; }

  private:
    ChildProcess& run_;
    std::vector<json> events_;
};

std::unique_ptr<FeedSim> StartSim(int port, int initial) {
    return std::make_unique<FeedSim>(std::vector<std::string>{
        "--port", std::to_string(port), "--seed", "7", "--first-period", "512000",
        "--publish-on-poll", "--initial", std::to_string(initial)});
}

TEST(HeadlessJson, TenPositionsAgreeWithTheDayFilesAndAStoppedServerIsOneError) {
    TempDir dir;
    const std::filesystem::path dataDir = dir / "state" / "pk10";
    std::unique_ptr<FeedSim> sim = StartSim(0, 30);
    const int port = sim->port();
    ChildProcess run(
        Pk10Binary(),
        Pk10Options({"--json", "--positions", "all", "--refresh-ms", "2000", "--results-server",
                     sim->base(), "--maker-server", sim->base(), "--data-dir", dataDir.string()},
                    dir.path()));
    EventStream events(run);
    events.Next("plans");  // the start-up's
    // The start-up walk's closed lines never ran: today counts none of them.
    const json startupStats = events.Next("stats");
    ASSERT_EQ(startupStats.at("positions").size(), 10U);
    for (const json& stats : startupStats.at("positions")) {
        EXPECT_EQ(stats.at("settled"), 0) << stats.dump();
        EXPECT_EQ(stats.at("passed"), 0) << stats.dump();
    }
    EXPECT_EQ(events.Next("draw").at("period"), 512030);
    events.Next("plans");

    // The server stops: the next poll is one error, and the run polls on.
    sim.reset();
    const std::size_t stopped = events.size();
    EXPECT_NE(events.Next("error").at("text").get<std::string>().find("pk10.xml"),
              std::string::npos);
    sim = StartSim(port, 40);
    EXPECT_EQ(events.Next("draw").at("period"), 512040);
    EXPECT_EQ(events.CountSince(stopped, "error"), 1);
    const json last = events.Next("plans");
    const json lastStats = events.Next("stats");

    // Stopped again, so nothing rewrites the files after the last plans event.
    sim.reset();
    events.Next("error");
    const auto status = run.Stop(SIGTERM, 10s);
    ASSERT_TRUE(status && status->ExitedWith(0)) << run.Stderr();

    for (const json& event : events.all()) {
        if (event.at("type") != "plans" && event.at("type") != "stats") {
            continue;
        }
        ASSERT_EQ(event.at("positions").size(), 10U) << event.dump();
        for (int position = 1; position <= 10; ++position) {
            EXPECT_EQ(event.at("positions")[position - 1].at("position"), position);
        }
    }
    for (const json& plans : last.at("positions")) {
        const int position = plans.at("position");
        const int slot = SlotOfPosition(position);
        const std::string bytes =
            ReadFileBytes(DayFilePath(dataDir, TodayText(), DayFileTag(slot)));
        // The file lists the book newest first; the event oldest first, open last.
        std::vector<std::string> fromFile;
        for (const std::string& entry : DecodeDayFileEntries(bytes)) {
            if (!entry.empty()) {
                fromFile.insert(fromFile.begin(), std::string(WithoutTrailingLineEnd(entry)));
            }
        }
        std::vector<std::string> fromEvent;
        for (const json& settled : plans.at("settled")) {
            fromEvent.push_back(settled.at("line"));
        }
        ASSERT_FALSE(plans.at("open").is_null()) << position;
        fromEvent.push_back(plans.at("open").at("line"));
        EXPECT_EQ(fromEvent, fromFile) << "Position " << position;
    }
    // The last stats event counts the plans of today's ledger beside the day files.
    const SettledPlansCsvReading ledger =
        ReadSettledPlansCsv(ReadFileBytes(dataDir / "data" / (TodayText() + "settled.csv")));
    ASSERT_FALSE(ledger.plans.empty());
    for (const json& stats : lastStats.at("positions")) {
        const int position = stats.at("position");
        const auto inLedger =
            std::count_if(ledger.plans.begin(), ledger.plans.end(),
                          [&](const SettledPlan& p) { return p.position == position; });
        EXPECT_EQ(stats.at("settled").get<int>() + stats.at("passed").get<int>(), inLedger)
            << position;
    }
}

}  // namespace
}  // namespace pk10::test
