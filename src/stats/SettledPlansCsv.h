#pragma once
// Settled plans as CSV: what `pk10plan --backtest --csv` writes and what the
// day's ledger of settled plans keeps beside the per-day files.
//
// Pure functions; safe from any thread.

#include <string>
#include <string_view>
#include <vector>

#include "stats/SettledPlan.h"

namespace pk10 {

// One header line, then one row per plan: position, span_first, span_last,
// numbers, close_period, period_index, mark ("中", "挂", or empty when passed).
std::string SettledPlansCsv(const std::vector<SettledPlan>& plans);

struct SettledPlansCsvReading {
    std::vector<SettledPlan> plans;  // in the order of the rows
    int skipped = 0;                 // rows that did not read as a settled plan
};

// Reads what SettledPlansCsv writes. The header line and blank lines are
// passed over; a row with other columns, a position outside 1..10, periods that
// are not numbers below 1,000,000, numbers that are not two-digit texts or an
// unknown mark is skipped. The drawn number is not in the CSV and stays empty.
SettledPlansCsvReading ReadSettledPlansCsv(std::string_view text);

}  // namespace pk10
