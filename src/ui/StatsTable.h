#pragma once
// The statistics table: one row per Position and a row over all ten, with the
// plans settled, hits (中), misses (挂), the hit rate beside chance, the hits in
// each period of the span, the current streak and the longest miss streak.
// Figures are right-aligned, rates in per cent with one decimal.

#include <QString>

#include "stats/PlanStats.h"

class QTableWidget;
class QWidget;

namespace pk10::ui {

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

// The row of the figures over all ten Positions (rows 0 to 9 are Positions 1 to 10).
inline constexpr int kTotalRow = 10;

// A read-only table with its headers and empty cells.
QTableWidget* NewStatsTable(QWidget* parent);

// Puts `report` into the table's cells.
void FillStatsTable(QTableWidget& table, const StatsReport& report);

// A rate as the table shows it: "93.6 %"; "-" when there is nothing to rate.
QString RateText(double rate, int trials);

}  // namespace pk10::ui
