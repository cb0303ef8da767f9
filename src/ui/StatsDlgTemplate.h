#pragma once
// The statistics window's texts and layout, in dialog units of the dialog font.

namespace pk10::ui {

// The statistics item of the main window's context menus (F2 opens it too).
inline constexpr const char* kStatsMenuText = "统计(&S)...";

inline constexpr const char* kStatsDlgCaption = "统计";
inline constexpr int kStatsDlgWidth = 560;
inline constexpr int kStatsDlgHeight = 400;
// The tab pages hold the rest; their controls are placed relative to the page.
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

// Object names the tests find the controls by.
inline constexpr const char* kTodayTableName = "todayTable";
inline constexpr const char* kBacktestTableName = "backtestTable";
inline constexpr const char* kDrawFileName = "drawFile";
inline constexpr const char* kFirstName = "first";
inline constexpr const char* kCountName = "count";
inline constexpr const char* kStartName = "start";
inline constexpr const char* kStopName = "stop";
inline constexpr const char* kExportName = "export";
inline constexpr const char* kProgressName = "progress";
inline constexpr const char* kProgressTextName = "progressText";
inline constexpr const char* kOddsName = "odds";
inline constexpr const char* kStakesName = "stakes";
inline constexpr const char* kBankrollName = "bankroll";
inline constexpr const char* kMoneyTableName = "moneyTable";
inline constexpr const char* kTodayMoneyName = "todayMoney";

}  // namespace pk10::ui
