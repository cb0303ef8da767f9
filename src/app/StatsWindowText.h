#pragma once
// The lines the statistics window builds from figures, as UTF-8, for every
// window that shows them.

#include <chrono>
#include <cstddef>
#include <string>

#include "stats/Backtest.h"
#include "stats/Money.h"

namespace pk10 {

inline constexpr const char* kReadingDrawFileText = "正在读取开奖文件...";

// A running replay: "已回测 120 / 300 期", and once a draw is merged the time
// left at the pace so far, in whole seconds: "，剩余约 3 秒".
std::string BacktestProgressText(const BacktestProgress& progress,
                                 std::chrono::milliseconds elapsed);

// A replay that ended: "完成：300 期，用时 1.5 秒", or when it was stopped
// "已停止：120 / 300 期（部分结果）".
std::string BacktestDoneText(const BacktestResult& result, std::chrono::milliseconds elapsed);

// Today's money at `rules`: "按赔率 9.8、倍投 1,1,1：跟 5 个计划，投注 …，返还 …，
// 盈亏 …（期望 …）".
std::string TodayMoneyText(const MoneyRules& rules, const MoneyFigures& today);

// "已导出 12 个计划到 /path/plans.csv"
std::string ExportedText(std::size_t plans, const std::string& path);
// "无法写入 /path/plans.csv：why"
std::string CannotWriteText(const std::string& path, const std::string& why);

}  // namespace pk10
