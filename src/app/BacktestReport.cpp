#include "app/BacktestReport.h"

#include <cstdio>
#include <string_view>

namespace pk10 {
namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// "1" to "10", then "all".
std::string RowName(int position) {
    return position == 0 ? "all" : std::to_string(position);
}

template <class Row>
void EachRow(const StatsReport& report, std::string& out, Row row) {
    for (int position = 1; position <= kSlotCount; ++position) {
        out += Format("%-9s ", RowName(position).c_str()) + row(report.OfPosition(position)) + "\n";
    }
    out += Format("%-9s ", RowName(0).c_str()) + row(report.total) + "\n";
}

// "0.9354  -0.0006  yes": a rate, its difference from chance, chance inside the interval.
std::string RateCells(const RateVsChance& rate) {
    return Format("%.4f  %+.4f  %-3s", rate.rate, rate.Difference(),
                  rate.ChanceInInterval() ? "yes" : "no");
}

std::string HitRateTable(const StatsReport& report) {
    std::string out = Format("Hit rate (chance %.3f = 1 - 0.4^3)\n", kChanceHit);
    out += "Position   Plans    Hits  Misses  Rate    Diff     In   95 % interval\n";
    EachRow(report, out, [](const PlanStats& stats) {
        const RateVsChance rate = stats.HitRate();
        return Format("%6d  %6d  %6d  ", stats.settled, stats.hits, stats.misses) +
               RateCells(rate) + Format("  [%.4f, %.4f]", rate.interval.low, rate.interval.high);
    });
    return out;
}

std::string PeriodTable(const StatsReport& report) {
    std::string out =
        Format("Hits by period of the span, share of settled plans (chance %.3f, %.3f, %.3f)\n",
               kChanceHitInPeriod[0], kChanceHitInPeriod[1], kChanceHitInPeriod[2]);
    out += "Position  1st     Diff     In   2nd     Diff     In   3rd     Diff     In\n";
    EachRow(report, out, [](const PlanStats& stats) {
        std::string cells;
        for (int period = 1; period <= 3; ++period) {
            cells += RateCells(stats.HitRateInPeriod(period)) + "  ";
        }
        return cells.substr(0, cells.size() - 2);
    });
    return out;
}

std::string StreakTable(const StatsReport& report) {
    std::string out = "Miss streaks (current streak: plans in a row, 中 hits, 挂 misses)\n";
    out += "Position  Longest  Current  Runs of 1, 2, 3, ... misses\n";
    EachRow(report, out, [](const PlanStats& stats) {
        std::string runs;
        for (std::size_t length = 1; length < stats.missStreaks.size(); ++length) {
            if (!runs.empty()) {
                runs += ' ';
            }
            runs += std::to_string(stats.missStreaks[length]);
        }
        const std::string current =
            stats.currentStreak == 0
                ? "-"
                : std::to_string(stats.currentStreak) + (stats.currentStreakHits ? " 中" : " 挂");
        // The mark takes two columns on a terminal but three bytes.
        const int pad = stats.currentStreak == 0 ? 7 : 8;
        return Format("%7d  %-*s  ", stats.longestMissStreak, pad, current.c_str()) + runs;
    });
    return out;
}

std::string ReportTables(const StatsReport& report) {
    return HitRateTable(report) + "\n" + PeriodTable(report) + "\n" + StreakTable(report);
}

}  // namespace

std::string BacktestTables(const BacktestResult& result, const std::string& source) {
    std::string out = "Backtest of " + source +
                      Format(": %d draws, periods %06d to %06d\n", result.draws, result.firstPeriod,
                             result.lastPeriod);
    out += Format("Start-up on the oldest %d draws, then %d of %d draws merged", kStartupDraws,
                  result.progress.merged, result.progress.toMerge);
    out += result.partial ? " (PARTIAL: stopped before the end)\n" : "\n";
    const PlanStats& total = result.engine.total;
    out += Format("Plans settled: %d (passed without a mark: %d, unreadable lines: %d)\n",
                  total.settled, total.passed, total.skipped);
    out += "In: whether the 95 % interval (Wilson) of the rate holds chance.\n\n";
    out += "== The engine's plans ==\n" + ReportTables(result.engine);
    out += Format(
        "\n== Random plans: six random numbers over each plan's span and draws, seed %llu ==\n",
        static_cast<unsigned long long>(result.randomSeed));
    out += ReportTables(result.random);
    if (result.partial) {
        out += "\nPARTIAL: the figures cover the draws merged before the stop.\n";
    }
    return out;
}

}  // namespace pk10
