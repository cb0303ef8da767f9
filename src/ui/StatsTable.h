#pragma once
// The statistics table of the Qt window: the texts of app/StatsTableText in a
// read-only table, figures right-aligned.

#include "app/StatsTableText.h"
#include "stats/PlanStats.h"

class QTableWidget;
class QWidget;

namespace pk10::ui {

using enum pk10::StatsColumn;
using pk10::kTotalRow;

// A read-only table with its headers and empty cells.
QTableWidget* NewStatsTable(QWidget* parent);

// Puts `report` into the table's cells.
void FillStatsTable(QTableWidget& table, const StatsReport& report);

}  // namespace pk10::ui
