// How the real feed-sim binary publishes draws: on the clock, on polls, from a
// seed, with periods that wrap.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "feedsim/FeedSimRunner.h"
#include "support/TempDir.h"

namespace pk10::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> FeedLines(FeedSim& sim) {
    const auto lines = SplitCrLfLines(sim.Body("/pk10.txt"));
    return lines.value_or(std::vector<std::string>{});
}

std::uint64_t XmlCount(const std::string& xml) {
    const auto start = xml.find("<count>");
    const auto end = xml.find("</count>");
    if (start == std::string::npos || end == std::string::npos) {
        return 0;
    }
    return std::stoull(xml.substr(start + 7, end - start - 7));
}

TEST(FeedSimPublishing, TheClockPublishesANewDrawEveryInterval) {
    FeedSim sim({"--interval", "0.2", "--first-period", "100000"});
    // Three new draws take 0.6 s; ten seconds is only the bound for a hang.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    std::string xml;
    while (std::chrono::steady_clock::now() < deadline) {
        xml = sim.Body("/pk10.xml");
        if (XmlCount(xml) >= 48) {
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_GE(XmlCount(xml), 48u) << xml;
    const std::string newest = XmlNewestLine(xml);
    ASSERT_TRUE(IsDrawLine(newest)) << xml;
    // Draw k has period 100000 + k.
    EXPECT_EQ(PeriodOf(newest), 100000 + XmlCount(xml) - 1);

    const auto lines = FeedLines(sim);
    ASSERT_GE(lines.size(), 48u);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
    EXPECT_EQ(lines.back().substr(0, 6), "100000") << "the feed still starts at the first draw";
    EXPECT_GE(PeriodOf(lines.front()), PeriodOf(newest));
}

TEST(FeedSimPublishing, EachPollPublishesExactlyOneDrawAndNothingElseDoes) {
    // The clock is off with --publish-on-poll, even with a short interval given.
    FeedSim sim({"--publish-on-poll", "--interval", "0.05"});
    const auto before = FeedLines(sim);
    ASSERT_EQ(before.size(), 45u);
    std::this_thread::sleep_for(300ms);
    auto client = sim.Client();
    ASSERT_TRUE(client.Head("/pk10.xml"));
    ASSERT_EQ(FeedLines(sim), before) << "the clock, the text feed or HEAD published a draw";

    std::uint32_t expected = PeriodOf(before.front());
    std::string newest;
    for (int poll = 1; poll <= 5; ++poll) {
        const std::string xml = sim.Body("/pk10.xml");
        newest = XmlNewestLine(xml);
        expected = NextPeriod(expected);
        ASSERT_TRUE(IsDrawLine(newest)) << "poll " << poll << ": " << xml;
        EXPECT_EQ(PeriodOf(newest), expected) << "poll " << poll;
        EXPECT_EQ(XmlCount(xml), 45u + static_cast<unsigned>(poll)) << "poll " << poll;
    }
    const auto after = FeedLines(sim);
    ASSERT_EQ(after.size(), 50u);
    EXPECT_EQ(after.front(), newest);
    EXPECT_EQ(FirstBadFeedLine(after), -1);
    EXPECT_EQ(std::vector<std::string>(after.begin() + 5, after.end()), before);
}

TEST(FeedSimPublishing, TheTextFeedKeepsTheNewest200Draws) {
    FeedSim sim({"--publish-on-poll"});
    auto client = sim.Client();
    std::string last;
    for (int poll = 0; poll < 200; ++poll) {
        const auto res = client.Get("/pk10.xml");
        ASSERT_TRUE(res && res->status == 200) << "poll " << poll;
        last = XmlNewestLine(res->body);
    }
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 200u);
    EXPECT_EQ(lines.front(), last);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
}

TEST(FeedSimPublishing, PollsFromManyClientsAtOnceEachGetTheirOwnNewDraw) {
    FeedSim sim({"--publish-on-poll"});
    constexpr int kClients = 4;
    constexpr int kPolls = 25;
    std::vector<std::vector<std::string>> seen(kClients);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&sim, &seen, c] {
            auto client = sim.Client();
            for (int poll = 0; poll < kPolls; ++poll) {
                const auto res = client.Get("/pk10.xml");
                seen[c].push_back(res ? XmlNewestLine(res->body) : "no answer");
            }
        });
    }
    for (std::thread& t : clients) {
        t.join();
    }
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 45u + kClients * kPolls);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
    // Every poll got a different one of the 100 new draws.
    std::set<std::string> answers;
    for (const auto& polls : seen) {
        answers.insert(polls.begin(), polls.end());
    }
    EXPECT_EQ(answers, std::set<std::string>(lines.begin(), lines.begin() + kClients * kPolls));
}

