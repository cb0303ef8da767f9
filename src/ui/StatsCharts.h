#pragma once
// The statistics window's charts: each Position's hit rate as a bar with a line
// at chance, and the histogram of miss streaks of the engine's plans beside the
// random plans'. Built with Qt Charts; without it (a build on a machine that
// lacks it) there are no charts and the window shows its tables alone.

#include "stats/PlanStats.h"

class QWidget;

namespace pk10::ui {

// Whether this build draws charts.
bool ChartsAvailable();

// An empty chart view; null without Qt Charts.
QWidget* NewChartView(QWidget* parent);

// Redraws `view` (from NewChartView; null is allowed and does nothing).
void ShowHitRates(QWidget* view, const StatsReport& report);
void ShowMissStreaks(QWidget* view, const PlanStats& engine, const PlanStats& random);

}  // namespace pk10::ui
