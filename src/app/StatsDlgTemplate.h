#pragma once
// The statistics window's texts and layout, in dialog units of the dialog font,
// for every window that builds it (the Qt window converts the units, a Win32
// dialog uses them as they are). Controls on a tab page are placed relative to
// the page, those on the backtest's inner pages relative to that page.

namespace pk10 {

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The statistics item of the main window's context menus (F2 opens it too).
inline constexpr const char* kStatsMenuText = "统计(&S)...";

inline constexpr const char* kStatsDlgCaption = "统计";
inline constexpr int kStatsDlgWidth = 560;
inline constexpr int kStatsDlgHeight = 400;
inline constexpr int kStatsTabsX = 7;
inline constexpr int kStatsTabsY = 7;
inline constexpr int kStatsTabsWidth = 546;
inline constexpr int kStatsTabsHeight = 386;

inline constexpr const char* kTodayTabText = "今日";
inline constexpr const char* kBacktestTabText = "回测";

inline constexpr const char* kDrawFileLabel = "开奖文件";
inline constexpr const char* kBrowseText = "浏览...";
inline constexpr const char* kFirstLabel = "从第";
inline constexpr const char* kCountLabel = "期起，共";
inline constexpr const char* kAllDrawsText = "全部";
inline constexpr const char* kDrawsUnit = "期";
inline constexpr const char* kStartText = "开始";
inline constexpr const char* kStopText = "停止";
inline constexpr const char* kExportText = "导出CSV";
inline constexpr const char* kOddsLabel = "赔率";
inline constexpr const char* kStakesLabel = "倍投";
inline constexpr const char* kBankrollLabel = "本金";
inline constexpr const char* kHitRatesPageText = "命中率";
inline constexpr const char* kMoneyPageText = "资金";
// The file the export offers first.
inline constexpr const char* kCsvFileName = "backtest.csv";

// The first draw and the count of draws replayed: 1 to this many (count 0: all).
inline constexpr int kMostDraws = 1000000;

// The "今日" page.
inline constexpr DialogRect kTodayTableRect{6, 6, 522, 136};
inline constexpr DialogRect kTodayMoneyRect{6, 145, 522, 10};
inline constexpr DialogRect kTodayChartRect{6, 158, 522, 192};

// The "回测" page.
inline constexpr DialogRect kDrawFileLabelRect{6, 8, 36, 10};
inline constexpr DialogRect kDrawFileRect{44, 6, 420, 14};
inline constexpr DialogRect kBrowseRect{468, 6, 60, 14};
inline constexpr DialogRect kFirstLabelRect{6, 26, 18, 10};
inline constexpr DialogRect kFirstRect{26, 24, 60, 14};
inline constexpr DialogRect kCountLabelRect{90, 26, 34, 10};
inline constexpr DialogRect kCountRect{126, 24, 60, 14};
inline constexpr DialogRect kDrawsUnitRect{190, 26, 10, 10};
inline constexpr DialogRect kStartRect{340, 24, 60, 14};
inline constexpr DialogRect kStopRect{404, 24, 60, 14};
inline constexpr DialogRect kExportRect{468, 24, 60, 14};
inline constexpr DialogRect kOddsLabelRect{6, 44, 18, 10};
inline constexpr DialogRect kOddsRect{26, 42, 34, 14};
inline constexpr DialogRect kStakesLabelRect{64, 44, 18, 10};
inline constexpr DialogRect kStakesRect{84, 42, 50, 14};
inline constexpr DialogRect kBankrollLabelRect{138, 44, 18, 10};
inline constexpr DialogRect kBankrollRect{158, 42, 50, 14};
inline constexpr DialogRect kProgressRect{214, 43, 120, 12};
inline constexpr DialogRect kProgressTextRect{338, 43, 190, 12};
// The inner tabs of the replay's figures: "命中率" and "资金".
inline constexpr DialogRect kBacktestPagesRect{6, 60, 522, 290};

// The "命中率" page.
inline constexpr DialogRect kBacktestTableRect{0, 0, 516, 136};
inline constexpr DialogRect kBacktestChartRect{0, 138, 256, 134};
inline constexpr DialogRect kStreakChartRect{260, 138, 256, 134};

// The "资金" page.
inline constexpr DialogRect kMoneyTableRect{0, 0, 516, 136};
inline constexpr DialogRect kMoneyChartRect{0, 138, 516, 134};

}  // namespace pk10