TEST(FeedSimPublishing, AServerLeftAloneCatchesUpWithTheClock) {
    // A millisecond interval: hundreds of draws are due after a short sleep, more
    // than the feed keeps, and the kept ones must still be the right ones.
    FeedSim sim({"--interval", "0.001", "--first-period", "999000"});
    std::this_thread::sleep_for(500ms);
    const std::string xml = sim.Body("/pk10.xml");
    const std::uint64_t published = XmlCount(xml);
    ASSERT_GT(published, 245u) << xml;
    EXPECT_EQ(PeriodOf(XmlNewestLine(xml)), (999000 + published - 1) % 1000000);
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 200u);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
}

TEST(FeedSimPublishing, TheSameSeedGivesTheSameDraws) {
    const auto run = [](const std::string& seed) {
        FeedSim sim({"--seed", seed, "--publish-on-poll"});
        std::vector<std::string> seen = FeedLines(sim);
        for (int poll = 0; poll < 3; ++poll) {
            seen.push_back(XmlNewestLine(sim.Body("/pk10.xml")));
        }
        return seen;
    };
    const auto first = run("42");
    const auto second = run("42");
    const auto other = run("43");
    ASSERT_EQ(first.size(), 48u);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    EXPECT_EQ(first[44].substr(0, 6), "733001") << "seeded periods start at 733001";
    for (const std::string& line : first) {
        EXPECT_TRUE(IsDrawLine(line)) << line;
    }
    // Random orders: the 48 draws are not all alike.
    int differing = 0;
    for (std::size_t i = 1; i < first.size(); ++i) {
        differing += first[i].substr(6) != first[i - 1].substr(6);
    }
    EXPECT_GT(differing, 40);
}

TEST(FeedSimPublishing, PeriodsWrapFrom999999To000000) {
    FeedSim sim({"--seed", "1", "--first-period", "999990", "--initial", "30", "--interval", "0"});
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
    EXPECT_EQ(lines.front().substr(0, 6), "000019");
    EXPECT_EQ(lines[19].substr(0, 6), "000000");
    EXPECT_EQ(lines[20].substr(0, 6), "999999");
    EXPECT_EQ(lines.back().substr(0, 6), "999990");
}

TEST(FeedSimPublishing, ReplayedPeriodsFollowTheClockByDefault) {
    const auto minute = [] {
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::minutes>(
                                              std::chrono::system_clock::now().time_since_epoch())
                                              .count() %
                                          1000000);
    };
    const std::uint32_t before = minute();
    FeedSim sim({"--interval", "0"});
    const std::uint32_t after = minute();
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 45u);
    const std::uint32_t newest = PeriodOf(lines.front());
    EXPECT_TRUE(newest == before || newest == after)
        << newest << " is not the minute count " << before << " or " << after;
}

TEST(FeedSimPublishing, FewerThanThirtyInitialDrawsBecomeThirty) {
    for (const auto& [initial, served] :
         std::vector<std::pair<std::string, std::size_t>>{{"0", 30}, {"5", 30}, {"100", 100}}) {
        FeedSim sim({"--initial", initial, "--interval", "0"});
        EXPECT_EQ(FeedLines(sim).size(), served) << "--initial " << initial;
    }
}

TEST(FeedSimPublishing, AShortDrawsFileIsReplayedOverAndOver) {
    TempDir dir;
    {
        std::ofstream out(dir / "draws.txt", std::ios::binary);
        out << "# three draws, newest first\r\n"
            << "000003 03 01 02 04 05 06 07 08 09 10\r\n"
            << "\r\n"
            << "000002 02 01 03 04 05 06 07 08 09 10\r\n"
            << "000001 01 02 03 04 05 06 07 08 09 10\n";
    }
    FeedSim sim(
        {"--draws", (dir / "draws.txt").string(), "--interval", "0", "--first-period", "10"});
    const auto lines = FeedLines(sim);
    ASSERT_EQ(lines.size(), 45u);
    EXPECT_EQ(FirstBadFeedLine(lines), -1);
    const std::vector<std::string> oldestFirst = {" 01 02 03 04 05 06 07 08 09 10",
                                                  " 02 01 03 04 05 06 07 08 09 10",
                                                  " 03 01 02 04 05 06 07 08 09 10"};
    for (std::size_t k = 0; k < 45; ++k) {
        EXPECT_EQ(lines[44 - k].substr(6), oldestFirst[k % 3]) << "draw " << k;
        EXPECT_EQ(PeriodOf(lines[44 - k]), 10 + k) << "draw " << k;
    }
}

}  // namespace
}  // namespace pk10::test
