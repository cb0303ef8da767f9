#pragma once
// Statistics of settled plans: how often a Position's plans hit, in which
// period of their span, how long the miss streaks run, and all of it beside
// chance.
//
// Chance: a plan backs six of the ten cars, and each draw gives a Position one
// car at random, so a plan held for up to three periods hits with probability
// 1 - 0.4^3 = 0.936: in its first period with 0.6, its second with 0.24, its
// third with 0.096.
//
// Plain values and pure functions; safe from any thread. A window or an event
// writer reads a StatsReport; nothing here knows how it is shown.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "plan/PlanState.h"
#include "stats/SettledPlan.h"

namespace pk10 {

inline constexpr double kChanceHit = 0.936;
inline constexpr std::array<double, 3> kChanceHitInPeriod = {0.6, 0.24, 0.096};

// A 95 % confidence interval of a proportion.
struct Interval {
    double low = 0.0;
    double high = 0.0;
    bool Contains(double value) const { return low <= value && value <= high; }
};

// The Wilson score interval (z = 1.96) of `successes` in `trials`; [0, 1] when
// there are no trials.
Interval WilsonInterval(int successes, int trials);

// A rate with its interval, its chance and the difference between the two.
struct RateVsChance {
    double rate = 0.0;  // 0 when there are no trials
    Interval interval;
    double chance = 0.0;
    double Difference() const { return rate - chance; }
    bool ChanceInInterval() const { return interval.Contains(chance); }
};
RateVsChance RateOf(int successes, int trials, double chance);

struct PlanStats {
    int settled = 0;  // hits + misses
    int hits = 0;
    int misses = 0;
    int passed = 0;   // spans that went by without a mark (a gap in the draws)
    int skipped = 0;  // lines that did not read as settled plans
    // Hits in the first, second and third period of the span.
    std::array<int, 3> hitsByPeriod{};
    // Hits whose period lies outside the span (a draw that came late).
    int hitsOutsideSpan = 0;
    // The run of equal outcomes at the end: currentStreak plans in a row, all
    // hits when currentStreakHits, all misses otherwise; 0 when nothing settled.
    int currentStreak = 0;
    bool currentStreakHits = false;
    int longestMissStreak = 0;
    // missStreaks[n]: how many runs of exactly n misses in a row (index 0 unused).
    std::vector<int> missStreaks;

    RateVsChance HitRate() const { return RateOf(hits, settled, kChanceHit); }
    // Share of settled plans hit in period 1, 2 or 3 of their span.
    RateVsChance HitRateInPeriod(int period) const;
};

// Statistics of one Position's plans in the order they were settled. Passed
// plans count as passed and neither break nor extend a streak.
PlanStats ComputeStats(std::span<const SettledPlan> plans);

// Figures per Position and over all ten.
struct StatsReport {
    std::array<PlanStats, kSlotCount> byPosition;  // [position - 1]
    // Sums of the ten; the longest miss streak is the longest of any Position,
    // the histogram the sum of theirs; there is no current streak over all ten.
    PlanStats total;
    // The plans behind the figures, in settling order, when the sender keeps
    // them for a reader that weighs them further (today's report, whose money a
    // window shows at its own odds and stakes); empty otherwise.
    std::vector<SettledPlan> settledPlans;

    const PlanStats& OfPosition(int position) const {
        return byPosition[static_cast<std::size_t>(position - 1)];
    }
};

// The report of plans of any Positions, each Position's in settling order.
StatsReport ComputeReport(std::span<const SettledPlan> plans);

// The report of the ten books as they stand (skipped lines counted).
StatsReport ReportOfBooks(const BySlot<PlanBook>& books);

}  // namespace pk10
