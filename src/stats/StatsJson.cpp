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

}  // namespace

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

nlohmann::json BacktestJson(const BacktestResult& result) {
    return {{"draws", result.draws},
            {"startup_draws", kStartupDraws},
            {"merged", result.progress.merged},
            {"to_merge", result.progress.toMerge},
            {"partial", result.partial},
            {"first_period", result.firstPeriod},
            {"last_period", result.lastPeriod},
            {"random_seed", result.randomSeed},
            {"plans", ReportJson(result.engine)},
            {"random_plans", ReportJson(result.random)}};
}

}  // namespace pk10
