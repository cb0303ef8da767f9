#pragma once
// The money table of the Qt window: the texts of app/MoneyTableText in a
// read-only table (rows as in the statistics table), figures right-aligned.

#include "app/MoneyTableText.h"
#include "stats/Money.h"

class QTableWidget;
class QWidget;

namespace pk10::ui {

using enum pk10::MoneyColumn;

// A read-only table with its headers and empty cells (rows as in NewStatsTable).
QTableWidget* NewMoneyTable(QWidget* parent);

void FillMoneyTable(QTableWidget& table, const MoneyReport& plans, const MoneyReport& randomPlans);

}  // namespace pk10::ui
