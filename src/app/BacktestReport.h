#pragma once
// What `pk10plan --backtest` prints and writes: the statistics tables, the CSV
// of the settled plans.

#include <string>
#include <vector>

#include "stats/Backtest.h"

namespace pk10 {

// The tables of a backtest of the draws in `source`: the hit rate, the hits by
// period and the miss streaks, per Position and over all ten, each rate beside
// chance with the difference and whether the 95 % interval holds chance; first
// for the engine's plans, then for the random plans. A partial result says so.
std::string BacktestTables(const BacktestResult& result, const std::string& source);

// One header line, then one row per plan: position, span_first, span_last,
// numbers, close_period, period_index, mark ("中", "挂", or empty when passed).
std::string SettledPlansCsv(const std::vector<SettledPlan>& plans);

}  // namespace pk10
