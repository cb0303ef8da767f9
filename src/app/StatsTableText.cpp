#include "app/StatsTableText.h"

#include <charconv>

namespace pk10 {
namespace {

std::string StreakText(const PlanStats& stats) {
    if (stats.currentStreak == 0) {
        return "-";
    }
    return std::to_string(stats.currentStreak) + (stats.currentStreakHits ? " 中" : " 挂");
}

StatsRowTexts RowTexts(const PlanStats& stats, bool total) {
    StatsRowTexts texts;
    texts[kSettledColumn] = std::to_string(stats.settled);
    texts[kHitsColumn] = std::to_string(stats.hits);
    texts[kMissesColumn] = std::to_string(stats.misses);
    texts[kRateColumn] = RateText(stats.HitRate().rate, stats.settled);
    texts[kChanceColumn] = RateText(kChanceHit, 1);
    texts[kPeriod1Column] = std::to_string(stats.hitsByPeriod[0]);
    texts[kPeriod2Column] = std::to_string(stats.hitsByPeriod[1]);
    texts[kPeriod3Column] = std::to_string(stats.hitsByPeriod[2]);
    // No streak runs across Positions.
    texts[kStreakColumn] = total ? "-" : StreakText(stats);
    texts[kLongestMissColumn] = std::to_string(stats.longestMissStreak);
    return texts;
}

}  // namespace

std::string RateText(double rate, int trials) {
    if (trials <= 0) {
        return "-";
    }
    // to_chars, not printf: the window's locale must not turn the point into a comma.
    char buffer[32];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, rate * 100.0, std::chars_format::fixed, 1);
    return std::string(buffer, end.ptr) + " %";
}

std::array<StatsRowTexts, kStatsRowCount> StatsTableTexts(const StatsReport& report) {
    std::array<StatsRowTexts, kStatsRowCount> rows;
    for (int row = 0; row < kStatsRowCount; ++row) {
        const bool total = row == kTotalRow;
        rows[static_cast<std::size_t>(row)] =
            RowTexts(total ? report.total : report.OfPosition(row + 1), total);
    }
    return rows;
}

}  // namespace pk10
