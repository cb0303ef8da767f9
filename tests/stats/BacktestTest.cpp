// The backtest over real draws: every settled plan collected once, in order,
// also past the point where the books drop their oldest lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "stats/Backtest.h"
#include "support/RealDraws.h"

namespace pk10 {
namespace {

TEST(Backtest, CollectsEveryPlanOnceAndTotalsCountTheMarks) {
    // 600 draws: each Position settles more plans than a book keeps (256 lines).
    std::vector<std::string> draws = test::RealDraws();
    draws.resize(600);
    const BacktestResult result = RunBacktest(draws, {});
    ASSERT_FALSE(result.partial);
    EXPECT_EQ(result.progress.merged, 570);

    std::map<int, std::vector<SettledPlan>> byPosition;
    int hits = 0;
    int misses = 0;
    for (const SettledPlan& plan : result.plans) {
        byPosition[plan.position].push_back(plan);
        hits += plan.outcome == PlanOutcome::Hit;
        misses += plan.outcome == PlanOutcome::Miss;
    }
    EXPECT_EQ(result.engine.total.hits, hits);
    EXPECT_EQ(result.engine.total.misses, misses);
    EXPECT_EQ(result.engine.total.settled, static_cast<int>(result.plans.size()));
    EXPECT_EQ(result.engine.total.skipped, 0);
    ASSERT_EQ(byPosition.size(), 10U);
    for (const auto& [position, plans] : byPosition) {
        EXPECT_GT(plans.size(), 256U) << position;
        // Each new running line spans the periods after the draw that settled the
        // one before: a lost or doubled plan breaks the chain.
        for (std::size_t i = 1; i < plans.size(); ++i) {
            EXPECT_EQ(plans[i].spanFirst, plans[i - 1].closePeriod + 1)
                << "Position " << position << " plan " << i;
        }
    }
    // One random plan per engine plan whose span the draws cover.
    EXPECT_GE(result.randomPlans.size() + 10, result.plans.size());
    EXPECT_LE(result.randomPlans.size(), result.plans.size());
    EXPECT_EQ(result.random.total.settled, static_cast<int>(result.randomPlans.size()));
}

// The draws, newest first, renumbered so that the oldest carries `oldestPeriod`
// and each later one the next period, wrapping from 999999 to 000000.
std::vector<std::string> Renumbered(std::vector<std::string> draws, int oldestPeriod) {
    int period = oldestPeriod;
    for (auto draw = draws.rbegin(); draw != draws.rend(); ++draw) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%06d", period);
        draw->replace(0, 6, digits);
        period = (period + 1) % 1000000;
    }
    return draws;
}

TEST(Backtest, PlansAcrossThePeriodWrapMatchThoseOfOrdinaryPeriods) {
    // The same real draws once numbered from 500000 and once from 999850, so
    // that the second replay walks and settles across 999999 -> 000000.
    std::vector<std::string> draws = test::RealDraws();
    draws.resize(300);
    const BacktestResult ordinary = RunBacktest(Renumbered(draws, 500000), {});
    const BacktestResult wrapped = RunBacktest(Renumbered(draws, 999850), {});
    const auto shifted = [](std::int32_t period) { return (period + 499850) % 1000000; };

    EXPECT_EQ(wrapped.engine.total.skipped, 0);
    EXPECT_EQ(wrapped.engine.total.hitsOutsideSpan, 0);
    ASSERT_EQ(wrapped.plans.size(), ordinary.plans.size());
    for (std::size_t i = 0; i < ordinary.plans.size(); ++i) {
        SettledPlan expected = ordinary.plans[i];
        expected.spanFirst = shifted(expected.spanFirst);
        expected.spanLast = shifted(expected.spanLast);
        if (expected.outcome != PlanOutcome::Passed) {
            expected.closePeriod = shifted(expected.closePeriod);
        }
        EXPECT_EQ(wrapped.plans[i], expected) << "plan " << i;
        EXPECT_EQ(wrapped.plans[i].PeriodIndex(), ordinary.plans[i].PeriodIndex()) << "plan " << i;
    }
    EXPECT_EQ(wrapped.randomPlans.size(), ordinary.randomPlans.size());
}

TEST(Backtest, CancelStopsWithAPartialResult) {
    std::vector<std::string> draws = test::RealDraws();
    draws.resize(100);
    std::atomic<bool> cancel{false};
    BacktestOptions options;
    options.cancel = &cancel;
    options.progress = [&cancel](const BacktestProgress& progress) {
        cancel = progress.merged == 10;
    };
    const BacktestResult result = RunBacktest(draws, options);
    EXPECT_TRUE(result.partial);
    EXPECT_EQ(result.progress.merged, 10);
    EXPECT_EQ(result.progress.toMerge, 70);
}

}  // namespace
}  // namespace pk10
