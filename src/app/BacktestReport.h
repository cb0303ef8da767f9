#pragma once
// What `pk10plan --backtest` prints and writes: the statistics tables, and the
// CSV of the settled plans (SettledPlansCsv, shared with today's ledger).

#include <string>
#include <vector>

#include "stats/Backtest.h"
#include "stats/SettledPlansCsv.h"

namespace pk10 {

// The tables of a backtest of the draws in `source`: the hit rate, the hits by
// period and the miss streaks, per Position and over all ten, each rate beside
// chance with the difference and whether the 95 % interval holds chance; first
// for the engine's plans, then for the random plans. A partial result says so.
std::string BacktestTables(const BacktestResult& result, const std::string& source);

}  // namespace pk10
