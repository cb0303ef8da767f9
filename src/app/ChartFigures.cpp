#include "app/ChartFigures.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "draws/DrawLine.h"

namespace pk10 {
namespace {

double Units(std::int64_t amount) {
    return static_cast<double>(amount) / static_cast<double>(kMoneyScale);
}

// The points of `curve` at x = draws since `origin`, each stretch of the curve
// kept as its lowest and highest point.
std::vector<ChartPoint> CurvePoints(const std::vector<MoneyPoint>& curve, std::int32_t origin,
                                    std::int64_t MoneyPoint::*value) {
    std::vector<ChartPoint> points;
    const std::size_t step = std::max<std::size_t>(1, curve.size() / kCurveBuckets);
    for (std::size_t start = 0; start < curve.size(); start += step) {
        const std::size_t end = std::min(curve.size(), start + step);
        std::size_t low = start;
        std::size_t high = start;
        for (std::size_t at = start; at < end; ++at) {
            low = curve[at].*value < curve[low].*value ? at : low;
            high = curve[at].*value > curve[high].*value ? at : high;
        }
        for (const std::size_t at : {std::min(low, high), std::max(low, high)}) {
            points.push_back({static_cast<double>(PeriodsAhead(origin, curve[at].period)),
                              Units(curve[at].*value)});
            if (low == high) {
                break;
            }
        }
    }
    return points;
}

}  // namespace

HitRateFigures HitRateFiguresOf(const StatsReport& report) {
    HitRateFigures figures;
    double lowest = kChanceHit * 100.0;
    for (int position = 1; position <= kSlotCount; ++position) {
        const PlanStats& stats = report.OfPosition(position);
        PositionRate& shown = figures.positions[static_cast<std::size_t>(position - 1)];
        const RateVsChance rate = stats.HitRate();
        shown.rate = rate.rate;
        if (stats.settled > 0) {
            shown.rated = true;
            shown.low = rate.interval.low;
            shown.high = rate.interval.high;
            lowest = std::min({lowest, rate.rate * 100.0, rate.interval.low * 100.0});
        }
    }
    figures.axisLowPercent = std::max(0.0, std::floor(lowest / 10.0) * 10.0 - 10.0);
    return figures;
}

StreakFigures StreakFiguresOf(const PlanStats& engine, const PlanStats& random) {
    // missStreaks[0] is unused, so a histogram of size n holds lengths 1 to n - 1.
    const std::size_t longest =
        std::max<std::size_t>({engine.missStreaks.size(), random.missStreaks.size(), 2}) - 1;
    const auto runs = [](const PlanStats& stats, std::size_t length) {
        return length < stats.missStreaks.size() ? stats.missStreaks[length] : 0;
    };
    StreakFigures figures;
    for (std::size_t length = 1; length <= longest; ++length) {
        const StreakBin bin{static_cast<int>(length), runs(engine, length), runs(random, length)};
        figures.highestRuns = std::max({figures.highestRuns, bin.engineRuns, bin.randomRuns});
        figures.bins.push_back(bin);
    }
    return figures;
}

MoneyCurveFigures MoneyCurveFiguresOf(const std::vector<MoneyPoint>& engine,
                                      const std::vector<MoneyPoint>& random) {
    MoneyCurveFigures figures;
    if (engine.empty()) {
        return figures;
    }
    const std::int32_t origin = engine.front().period;
    figures.engine = CurvePoints(engine, origin, &MoneyPoint::result);
    figures.random = CurvePoints(random, origin, &MoneyPoint::result);
    figures.expected = CurvePoints(engine, origin, &MoneyPoint::expected);

    const DrawdownSpan drawdown = DeepestDrawdownOf(engine);
    if (drawdown.trough >= 0) {
        const auto at = [&](int index) {
            const MoneyPoint& point = engine[static_cast<std::size_t>(index)];
            return ChartPoint{static_cast<double>(PeriodsAhead(origin, point.period)),
                              Units(point.result)};
        };
        figures.hasDrawdown = true;
        figures.peak = drawdown.peak < 0 ? ChartPoint{} : at(drawdown.peak);
        figures.trough = at(drawdown.trough);
    }

    double lowY = 0;
    double highY = 0;
    double lastX = 1;
    for (const std::vector<ChartPoint>* curve :
         {&figures.engine, &figures.random, &figures.expected}) {
        for (const ChartPoint& point : *curve) {
            lowY = std::min(lowY, point.y);
            highY = std::max(highY, point.y);
            lastX = std::max(lastX, point.x);
        }
    }
    if (figures.hasDrawdown) {
        for (const ChartPoint& mark : {figures.peak, figures.trough}) {
            lowY = std::min(lowY, mark.y);
            highY = std::max(highY, mark.y);
            lastX = std::max(lastX, mark.x);
        }
    }
    figures.lastX = lastX;
    figures.lowY = lowY;
    figures.highY = std::max(highY, lowY + 1);
    return figures;
}

std::string DrawdownText(double drawdown) {
    char buffer[48];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, drawdown, std::chars_format::fixed, 0);
    return std::string("最大回撤 ") + std::string(buffer, end.ptr);
}

}  // namespace pk10
