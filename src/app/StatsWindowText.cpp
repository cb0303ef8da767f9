#include "app/StatsWindowText.h"

#include <charconv>

namespace pk10 {
namespace {

std::string Draws(int merged, int toMerge) {
    return std::to_string(merged) + " / " + std::to_string(toMerge) + " 期";
}

}  // namespace

std::string BacktestProgressText(const BacktestProgress& progress,
                                 std::chrono::milliseconds elapsed) {
    std::string text = "已回测 " + Draws(progress.merged, progress.toMerge);
    if (progress.merged > 0) {
        const std::int64_t leftMs = static_cast<std::int64_t>(elapsed.count()) *
                                    (progress.toMerge - progress.merged) / progress.merged;
        text += "，剩余约 " + std::to_string((leftMs + 500) / 1000) + " 秒";
    }
    return text;
}

std::string BacktestDoneText(const BacktestResult& result, std::chrono::milliseconds elapsed) {
    if (result.partial) {
        return "已停止：" + Draws(result.progress.merged, result.progress.toMerge) + "（部分结果）";
    }
    char seconds[32];
    const auto end =
        std::to_chars(seconds, seconds + sizeof seconds,
                      static_cast<double>(elapsed.count()) / 1000.0, std::chars_format::fixed, 1);
    return "完成：" + std::to_string(result.progress.merged) + " 期，用时 " +
           std::string(seconds, end.ptr) + " 秒";
}

std::string TodayMoneyText(const MoneyRules& rules, const MoneyFigures& today) {
    return "按赔率 " + OddsText(rules.odds) + "、倍投 " + StakesText(rules.stakes) + "：跟 " +
           std::to_string(today.followed) + " 个计划，投注 " + AmountText(today.turnover) +
           "，返还 " + AmountText(today.returned) + "，盈亏 " + AmountText(today.Result()) +
           "（期望 " + AmountText(today.expected) + "）";
}

std::string ExportedText(std::size_t plans, const std::string& path) {
    return "已导出 " + std::to_string(plans) + " 个计划到 " + path;
}

std::string CannotWriteText(const std::string& path, const std::string& why) {
    return "无法写入 " + path + "：" + why;
}

}  // namespace pk10
