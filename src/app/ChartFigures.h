#pragma once
// The numbers the statistics window's charts plot, computed here once so that
// every window draws the same figures and only draws:
// - each Position's hit rate with its 95 % interval (Wilson) against chance;
// - the histogram of miss-streak lengths of the engine's plans beside the
//   random plans';
// - the cumulative result of following the engine's and the random plans, draw
//   by draw, with the expected line and the deepest drawdown marked.
// Rates are shares (0..1), money in stake units, x in draws since the first.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "plan/PlanState.h"
#include "stats/Money.h"
#include "stats/PlanStats.h"

namespace pk10 {

inline constexpr const char* kHitRateChartTitle = "各名次命中率 (%)";
inline constexpr const char* kHitRateSeriesText = "命中率";
inline constexpr const char* kChanceSeriesText = "机会 93.6 %";
inline constexpr const char* kStreakChartTitle = "连挂次数分布";
inline constexpr const char* kStreakAxisText = "连挂计划数";
inline constexpr const char* kMoneyChartTitle = "累计盈亏";
inline constexpr const char* kMoneyAxisText = "期";
inline constexpr const char* kEngineSeriesText = "计划";
inline constexpr const char* kRandomSeriesText = "随机计划";
inline constexpr const char* kExpectedSeriesText = "期望";

struct PositionRate {
    bool rated = false;  // some plan of the Position settled; else no interval is drawn
    double rate = 0.0;   // 0 when not rated
    double low = 0.0;    // the 95 % interval
    double high = 0.0;
};

struct HitRateFigures {
    std::array<PositionRate, kSlotCount> positions;  // [position - 1]
    double chance = kChanceHit;
    // Rates lie near chance: the value axis starts a little below the lowest
    // rate, interval or chance, at a multiple of 10 %, so differences of a few
    // per cent show; it ends at 100 %.
    double axisLowPercent = 0.0;
};
HitRateFigures HitRateFiguresOf(const StatsReport& report);

// Runs of exactly `length` misses in a row.
struct StreakBin {
    int length = 0;
    int engineRuns = 0;
    int randomRuns = 0;
};
struct StreakFigures {
    // Lengths 1 to the longest streak of either (at least one bin).
    std::vector<StreakBin> bins;
    int highestRuns = 1;  // the tallest bar, at least 1
};
StreakFigures StreakFiguresOf(const PlanStats& engine, const PlanStats& random);

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const ChartPoint&) const = default;
};

// A curve keeps at most about twice this many points (each stretch's lowest and
// highest), so a year of draws draws quickly and keeps its shape.
inline constexpr std::size_t kCurveBuckets = 1500;

struct MoneyCurveFigures {
    std::vector<ChartPoint> engine;
    std::vector<ChartPoint> random;
    std::vector<ChartPoint> expected;  // the engine's expected result
    // The engine's deepest drawdown: from the highest result before it (the
    // start, at 0, when none was higher) down to its lowest.
    bool hasDrawdown = false;
    ChartPoint peak;
    ChartPoint trough;
    double Drawdown() const { return peak.y - trough.y; }
    // The extent of all of it: x from 0 to lastX (at least 1), y from lowY
    // (at most 0) to highY (at least 0, above lowY).
    double lastX = 1.0;
    double lowY = 0.0;
    double highY = 1.0;
    bool Empty() const { return engine.empty(); }
};
// Nothing to plot when `engine` is empty; x counts draws from engine's first.
MoneyCurveFigures MoneyCurveFiguresOf(const std::vector<MoneyPoint>& engine,
                                      const std::vector<MoneyPoint>& random);

// "最大回撤 12" (whole units)
std::string DrawdownText(double drawdown);

}  // namespace pk10
