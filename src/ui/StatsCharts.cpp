#include "ui/StatsCharts.h"

#ifdef PK10_HAVE_CHARTS
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "draws/DrawLine.h"
#endif

namespace pk10::ui {

#ifdef PK10_HAVE_CHARTS
namespace {

// The chart of `view` emptied of its series and axes.
QChart* ClearedChart(QWidget* view) {
    auto* chartView = static_cast<QChartView*>(view);
    QChart* chart = chartView->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    return chart;
}

QBarCategoryAxis* CategoryAxis(int count, int first) {
    auto* axis = new QBarCategoryAxis;
    for (int i = 0; i < count; ++i) {
        axis->append(QString::number(first + i));
    }
    return axis;
}

// Half the width of an error bar's caps, in bars.
constexpr double kCapHalfWidth = 0.12;
// A curve keeps at most about twice this many points (each stretch's lowest and
// highest), so a year of draws draws quickly and keeps its shape.
constexpr std::size_t kCurveBuckets = 1500;

QValueAxis* HiddenAxis(double low, double high) {
    auto* axis = new QValueAxis;
    axis->setRange(low, high);
    axis->setVisible(false);
    return axis;
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) {
        marker->setVisible(false);
    }
}

double Units(std::int64_t amount) {
    return static_cast<double>(amount) / static_cast<double>(kMoneyScale);
}

// The points of `curve` at x = draws since `origin`, each stretch of the curve
// kept as its lowest and highest point.
QList<QPointF> CurvePoints(const std::vector<MoneyPoint>& curve, std::int32_t origin,
                           std::int64_t MoneyPoint::*value) {
    QList<QPointF> points;
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
            points.append(QPointF(PeriodsAhead(origin, curve[at].period), Units(curve[at].*value)));
            if (low == high) {
                break;
            }
        }
    }
    return points;
}

}  // namespace

bool ChartsAvailable() {
    return true;
}

QWidget* NewChartView(QWidget* parent) {
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void ShowHitRates(QWidget* view, const StatsReport& report) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(QString::fromUtf8("各名次命中率 (%)"));

    auto* rates = new QBarSet(QString::fromUtf8("命中率"));
    double lowest = kChanceHit * 100.0;
    for (int position = 1; position <= kSlotCount; ++position) {
        const double rate = report.OfPosition(position).HitRate().rate * 100.0;
        *rates << rate;
        if (report.OfPosition(position).settled > 0) {
            lowest = std::min(lowest, rate);
        }
    }
    auto* bars = new QBarSeries;
    bars->append(rates);
    chart->addSeries(bars);

    // Each rate's 95 % interval as an error bar with caps, on the hidden axis
    // that spans the bars; a Position without plans has none.
    std::vector<QLineSeries*> errorBars;
    for (int position = 1; position <= kSlotCount; ++position) {
        const PlanStats& stats = report.OfPosition(position);
        if (stats.settled == 0) {
            continue;
        }
        const Interval interval = stats.HitRate().interval;
        const double x = position - 1;
        const double low = interval.low * 100.0;
        const double high = interval.high * 100.0;
        auto* bar = new QLineSeries;
        bar->append({QPointF(x - kCapHalfWidth, low), QPointF(x + kCapHalfWidth, low),
                     QPointF(x, low), QPointF(x, high), QPointF(x - kCapHalfWidth, high),
                     QPointF(x + kCapHalfWidth, high)});
        chart->addSeries(bar);
        bar->setPen(QPen(Qt::black, 1.2));  // after addSeries, which gives it the theme's colour
        HideFromLegend(chart, bar);
        errorBars.push_back(bar);
        lowest = std::min(lowest, interval.low * 100.0);
    }

    // Chance as a line across the ten bars, on a hidden axis that spans them.
    auto* chance = new QLineSeries;
    chance->setName(QString::fromUtf8("机会 93.6 %"));
    chance->append(-0.5, kChanceHit * 100.0);
    chance->append(kSlotCount - 0.5, kChanceHit * 100.0);
    chart->addSeries(chance);

    // Rates lie near chance: the axis starts a little below the lowest, so
    // differences of a few per cent show.
    auto* axisY = new QValueAxis;
    axisY->setRange(std::max(0.0, std::floor(lowest / 10.0) * 10.0 - 10.0), 100.0);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisY, Qt::AlignLeft);
    auto* positions = CategoryAxis(kSlotCount, 1);
    chart->addAxis(positions, Qt::AlignBottom);
    QValueAxis* lineX = HiddenAxis(-0.5, kSlotCount - 0.5);
    chart->addAxis(lineX, Qt::AlignBottom);
    bars->attachAxis(positions);
    bars->attachAxis(axisY);
    chance->attachAxis(lineX);
    chance->attachAxis(axisY);
    for (QLineSeries* bar : errorBars) {
        bar->attachAxis(lineX);
        bar->attachAxis(axisY);
    }
}

