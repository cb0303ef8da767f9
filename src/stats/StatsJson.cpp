#include "stats/StatsJson.h"

#include <string>

namespace pk10 {
namespace {

nlohmann::json RateJson(const RateVsChance& rate) {
    return {{"rate", rate.rate},
            {"low", rate.interval.low},
            {"high", rate.interval.high},
            {"chance", rate.chance},
            {"difference", rate.Difference()},
            {"chance_in_interval", rate.ChanceInInterval()}};
}

// An amount as a JSON number: exact as printed, since the amounts of any
// replay keep far fewer than the fifteen digits a double holds.
double AmountNumber(std::int64_t amount) {
    return static_cast<double>(amount) / static_cast<double>(kMoneyScale);
}

nlohmann::json OptionalPeriod(const std::optional<std::int32_t>& period) {
    return period ? nlohmann::json(*period) : nlohmann::json(nullptr);
}

}  // namespace

nlohmann::json MoneyFiguresJson(const MoneyFigures& figures) {
    return {{"followed", figures.followed},
            {"turnover", AmountNumber(figures.turnover)},
            {"returned", AmountNumber(figures.returned)},
            {"result", AmountNumber(figures.Result())},
            {"result_share", figures.ResultShare()},
            {"expected_result", AmountNumber(figures.expected)},
            {"deepest_drawdown", AmountNumber(figures.deepestDrawdown)},
            {"ruin_period", OptionalPeriod(figures.ruinPeriod)}};
}

nlohmann::json MoneyReportJson(const MoneyReport& report) {
    nlohmann::json json = nlohmann::json::object();
    for (int position = 1; position <= kSlotCount; ++position) {
        json[std::to_string(position)] = MoneyFiguresJson(report.OfPosition(position));
    }
    json["total"] = MoneyFiguresJson(report.total);
    return json;
}

nlohmann::json StatsJson(const PlanStats& stats) {
    nlohmann::json byPeriod = nlohmann::json::array();
    for (int period = 1; period <= 3; ++period) {
        nlohmann::json rate = RateJson(stats.HitRateInPeriod(period));
        rate["hits"] = stats.hitsByPeriod[static_cast<std::size_t>(period - 1)];
        byPeriod.push_back(std::move(rate));
    }
    nlohmann::json streaks = nlohmann::json::object();
    for (std::size_t length = 1; length < stats.missStreaks.size(); ++length) {
        if (stats.missStreaks[length] != 0) {
            streaks[std::to_string(length)] = stats.missStreaks[length];
        }
    }
    return {
        {"settled", stats.settled},
        {"hits", stats.hits},
        {"misses", stats.misses},
        {"passed", stats.passed},
        {"skipped", stats.skipped},
        {"hit_rate", RateJson(stats.HitRate())},
        {"hits_by_period", std::move(byPeriod)},
        {"hits_outside_span", stats.hitsOutsideSpan},
        {"current_streak", {{"length", stats.currentStreak}, {"hits", stats.currentStreakHits}}},
        {"longest_miss_streak", stats.longestMissStreak},
        {"miss_streaks", std::move(streaks)}};
}

nlohmann::json ReportJson(const StatsReport& report) {
    nlohmann::json positions = nlohmann::json::object();
    for (int position = 1; position <= kSlotCount; ++position) {
        positions[std::to_string(position)] = StatsJson(report.OfPosition(position));
    }
    return {{"positions", std::move(positions)}, {"total", StatsJson(report.total)}};
}

nlohmann::json BacktestJson(const BacktestResult& result, const MoneyRules& rules) {
    const nlohmann::json money = {
        {"odds", static_cast<double>(rules.odds) / static_cast<double>(kOddsScale)},
        {"stakes", rules.stakes},
        {"bankroll", rules.bankroll ? nlohmann::json(*rules.bankroll) : nlohmann::json(nullptr)},
        {"plans", MoneyReportJson(ComputeMoney(result.plans, rules))},
        {"random_plans", MoneyReportJson(ComputeMoney(result.randomPlans, rules))}};
    return {{"draws", result.draws},
            {"startup_draws", kStartupDraws},
            {"merged", result.progress.merged},
            {"to_merge", result.progress.toMerge},
            {"partial", result.partial},
            {"first_period", result.firstPeriod},
            {"last_period", result.lastPeriod},
            {"random_seed", result.randomSeed},
            {"plans", ReportJson(result.engine)},
            {"random_plans", ReportJson(result.random)},
            {"money", money}};
}

}  // namespace pk10
