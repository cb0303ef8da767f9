#pragma once
// The statistics window's charts: each Position's hit rate as a bar with its
// 95 % interval as an error bar and a line at chance; the histogram of miss
// streaks of the engine's plans beside the random plans'; and the cumulative
// result of following the plans, draw by draw, beside the random plans' and the
// expected line, with the deepest drawdown marked. The figures come from
// app/ChartFigures; this only draws them. Built with Qt Charts; without it (a
// build on a machine that lacks it) there are no charts and the window shows
// its tables alone.

#include "app/ChartFigures.h"

class QWidget;

namespace pk10::ui {

// Whether this build draws charts.
bool ChartsAvailable();

// An empty chart view; null without Qt Charts.
QWidget* NewChartView(QWidget* parent);

// Redraws `view` (from NewChartView; null is allowed and does nothing).
void ShowHitRates(QWidget* view, const HitRateFigures& figures);
void ShowMissStreaks(QWidget* view, const StreakFigures& figures);
void ShowMoneyCurves(QWidget* view, const MoneyCurveFigures& figures);

}  // namespace pk10::ui
