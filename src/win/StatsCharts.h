#pragma once
// The statistics window's charts drawn with GDI from the figures of
// app/ChartFigures, the same the Qt window plots:
// - each Position's hit rate as a bar with its 95 % interval as an error bar
//   and a line at chance;
// - the histogram of miss-streak lengths, the engine's bars beside the random
//   plans';
// - the cumulative result of the engine's and the random plans with the
//   expected line and the engine's deepest drawdown marked.
// Each painter draws one chart into `area` of `dc` with `font` (the dialog's;
// null: the default GUI font) and leaves the DC's selections as it found them.
//
// The "Pk10Chart" window class holds a chart as a control: a dialog template
// names the class, SetChartFigures gives it figures and it repaints itself,
// double-buffered. Window thread only.

#include <windows.h>

#include "app/ChartFigures.h"

namespace pk10::win {

// The colours of the engine's and the random plans' bars and curves, the
// chance line and the drawdown marks.
inline constexpr COLORREF kEngineColour = RGB(0x20, 0x9f, 0xdf);
inline constexpr COLORREF kRandomColour = RGB(0x99, 0xca, 0x53);
inline constexpr COLORREF kChanceColour = RGB(0xf6, 0xa6, 0x25);
inline constexpr COLORREF kDrawdownColour = RGB(0xe0, 0x20, 0x20);
inline constexpr COLORREF kChartBackground = RGB(0xff, 0xff, 0xff);

void PaintHitRates(HDC dc, const RECT& area, const HitRateFigures& figures, HFONT font);
void PaintMissStreaks(HDC dc, const RECT& area, const StreakFigures& figures, HFONT font);
void PaintMoneyCurves(HDC dc, const RECT& area, const MoneyCurveFigures& figures, HFONT font);

inline constexpr const wchar_t* kChartClassName = L"Pk10Chart";

// Registers the class in this module, once; true when it is registered.
bool RegisterChartClass();

// What the chart control `chart` shows from now on; it repaints itself. A
// control without figures shows its background alone. WM_SETFONT sets its font.
void SetChartFigures(HWND chart, const HitRateFigures& figures);
void SetChartFigures(HWND chart, const StreakFigures& figures);
void SetChartFigures(HWND chart, const MoneyCurveFigures& figures);

}  // namespace pk10::win
