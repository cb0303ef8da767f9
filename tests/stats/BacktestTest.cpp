// The backtest over real draws: every settled plan collected once, in order,
// also past the point where the books drop their oldest lines.

#include <gtest/gtest.h>

#include <algorithm>
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
