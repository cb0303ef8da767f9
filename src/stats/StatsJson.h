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
#include "stats/PlanStats.h"

namespace pk10 {

nlohmann::json StatsJson(const PlanStats& stats);

// {"positions": {"1": ..., ..., "10": ...}, "total": ...}
nlohmann::json ReportJson(const StatsReport& report);

// The backtest's figures: draws, merged, partial, periods, the random seed, and
// the reports of the engine's plans and of the random plans.
nlohmann::json BacktestJson(const BacktestResult& result);

}  // namespace pk10
