#include "stats/PlanStats.h"

#include <algorithm>
#include <cmath>

namespace pk10 {
namespace {

constexpr double kZ95 = 1.959963984540054;

void CountMissRun(PlanStats& stats, int run) {
    if (run == 0) {
        return;
    }
    if (stats.missStreaks.size() <= static_cast<std::size_t>(run)) {
        stats.missStreaks.resize(static_cast<std::size_t>(run) + 1, 0);
    }
    ++stats.missStreaks[static_cast<std::size_t>(run)];
    stats.longestMissStreak = std::max(stats.longestMissStreak, run);
}

void AddInto(PlanStats& total, const PlanStats& part) {
    total.settled += part.settled;
    total.hits += part.hits;
    total.misses += part.misses;
    total.passed += part.passed;
    total.skipped += part.skipped;
    for (std::size_t k = 0; k < total.hitsByPeriod.size(); ++k) {
        total.hitsByPeriod[k] += part.hitsByPeriod[k];
    }
    total.hitsOutsideSpan += part.hitsOutsideSpan;
    total.longestMissStreak = std::max(total.longestMissStreak, part.longestMissStreak);
    if (total.missStreaks.size() < part.missStreaks.size()) {
        total.missStreaks.resize(part.missStreaks.size(), 0);
    }
    for (std::size_t n = 0; n < part.missStreaks.size(); ++n) {
        total.missStreaks[n] += part.missStreaks[n];
    }
}

void Total(StatsReport& report) {
    for (const PlanStats& stats : report.byPosition) {
        AddInto(report.total, stats);
    }
}

}  // namespace

Interval WilsonInterval(int successes, int trials) {
    if (trials <= 0) {
        return {0.0, 1.0};
    }
    const double n = trials;
    const double p = successes / n;
    const double z2 = kZ95 * kZ95;
    const double denominator = 1.0 + z2 / n;
    const double centre = (p + z2 / (2.0 * n)) / denominator;
    const double half = kZ95 * std::sqrt(p * (1.0 - p) / n + z2 / (4.0 * n * n)) / denominator;
    return {std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

RateVsChance RateOf(int successes, int trials, double chance) {
    RateVsChance rate;
    rate.rate = trials > 0 ? static_cast<double>(successes) / trials : 0.0;
    rate.interval = WilsonInterval(successes, trials);
    rate.chance = chance;
    return rate;
}

RateVsChance PlanStats::HitRateInPeriod(int period) const {
    const auto k = static_cast<std::size_t>(period - 1);
    return RateOf(hitsByPeriod.at(k), settled, kChanceHitInPeriod.at(k));
}

PlanStats ComputeStats(std::span<const SettledPlan> plans) {
    PlanStats stats;
    int missRun = 0;
    for (const SettledPlan& plan : plans) {
        if (plan.outcome == PlanOutcome::Passed) {
            ++stats.passed;
            continue;
        }
        ++stats.settled;
        const bool hit = plan.outcome == PlanOutcome::Hit;
        if (hit) {
            ++stats.hits;
            const int period = plan.PeriodIndex();
            if (period >= 1 && period <= 3) {
                ++stats.hitsByPeriod[static_cast<std::size_t>(period - 1)];
            } else {
                ++stats.hitsOutsideSpan;
            }
            CountMissRun(stats, missRun);
            missRun = 0;
        } else {
            ++stats.misses;
            ++missRun;
        }
        stats.currentStreak = stats.currentStreakHits == hit ? stats.currentStreak + 1 : 1;
        stats.currentStreakHits = hit;
    }
    CountMissRun(stats, missRun);
    return stats;
}

StatsReport ComputeReport(std::span<const SettledPlan> plans) {
    std::array<std::vector<SettledPlan>, kSlotCount> byPosition;
    for (const SettledPlan& plan : plans) {
        if (plan.position >= 1 && plan.position <= kSlotCount) {
            byPosition[static_cast<std::size_t>(plan.position - 1)].push_back(plan);
        }
    }
    StatsReport report;
    for (std::size_t i = 0; i < byPosition.size(); ++i) {
        report.byPosition[i] = ComputeStats(byPosition[i]);
    }
    Total(report);
    return report;
}

StatsReport ReportOfBooks(const BySlot<PlanBook>& books) {
    StatsReport report;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const int position = PositionOfSlot(slot);
        const BookReading reading = ReadSettledPlans(books[slot], position);
        PlanStats& stats = report.byPosition[static_cast<std::size_t>(position - 1)];
        stats = ComputeStats(reading.plans);
        stats.skipped = reading.skipped;
    }
    Total(report);
    return report;
}

}  // namespace pk10
