#include "ui/StatsCharts.h"

#ifdef PK10_HAVE_CHARTS
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
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
    auto* lineX = new QValueAxis;
    lineX->setRange(-0.5, kSlotCount - 0.5);
    lineX->setVisible(false);
    chart->addAxis(lineX, Qt::AlignBottom);
    bars->attachAxis(positions);
    bars->attachAxis(axisY);
    chance->attachAxis(lineX);
    chance->attachAxis(axisY);
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

#else

bool ChartsAvailable() {
    return false;
}

QWidget* NewChartView(QWidget*) {
    return nullptr;
}

void ShowHitRates(QWidget*, const StatsReport&) {}

void ShowMissStreaks(QWidget*, const PlanStats&, const PlanStats&) {}

#endif

}  // namespace pk10::ui
