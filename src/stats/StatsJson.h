#pragma once
// The statistics and a backtest's summary as JSON values (nlohmann::json), for
// files and events. Pure functions; safe from any thread.
//
// A PlanStats object: settled, hits, misses, passed, skipped, hit_rate (rate,
// low, high, chance, difference, chance_in_interval), hits_by_period (three
// such rates, each with its count as hits), hits_outside_span,
// current_streak (length, hits), longest_miss_streak, miss_streaks (an object
// "length": runs).

#include <nlohmann/json.hpp>

#include "stats/Backtest.h"
#include "stats/Money.h"
#include "stats/PlanStats.h"

namespace pk10 {

nlohmann::json StatsJson(const PlanStats& stats);

// {"positions": {"1": ..., ..., "10": ...}, "total": ...}
nlohmann::json ReportJson(const StatsReport& report);

// What following plans did to the money (amounts in stake units): followed,
// turnover, returned, result, result_share, expected_result, deepest_drawdown,
// ruin_period (null when never).
nlohmann::json MoneyFiguresJson(const MoneyFigures& figures);
// {"1": ..., ..., "10": ..., "total": ...}
nlohmann::json MoneyReportJson(const MoneyReport& report);

// The backtest's figures: draws, merged, partial, periods, the random seed, the
// reports of the engine's plans and of the random plans, and "money": the odds,
// stakes, bankroll (null when not given) and the money of both at `rules`.
nlohmann::json BacktestJson(const BacktestResult& result, const MoneyRules& rules = {});

}  // namespace pk10
