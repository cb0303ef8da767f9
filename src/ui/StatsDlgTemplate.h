#pragma once
// The Qt statistics window's template: the shared texts and layout of
// app/StatsDlgTemplate, and the object names the tests find the controls by.

#include "app/StatsDlgTemplate.h"

namespace pk10::ui {

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
