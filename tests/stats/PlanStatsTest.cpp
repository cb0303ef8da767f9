// Settled plans read from hand-written book lines, and the statistics of them.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "stats/PlanStats.h"
#include "stats/SettledPlan.h"

namespace pk10 {
namespace {

struct LineCase {
    const char* name;
    std::string line;
    std::optional<PlanOutcome> outcome;  // nothing: the line is skipped
    int periodIndex;
};

// A book of Position 3 (slot 5, whose settling marks a miss " 挂"), oldest first.
const LineCase kLines[] = {
    {"walk hit in period 1", "季军计划733001-733003期<05 10 09 03 02 08 >  733001期开 09\u3000中 ",
     PlanOutcome::Hit, 1},
    {"walk miss", "季军计划733004-733006期<01 05 06 02 04 10 >  733006期开 03\u3000挂 ",
     PlanOutcome::Miss, 3},
    {"hit in period 2", "季军计划733007-733009期<03 10 01 07 02 08 >  733008期开 08\u3000中 ",
     PlanOutcome::Hit, 2},
    {"slot-5 miss mark", "季军计划733010-733012期<03 10 01 07 02 08 >  733012期开 04 挂",
     PlanOutcome::Miss, 3},
    {"miss mark", "季军计划733013-733015期<03 10 01 07 02 08 >  733015期开 04  挂",
     PlanOutcome::Miss, 3},
    {"hit in period 3 with CR LF",
     "季军计划733016-733018期<03 10 01 07 02 08 >  733018期开 10\u3000中 \r\n", PlanOutcome::Hit,
     3},
    {"passed without a mark", "季军计划733019-733021期<03 10 01 07 02 08 >\r\n",
     PlanOutcome::Passed, 0},
    {"short span", "季军计划73302-733024期<01 02 03 04 05 06 >  733022期开 01\u3000中 ",
     std::nullopt, 0},
    {"hit not listed", "季军计划733022-733024期<01 02 03 04 05 06 >  733022期开 07\u3000中 ",
     std::nullopt, 0},
    {"cut mark", "季军计划733022-733024期<01 02 03 04 05 06 >  733022期开 0", std::nullopt, 0},
    {"no title", "<01 02 03 04 05 06 >733022-733024期", std::nullopt, 0},
};

TEST(PlanStats, HandWrittenBookLinesAndTheirStatistics) {
    PlanBook book;
    std::size_t slot = 1;  // slot 0 empty, as after a fresh start
    for (const LineCase& c : kLines) {
        const std::optional<SettledPlan> plan = ReadSettledLine(c.line, 3);
        ASSERT_EQ(plan.has_value(), c.outcome.has_value()) << c.name;
        if (plan) {
            EXPECT_EQ(plan->outcome, *c.outcome) << c.name;
            EXPECT_EQ(plan->PeriodIndex(), c.periodIndex) << c.name;
            EXPECT_EQ(plan->numbers.size(), 18U) << c.name;
        }
        book[slot++] = c.line;
    }
    book[slot] = "季军计划733025-733027期<03 10 01 07 02 08 >";  // running: never counted

    const BookReading reading = ReadSettledPlans(book, 3);
    EXPECT_EQ(reading.skipped, 4);
    PlanStats stats = ComputeStats(reading.plans);
    stats.skipped = reading.skipped;
    // Hit, miss, hit, miss, miss, hit, passed.
    EXPECT_EQ(stats.settled, 6);
    EXPECT_EQ(stats.hits, 3);
    EXPECT_EQ(stats.misses, 3);
    EXPECT_EQ(stats.passed, 1);
    EXPECT_EQ(stats.hitsByPeriod, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(stats.currentStreak, 1);
    EXPECT_TRUE(stats.currentStreakHits);
    EXPECT_EQ(stats.longestMissStreak, 2);
    EXPECT_EQ(stats.missStreaks, (std::vector<int>{0, 1, 1}));
    EXPECT_DOUBLE_EQ(stats.HitRate().rate, 0.5);
    EXPECT_DOUBLE_EQ(stats.HitRateInPeriod(3).chance, 0.096);

    BySlot<PlanBook> books;
    books[5] = book;
    const StatsReport report = ReportOfBooks(books);
    EXPECT_EQ(report.OfPosition(3).hits, 3);
    EXPECT_EQ(report.total.skipped, 4);
    EXPECT_EQ(report.total.settled, 6);
}

TEST(PlanStats, WilsonIntervalOfNineInTen) {
    const Interval interval = WilsonInterval(9, 10);
    EXPECT_NEAR(interval.low, 0.5958, 1e-4);
    EXPECT_NEAR(interval.high, 0.9821, 1e-4);
    EXPECT_FALSE(RateOf(9, 10, kChanceHit).interval.Contains(0.99));
}

}  // namespace
}  // namespace pk10