void ShowMissStreaks(QWidget* view, const PlanStats& engine, const PlanStats& random) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(QString::fromUtf8("连挂次数分布"));
    const std::size_t longest =
        std::max<std::size_t>({engine.missStreaks.size(), random.missStreaks.size(), 2}) - 1;
    auto* series = new QBarSeries;
    double highest = 1.0;
    for (const auto& [name, stats] : {std::pair{"计划", &engine}, std::pair{"随机计划", &random}}) {
        auto* set = new QBarSet(QString::fromUtf8(name));
        for (std::size_t length = 1; length <= longest; ++length) {
            const int runs = length < stats->missStreaks.size() ? stats->missStreaks[length] : 0;
            *set << runs;
            highest = std::max(highest, static_cast<double>(runs));
        }
        series->append(set);
    }
    chart->addSeries(series);
    auto* lengths = CategoryAxis(static_cast<int>(longest), 1);
    lengths->setTitleText(QString::fromUtf8("连挂计划数"));
    chart->addAxis(lengths, Qt::AlignBottom);
    auto* counts = new QValueAxis;
    counts->setRange(0.0, highest);
    counts->applyNiceNumbers();
    counts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(lengths);
    series->attachAxis(counts);
}

void ShowMoneyCurves(QWidget* view, const std::vector<MoneyPoint>& engine,
                     const std::vector<MoneyPoint>& random) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(QString::fromUtf8("累计盈亏"));
    if (engine.empty()) {
        return;
    }
    const std::int32_t origin = engine.front().period;
    auto* axisX = new QValueAxis;
    axisX->setTitleText(QString::fromUtf8("期"));
    axisX->setLabelFormat(QStringLiteral("%.0f"));
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    const auto add = [&](QLineSeries* series, const char* name, const QList<QPointF>& points) {
        series->setName(QString::fromUtf8(name));
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    };
    add(new QLineSeries, "计划", CurvePoints(engine, origin, &MoneyPoint::result));
    add(new QLineSeries, "随机计划", CurvePoints(random, origin, &MoneyPoint::result));
    auto* expected = new QLineSeries;
    expected->setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    add(expected, "期望", CurvePoints(engine, origin, &MoneyPoint::expected));

    // The deepest drawdown: from the highest result before it (the start, at 0,
    // when none was higher) down to its lowest.
    const DrawdownSpan drawdown = DeepestDrawdownOf(engine);
    if (drawdown.trough >= 0) {
        const MoneyPoint& trough = engine[static_cast<std::size_t>(drawdown.trough)];
        const QPointF peak =
            drawdown.peak < 0
                ? QPointF(0, 0)
                : QPointF(
                      PeriodsAhead(origin, engine[static_cast<std::size_t>(drawdown.peak)].period),
                      Units(engine[static_cast<std::size_t>(drawdown.peak)].result));
        const QPointF low(PeriodsAhead(origin, trough.period), Units(trough.result));
        auto* marks = new QScatterSeries;
        marks->setName(QString::fromUtf8("最大回撤 %1").arg(peak.y() - low.y(), 0, 'f', 0));
        marks->setColor(Qt::red);
        marks->setMarkerSize(9);
        marks->append(peak);
        marks->append(low);
        chart->addSeries(marks);
        marks->attachAxis(axisX);
        marks->attachAxis(axisY);
    }

    double lowY = 0;
    double highY = 0;
    double lastX = 1;
    for (QAbstractSeries* series : chart->series()) {
        for (const QPointF& point : static_cast<QXYSeries*>(series)->points()) {
            lowY = std::min(lowY, point.y());
            highY = std::max(highY, point.y());
            lastX = std::max(lastX, point.x());
        }
    }
    axisX->setRange(0, lastX);
    axisY->setRange(lowY, std::max(highY, lowY + 1));
    axisY->applyNiceNumbers();
}

#else

bool ChartsAvailable() {
    return false;
}

QWidget* NewChartView(QWidget*) {
    return nullptr;
}

void ShowHitRates(QWidget*, const StatsReport&) {}

void ShowMissStreaks(QWidget*, const PlanStats&, const PlanStats&) {}

void ShowMoneyCurves(QWidget*, const std::vector<MoneyPoint>&, const std::vector<MoneyPoint>&) {}

#endif

}  // namespace pk10::ui
