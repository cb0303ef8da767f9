#pragma once
// The texts of the money table, for every window that shows it: one row per
// Position and a row over all ten (rows as in the statistics table), with what
// following the engine's plans did to the money at the chosen odds and stakes
// (plans followed, turnover, returned, result, its share of the turnover, the
// expected result, the deepest drawdown, the ruin period) and, beside it, the
// random plans' result, deepest drawdown and ruin period. Amounts in stake
// units as `pk10plan --backtest` prints them.

#include <array>
#include <string>

#include "app/StatsTableText.h"
#include "stats/Money.h"

namespace pk10 {

enum MoneyColumn {
    kFollowedColumn,
    kTurnoverColumn,
    kReturnedColumn,
    kResultColumn,
    kShareColumn,
    kExpectedColumn,
    kDrawdownColumn,
    kRuinColumn,
    kRandomResultColumn,
    kRandomDrawdownColumn,
    kRandomRuinColumn,
    kMoneyColumnCount
};

inline constexpr std::array<const char*, kMoneyColumnCount> kMoneyColumnTitles = {
    "计划",     "投注",   "返还",     "盈亏",     "盈亏率",  "期望盈亏",
    "最大回撤", "破产期", "随机盈亏", "随机回撤", "随机破产"};

using MoneyRowTexts = std::array<std::string, kMoneyColumnCount>;

// The cells of every row, [row][column].
std::array<MoneyRowTexts, kStatsRowCount> MoneyTableTexts(const MoneyReport& plans,
                                                          const MoneyReport& randomPlans);

}  // namespace pk10
