#pragma once
// The money table of the statistics window: one row per Position and a row
// over all ten, with what following the engine's plans did to the money at the
// chosen odds and stakes (plans followed, turnover, returned, result, its share
// of the turnover, the expected result, the deepest drawdown, the ruin period)
// and, beside it, the random plans' result, deepest drawdown and ruin period.
// Amounts in stake units as `pk10plan --backtest` prints them.

#include "stats/Money.h"

class QTableWidget;
class QWidget;

namespace pk10::ui {

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

// A read-only table with its headers and empty cells (rows as in NewStatsTable).
QTableWidget* NewMoneyTable(QWidget* parent);

void FillMoneyTable(QTableWidget& table, const MoneyReport& plans, const MoneyReport& randomPlans);

}  // namespace pk10::ui
