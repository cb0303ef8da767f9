#pragma once
// The texts of the statistics table, for every window that shows it: one row
// per Position and a row over all ten, with the plans settled, hits (中),
// misses (挂), the hit rate beside chance, the hits in each period of the span,
// the current streak and the longest miss streak. Rates in per cent with one
// decimal. A window only copies these strings into its cells.

#include <array>
#include <string>

#include "plan/PlanState.h"
#include "stats/PlanStats.h"

namespace pk10 {

enum StatsColumn {
    kSettledColumn,
    kHitsColumn,
    kMissesColumn,
    kRateColumn,
    kChanceColumn,
    kPeriod1Column,
    kPeriod2Column,
    kPeriod3Column,
    kStreakColumn,
    kLongestMissColumn,
    kStatsColumnCount
};

// Rows 0 to 9 are Positions 1 to 10; this row holds the figures over all ten.
inline constexpr int kTotalRow = 10;
inline constexpr int kStatsRowCount = kTotalRow + 1;

inline constexpr std::array<const char*, kStatsColumnCount> kStatsColumnTitles = {
    "结算", "中", "挂", "命中率", "机会", "第1期中", "第2期中", "第3期中", "当前连续", "最长连挂"};

// The row headers, shared by the money table.
inline constexpr std::array<const char*, kStatsRowCount> kStatsRowTitles = {
    "第一名", "第二名", "第三名", "第四名", "第五名", "第六名",
    "第七名", "第八名", "第九名", "第十名", "合计"};

// A rate as the table shows it: "93.6 %"; "-" when there is nothing to rate.
std::string RateText(double rate, int trials);

using StatsRowTexts = std::array<std::string, kStatsColumnCount>;

// The cells of every row of `report`, [row][column].
std::array<StatsRowTexts, kStatsRowCount> StatsTableTexts(const StatsReport& report);

}  // namespace pk10
